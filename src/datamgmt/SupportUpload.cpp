#include "datamgmt/SupportUpload.h"

#include "shell/Help.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <sys/utsname.h>

namespace vh {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString vendorDomain() { return QUrl(QString::fromLatin1(VendorWebSite)).host().remove(QRegularExpression(QStringLiteral("^www\\."))); }

QString attribute(const QString& tag, const QString& name)
{
    const QRegularExpression re(QStringLiteral("\\b%1\\s*=\\s*(\"([^\"]*)\"|'([^']*)'|([^\\s>]+))").arg(name),
                                QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(tag);
    if (!m.hasMatch())
        return {};
    for (int i = 2; i <= 4; ++i)
        if (m.capturedStart(i) >= 0)
            return m.captured(i);
    return {};
}

QString unescapeHtml(QString s)
{
    s.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    s.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
    s.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    s.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    s.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return s;
}

// `step` says what failed, in front of the transfer's own words.
UploadOutcome failed(const net::TransferResult& r, const QString& step = QString())
{
    if (r.aborted)
        return {UploadOutcome::Cancelled, r.code, r.message, {}};
    return {r.notConnected ? UploadOutcome::NotConnected : UploadOutcome::Failed, r.code, step + r.message, {}};
}

}  // namespace

UploadSettings UploadSettings::defaults()
{
    UploadSettings s;
    const QString domain = vendorDomain();
    s.ftpHost = QStringLiteral("ftp.") + domain;
    s.user = QStringLiteral("uploadfiles");
    s.password = QStringLiteral("kelp5831");
    s.ftpFolder = domain + QStringLiteral("_Uploads");
    s.notifyUrl = QString::fromLatin1(VendorWebSite) + QStringLiteral("/uploadnotify/");
    return s;
}

UploadSettings UploadSettings::fromEnvironment()
{
    UploadSettings s = defaults();
    const auto text = [](const char* name, QString& value) {
        if (qEnvironmentVariableIsSet(name))
            value = qEnvironmentVariable(name);
    };
    text("VH_UPLOAD_FTP_HOST", s.ftpHost);
    text("VH_UPLOAD_FTP_FOLDER", s.ftpFolder);
    text("VH_UPLOAD_NOTIFY_URL", s.notifyUrl);
    bool ok = false;
    const int port = qEnvironmentVariableIntValue("VH_UPLOAD_FTP_PORT", &ok);
    if (ok && port > 0 && port < 65536)
        s.ftpPort = port;
    return s;
}

bool ProblemReport::complete() const
{
    return !name.trimmed().isEmpty() && !email.trimmed().isEmpty() && !description.trimmed().isEmpty();
}

SystemFacts SystemFacts::current(const QString& dataPath)
{
    SystemFacts f;
    f.programPath = QCoreApplication::applicationDirPath();
    f.exeName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    f.build = QStringLiteral("%1.%2.%3").arg(VH_VERSION_MAJOR).arg(VH_VERSION_MINOR).arg(VH_VERSION_PATCH);
    f.dataPath = dataPath;
    f.osVersion = getVersion();
    return f;
}

QString BuildSysData(const SystemFacts& f)
{
    return QStringList{QStringLiteral("ProgPath: ") + f.programPath, QStringLiteral("Exe: ") + f.exeName,
                       QStringLiteral("Build: ") + f.build, QStringLiteral("DataPath: ") + f.dataPath,
                       QStringLiteral("WinVer: ") + f.osVersion}
        .join(kCrLf);
}

QString BuildData(const ProblemReport& r, const SystemFacts& f)
{
    return QStringList{QStringLiteral("Name: ") + r.name, QStringLiteral("Email: ") + r.email,
                       QStringLiteral("Phone: ") + r.phone, QStringLiteral("HelpDesk: ") + r.ticket,
                       QStringLiteral("Desc: ") + r.description, BuildSysData(f)}
        .join(kCrLf);
}

QString UploadTimeStamp(const QDateTime& when) { return when.toString(QStringLiteral("yyyy-MM-dd-HHmmss")); }

QString ParsePath(const QString& path, const QString& part)
{
    qsizetype cut = -1;
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        const QChar c = path.at(i);
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':')) {
            cut = i;
            break;
        }
    }
    const QString dir = path.left(cut + 1);
    const QString file = path.mid(cut + 1);
    const QString p = part.toLower();
    if (p == QLatin1String("dir"))
        return dir;
    if (p == QLatin1String("filename") || p == QLatin1String("name"))
        return file;
    if (p == QLatin1String("nameonly"))
        return file.section(QLatin1Char('.'), 0, 0);
    return {};
}

QString getVersion()
{
    utsname u{};
    if (uname(&u) != 0)
        return QStringLiteral("Unknown");
    return QStringLiteral("%1 %2 (%3-%4)")
        .arg(QString::fromLocal8Bit(u.sysname), QString::fromLocal8Bit(u.release), QString::fromLocal8Bit(u.machine),
             QString::fromLocal8Bit(u.version));
}

