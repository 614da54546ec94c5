// Sending the database to support, against an FTP and a web server of the
// test's own on the loopback address.

#include "app/FrmMDI.h"
#include "datamgmt/FormUploadDatabase.h"
#include "datamgmt/SupportUpload.h"
#include "shell/Globals.h"
#include "support/OldDataWriter.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QUrlQuery>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace vh;
using namespace vh::test;

namespace {

const QString kFolder = QStringLiteral("brisvel_Uploads");

// The loopback servers, running while the object lives.
class Servers {
public:
    explicit Servers(const QString& root, const QStringList& extra = {})
        : root_(root), posts_(root + QStringLiteral("/posts.txt"))
    {
        QDir().mkpath(root + QStringLiteral("/ftp"));
        proc_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        proc_.start(QStringLiteral("/usr/bin/python3"),
                    QStringList{QStringLiteral(VH_UPLOAD_SERVERS), QStringLiteral("--root"), ftpRoot(),
                                QStringLiteral("--folder"), kFolder, QStringLiteral("--posts"), posts_} +
                        extra);
        if (proc_.waitForStarted(5000) && proc_.waitForReadyRead(15000))
            ports_ = QJsonDocument::fromJson(proc_.readLine()).object();
    }
    ~Servers()
    {
        proc_.closeWriteChannel();
        if (!proc_.waitForFinished(3000))
            proc_.kill();
        proc_.waitForFinished(3000);
    }
    bool up() const { return ports_.contains(QStringLiteral("ftp")); }
    int port(const char* name) const { return ports_.value(QLatin1String(name)).toInt(); }
    QString ftpRoot() const { return root_ + QStringLiteral("/ftp"); }
    QString stored(const QString& name) const { return ftpRoot() + QLatin1Char('/') + kFolder + QLatin1Char('/') + name; }
    QByteArray posts() const { return readBytes(posts_); }

    UploadSettings settings() const
    {
        UploadSettings s = UploadSettings::defaults();
        s.ftpHost = QStringLiteral("127.0.0.1");
        s.ftpPort = port("ftp");
        s.ftpFolder = kFolder;
        s.notifyUrl = QStringLiteral("http://127.0.0.1:%1/uploadnotify/").arg(port("http"));
        s.connectSeconds = 2;
        s.stallSeconds = 2;
        s.webSeconds = 5;
        return s;
    }

private:
    QString root_;
    QString posts_;
    QProcess proc_;
    QJsonObject ports_;
};

// A loopback port that nothing listens on.
int closedPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), len);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}

ProblemReport sampleReport()
{
    return {QStringLiteral("Pat O'Neil"), QStringLiteral("pat@example.org"), QString(), QStringLiteral("HD-17"),
            QStringLiteral("Standings & totals differ\nafter import")};
}

}  // namespace

class TstUpload : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    QString dbPath;

    void fill(FormUploadDatabase& w, const ProblemReport& r)
    {
        w.TextName->setText(r.name);
        w.TextEmail->setText(r.email);
        w.TextTelephone->setText(r.phone);
        w.TextHelpDeskTicket->setText(r.ticket);
        w.TextDescription->setPlainText(r.description);
    }

    // Runs the window modally as the frame does, typing `r` and sending it,
    // with `during` run while the upload goes on.
    void sendThroughWindow(FormUploadDatabase& w, const ProblemReport& r, const std::function<void()>& during = {})
    {
        const auto old = Dialog::setModalHook([&](Dialog*) {
            fill(w, r);
            if (during)
                QTimer::singleShot(300, &w, during);
            w.cmdUpload->click();
        });
        w.UploadDataPath = dbPath;
        w.showModal();
        Dialog::setModalHook(old);
    }

    void verifyIdle(FormUploadDatabase& w)
    {
        QVERIFY(!w.isVisible());
        QVERIFY(w.cmdUpload->isEnabled());
        QVERIFY(w.Frame1->isEnabled());
        QVERIFY(w.LabelInstructions->isVisibleTo(&w));
        QVERIFY(!w.LabelStatus->isVisibleTo(&w));
        QVERIFY(!w.ProgressBar1->isVisibleTo(&w));
    }