std::optional<WebForm> FirstWebForm(const QByteArray& html, const QString& pageUrl)
{
    const QString page = QString::fromUtf8(html);
    const QRegularExpression formRe(QStringLiteral("<form\\b([^>]*)>(.*?)(</form\\s*>|$)"),
                                    QRegularExpression::CaseInsensitiveOption |
                                        QRegularExpression::DotMatchesEverythingOption);
    const auto m = formRe.match(page);
    if (!m.hasMatch())
        return std::nullopt;
    WebForm form;
    const QString action = unescapeHtml(attribute(m.captured(1), QStringLiteral("action")));
    form.action = QUrl(pageUrl).resolved(QUrl(action)).toString();
    const QRegularExpression fieldRe(QStringLiteral("<(input)\\b([^>]*)>|<(textarea)\\b([^>]*)>(.*?)</textarea\\s*>"),
                                     QRegularExpression::CaseInsensitiveOption |
                                         QRegularExpression::DotMatchesEverythingOption);
    for (auto it = fieldRe.globalMatch(m.captured(2)); it.hasNext();) {
        const auto f = it.next();
        const bool textarea = f.capturedStart(3) >= 0;
        const QString tag = f.captured(textarea ? 4 : 2);
        const QString name = unescapeHtml(attribute(tag, QStringLiteral("name")));
        const QString type = attribute(tag, QStringLiteral("type")).toLower();
        if (name.isEmpty() || type == QLatin1String("submit") || type == QLatin1String("button") ||
            type == QLatin1String("reset") || type == QLatin1String("image"))
            continue;
        form.fields.append({name, unescapeHtml(textarea ? f.captured(5) : attribute(tag, QStringLiteral("value")))});
    }
    return form;
}

QByteArray EncodeWebForm(const WebForm& form, const QMap<QString, QString>& values)
{
    QByteArrayList pairs;
    QMap<QString, QString> left = values;
    const auto add = [&pairs](const QString& name, const QString& value) {
        pairs << QUrl::toPercentEncoding(name) + '=' + QUrl::toPercentEncoding(value);
    };
    for (const auto& [name, value] : form.fields)
        add(name, left.contains(name) ? left.take(name) : value);
    // A field the page lacks is sent all the same: the form's reader names it.
    for (auto it = left.cbegin(); it != left.cend(); ++it)
        add(it.key(), it.value());
    return pairs.join('&');
}

UploadOutcome SendToSupport(const UploadSettings& s, const ProblemReport& report, const SystemFacts& facts,
                            const QDateTime& now, const UploadCallbacks& cb)
{
    const auto stage = [&cb](UploadStage st) {
        if (cb.stage)
            cb.stage(st);
    };
    const QString stamp = UploadTimeStamp(now);
    const QString folder = s.ftpFolder.isEmpty() ? QString() : s.ftpFolder + QLatin1Char('/');

    stage(UploadStage::Connecting);
    const QString reportPath = ParsePath(facts.dataPath, QStringLiteral("dir")) + QStringLiteral("upload.txt");
    {
        QFile file(reportPath);
        const QByteArray text = (BuildData(report, facts) + kCrLf).toUtf8();
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size() || !file.flush())
            return {UploadOutcome::Failed, 0, QStringLiteral("%1 could not be written: %2").arg(reportPath, file.errorString()),
                    {}};
    }

    const net::FtpAccount account{s.ftpHost, s.ftpPort, s.user, s.password, s.connectSeconds, s.stallSeconds};
    net::TransferResult r = net::ftpConnect(account, cb.cancelled);
    if (!r.ok())
        return failed(r);

    const auto sending = [](const QString& name) { return QStringLiteral("Sending %1: ").arg(name); };
    stage(UploadStage::UploadingDescription);
    const QString remoteReport = stamp + QStringLiteral("-upload.txt");
    r = net::ftpPut(account, reportPath, folder + remoteReport, cb.progress, cb.cancelled);
    if (!r.ok())
        return failed(r, sending(remoteReport));

    stage(UploadStage::UploadingDatabase);
    const QString remoteDb = stamp + QLatin1Char('-') + ParsePath(facts.dataPath, QStringLiteral("filename"));
    r = net::ftpPut(account, facts.dataPath, folder + remoteDb, cb.progress, cb.cancelled);
    if (!r.ok())
        return failed(r, sending(remoteDb));
    stage(UploadStage::Complete);

    // The files are there by now; what fails from here on is telling support,
    // a web server that cannot be reached included.
    const auto notNotified = [&remoteDb](const net::TransferResult& r, const QString& url, const QString& why) {
        if (r.aborted)
            return failed(r);
        return UploadOutcome{UploadOutcome::NotNotified, r.code,
                             QStringLiteral("The notification form at %1 failed: %2").arg(url, why), remoteDb};
    };
    const net::WebResult page = net::httpGet(s.notifyUrl, s.webSeconds, cb.cancelled);
    if (!page.ok())
        return notNotified(page, s.notifyUrl, page.message);
    const auto form = FirstWebForm(page.body, page.url);
    if (!form)
        return notNotified(page, page.url, QStringLiteral("the page holds no form."));
    QString sysData = BuildSysData(facts);
    sysData.replace(kCrLf, QStringLiteral(", "));
    const QMap<QString, QString> values{{QStringLiteral("customername"), report.name},
                                        {QStringLiteral("Email"), report.email},
                                        {QStringLiteral("Phone"), report.phone},
                                        {QStringLiteral("helpdesk"), report.ticket},
                                        {QStringLiteral("Desc"), report.description},
                                        {QStringLiteral("uploadfile"), remoteDb},
                                        {QStringLiteral("sysdata"), sysData}};
    const net::WebResult posted = net::httpPost(form->action, EncodeWebForm(*form, values), s.webSeconds, cb.cancelled);
    if (!posted.ok())
        return notNotified(posted, form->action, posted.message);
    return {};
}

}  // namespace vh