private slots:
    void init()
    {
        env = TestEnv::withNewDatabase();
        dbPath = g.DbPath;
        g.Db->close();  // the frame closes it before the upload
    }
    void cleanup() { env.reset(); }

    void reportTextNamesAndPaths()
    {
        SystemFacts f{QStringLiteral("/opt/prog"), QStringLiteral("velloran"), QStringLiteral("2.0.1"),
                      QStringLiteral("/data/Data/murqn.mdb"), QStringLiteral("Linux 6.1 (x86_64-#1)")};
        ProblemReport r = sampleReport();
        QCOMPARE(BuildData(r, f),
                 QStringLiteral("Name: Pat O'Neil\r\nEmail: pat@example.org\r\nPhone: \r\nHelpDesk: HD-17\r\n"
                                "Desc: Standings & totals differ\nafter import\r\nProgPath: /opt/prog\r\n"
                                "Exe: velloran\r\nBuild: 2.0.1\r\nDataPath: /data/Data/murqn.mdb\r\n"
                                "WinVer: Linux 6.1 (x86_64-#1)"));
        QVERIFY(r.complete());
        r.name = QStringLiteral("   ");
        QVERIFY(!r.complete());

        QCOMPARE(UploadTimeStamp(QDateTime(QDate(2026, 3, 4), QTime(7, 5, 9))), QStringLiteral("2026-03-04-070509"));
        QCOMPARE(ParsePath(QStringLiteral("/data/Data/murqn.mdb"), QStringLiteral("DIR")), QStringLiteral("/data/Data/"));
        QCOMPARE(ParsePath(QStringLiteral("C:murqn.v2.mdb"), QStringLiteral("name")), QStringLiteral("murqn.v2.mdb"));
        QCOMPARE(ParsePath(QStringLiteral("murqn.v2.mdb"), QStringLiteral("nameonly")), QStringLiteral("murqn"));
        QCOMPARE(ParsePath(QStringLiteral("a/b"), QStringLiteral("other")), QString());
        QVERIFY(!getVersion().isEmpty());
    }

    void formFieldsFilledByName()
    {
        const QByteArray page = "<p><FORM Action='post.asp?x=1&amp;y=2'><input type=hidden name=keep value=\"a &quot;b&quot;\">"
                                "<input name=Email value=old><textarea name=Desc>old text</textarea>"
                                "<input type=submit value=Go></FORM><form action=/no><input name=no></form>";
        const auto form = FirstWebForm(page, QStringLiteral("http://h/uploadnotify/"));
        QVERIFY(form);
        QCOMPARE(form->action, QStringLiteral("http://h/uploadnotify/post.asp?x=1&y=2"));
        QCOMPARE(form->fields.size(), 3);
        const QUrlQuery q(QString::fromLatin1(EncodeWebForm(
            *form, {{QStringLiteral("Email"), QStringLiteral("a+b@c")}, {QStringLiteral("uploadfile"), QStringLiteral("x y")}})));
        QCOMPARE(q.queryItemValue(QStringLiteral("keep"), QUrl::FullyDecoded), QStringLiteral("a \"b\""));
        QCOMPARE(q.queryItemValue(QStringLiteral("Email"), QUrl::FullyDecoded), QStringLiteral("a+b@c"));
        QCOMPARE(q.queryItemValue(QStringLiteral("Desc"), QUrl::FullyDecoded), QStringLiteral("old text"));
        QCOMPARE(q.queryItemValue(QStringLiteral("uploadfile"), QUrl::FullyDecoded), QStringLiteral("x y"));
        QVERIFY(!FirstWebForm("<p>no form here</p>", QStringLiteral("http://h/")));
    }

    void bothFilesArriveWholeAndTheFormIsPosted()
    {
        // A server slower than the network's buffers are large.
        Servers s(env->root(), {QStringLiteral("--throttle"), QStringLiteral("262144")});
        QVERIFY(s.up());
        // Bytes of every value, so that nothing on the way treats it as text.
        QByteArray db = readBytes(dbPath);
        for (int i = 0; db.size() < 1024 * 1024; ++i)
            db.append(char(i));
        writeBytes(dbPath, db);
        const QDateTime when(QDate(2026, 12, 6), QTime(23, 4, 5));
        const QString storedDb = s.stored(QStringLiteral("2026-12-06-230405-murqn.mdb"));
        QList<UploadStage> stages;
        // The bar shows what the server holds (give or take its system's
        // buffer), and 100 only once it holds it all.
        int shownAhead = 0;
        UploadCallbacks cb;
        cb.stage = [&](UploadStage st) { stages << st; };
        cb.progress = [&](int percent) {
            if (stages.last() != UploadStage::UploadingDatabase)
                return;
            const int held = int(QFileInfo(storedDb).size() * 100 / db.size());
            shownAhead = std::max(shownAhead, percent == 100 && held < 100 ? 100 : percent - held);
        };
        UploadSettings settings = s.settings();
        settings.stallSeconds = 5;  // the slow server answers late
        const SystemFacts facts = SystemFacts::current(dbPath);
        const UploadOutcome out = SendToSupport(settings, sampleReport(), facts, when, cb);
        QCOMPARE(out.kind, UploadOutcome::Sent);
        QCOMPARE(stages.size(), 4);
        QVERIFY2(shownAhead <= 15, qPrintable(QString::number(shownAhead)));

        QCOMPARE(readBytes(storedDb), db);
        const QByteArray text = (BuildData(sampleReport(), facts) + QStringLiteral("\r\n")).toUtf8();
        QCOMPARE(readBytes(s.stored(QStringLiteral("2026-12-06-230405-upload.txt"))), text);
        QCOMPARE(readBytes(ParsePath(dbPath, QStringLiteral("dir")) + QStringLiteral("upload.txt")), text);

        const QList<QByteArray> post = s.posts().split('\n');
        QCOMPARE(post.value(0), QByteArray("/uploadnotify/submit.asp"));
        const QUrlQuery q(QString::fromUtf8(post.value(1)).replace(QLatin1Char('+'), QStringLiteral("%20")));
        const auto v = [&q](const char* name) { return q.queryItemValue(QLatin1String(name), QUrl::FullyDecoded); };
        QCOMPARE(v("customername"), QStringLiteral("Pat O'Neil"));
        QCOMPARE(v("Email"), QStringLiteral("pat@example.org"));
        QCOMPARE(v("Phone"), QString());
        QVERIFY(q.hasQueryItem(QStringLiteral("Phone")));
        QCOMPARE(v("helpdesk"), QStringLiteral("HD-17"));
        QCOMPARE(v("Desc"), QStringLiteral("Standings & totals differ\nafter import"));
        QCOMPARE(v("uploadfile"), QStringLiteral("2026-12-06-230405-murqn.mdb"));
        QCOMPARE(v("sysdata"), BuildSysData(facts).replace(QStringLiteral("\r\n"), QStringLiteral(", ")));
        QCOMPARE(v("source"), QStringLiteral("program"));  // the page's own hidden field goes back
    }

    void windowSendsAndSaysSo_data()
    {
        QTest::addColumn<QStringList>("account");
        QTest::newRow("full") << QStringList();
        // A drop box: it takes files but tells neither sizes nor listings.
        QTest::newRow("write-only") << QStringList{QStringLiteral("--perm"), QStringLiteral("ew")};
    }
    void windowSendsAndSaysSo()
    {
        QFETCH(QStringList, account);
        Servers s(env->root(), account);
        QVERIFY(s.up());
        FormUploadDatabase w;
        w.Settings = s.settings();
        env->expectMsgBox(QStringLiteral("File was uploaded successfully to Brisvel Software"), vbOK,
                          QStringLiteral("Upload Complete"));
        sendThroughWindow(w, sampleReport());
        QCOMPARE(env->pendingExpectations(), 0);
        verifyIdle(w);
        QCOMPARE(QDir(s.ftpRoot() + QLatin1Char('/') + kFolder).entryList(QDir::Files).size(), 2);
        // The typed texts stay for the next opening.
        QCOMPARE(w.TextName->text(), QStringLiteral("Pat O'Neil"));
    }

    void missingFieldsSendNothing()
    {
        FrmMDI frame;
        frame.setGeometry(30, 40, 1000, 700);
        g.Frame = &frame;
        FormUploadDatabase w(&frame);
        w.Settings.ftpHost = QStringLiteral("127.0.0.1");
        w.Settings.ftpPort = closedPort();
        ProblemReport r = sampleReport();
        r.description = QStringLiteral(" \n ");
        env->expectMsgBox(QStringLiteral("You must enter Name, Email and Description before uploading your data"));
        const auto old = Dialog::setModalHook([&](Dialog*) {
            fill(w, r);
            w.cmdUpload->click();
            grab(&w, "upload");
            QVERIFY(w.isVisible());  // the window stays for the user to complete it
            // It opens in the middle of the frame.
            QVERIFY((w.frameGeometry().center() - frame.frameGeometry().center()).manhattanLength() <= 2);
            QVERIFY(w.cmdUpload->isEnabled());
            w.cmdCancel->click();
        });
        w.UploadDataPath = dbPath;
        w.showModal();
        Dialog::setModalHook(old);
        QVERIFY(!QFile::exists(ParsePath(dbPath, QStringLiteral("dir")) + QStringLiteral("upload.txt")));
        verifyIdle(w);
        g.Frame = nullptr;
    }

    void failuresEndWithTheirMessageAndReset_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        const QString connect = QStringLiteral("Unable to Connect to Brisvel Software.  You may have a firewall");
        QTest::newRow("refused") << "refused" << connect << "Connection Error";
        QTest::newRow("stalled") << "stalled" << connect << "Connection Error";
        QTest::newRow("ftp error") << "readonly" << "Error Uploading Database.  Error Code: 25 Error Message: Sending "
                                   << "Upload Error";
        const QString form = QStringLiteral("Error Message: The files were sent, but the notification form at http");
        QTest::newRow("form refused") << "form" << form << "Upload Error";
        // No HTTP status stands in for an error code.
        QTest::newRow("page without form") << "no-form" << "Error Uploading Database.  " + form << "Upload Error";
    }
    void failuresEndWithTheirMessageAndReset()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QFETCH(QString, title);
        QStringList extra;
        if (kind == QLatin1String("readonly"))
            extra << QStringLiteral("--perm") << QStringLiteral("elr");
        if (kind == QLatin1String("form"))
            extra << QStringLiteral("--form-status") << QStringLiteral("500");
        if (kind == QLatin1String("no-form"))
            extra << QStringLiteral("--no-form");
        Servers s(env->root(), extra);
        QVERIFY(s.up());
        FormUploadDatabase w;
        w.Settings = s.settings();
        if (kind == QLatin1String("refused"))
            w.Settings.ftpPort = closedPort();
        if (kind == QLatin1String("stalled"))
            w.Settings.ftpPort = s.port("stall");
        env->expectMsgBox(message, vbOK, title);
        QElapsedTimer clock;
        clock.start();
        sendThroughWindow(w, sampleReport());
        QVERIFY(clock.elapsed() < 20000);  // every wait has its limit
        QCOMPARE(env->pendingExpectations(), 0);
        verifyIdle(w);
    }

    void cancelStopsTheTransferQuietly()
    {
        // A database large enough, and a server slow enough, to still be
        // sending when Cancel is pressed.
        writeBytes(dbPath, readBytes(dbPath) + QByteArray(8 * 1024 * 1024, 'x'));
        Servers s(env->root(), {QStringLiteral("--throttle"), QStringLiteral("65536")});
        QVERIFY(s.up());
        FormUploadDatabase w;
        w.Settings = s.settings();
        bool cancelSeenUploading = false;
        sendThroughWindow(w, sampleReport(), [&] {
            cancelSeenUploading = !w.cmdUpload->isEnabled() && w.cmdCancel->isEnabled();
            grab(&w, "upload-sending");
            w.cmdCancel->click();
        });
        QVERIFY(cancelSeenUploading);
        QVERIFY(env->shownMessages().isEmpty());
        verifyIdle(w);
        QVERIFY(s.posts().isEmpty());
    }
};

VH_TEST_MAIN(TstUpload)
#include "tst_upload.moc"
