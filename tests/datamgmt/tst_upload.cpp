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
#include <QGroupBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QUrlQuery>

using namespace vh;
using namespace vh::test;

namespace {

const QString kFolder = QStringLiteral("brisvel_Uploads");

// The loopback servers, running while the object lives; each account and
// web path behaves as its test needs (see upload_servers.py).
class Servers {
public:
    explicit Servers(const QString& root) : root_(root), posts_(root + QStringLiteral("/posts.txt"))
    {
        QDir().mkpath(ftpRoot());
        proc_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        proc_.start(QStringLiteral("/usr/bin/python3"),
                    {QStringLiteral(VH_UPLOAD_SERVERS), QStringLiteral("--root"), ftpRoot(), QStringLiteral("--folder"),
                     kFolder, QStringLiteral("--posts"), posts_});
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
    QStringList storedFiles() const { return QDir(stored(QString())).entryList(QDir::Files); }
    QByteArray posts() const { return readBytes(posts_); }
    // Nothing stored, nothing posted.
    void clear() const
    {
        for (const QString& f : storedFiles())
            QFile::remove(stored(f));
        QFile::remove(posts_);
    }

    UploadSettings settings(const QString& user = QStringLiteral("uploadfiles"),
                            const QString& webPath = QStringLiteral("uploadnotify"), const char* webPort = "http") const
    {
        UploadSettings s = UploadSettings::defaults();
        s.ftpHost = QStringLiteral("127.0.0.1");
        s.ftpPort = port("ftp");
        s.user = user;
        s.ftpFolder = kFolder;
        s.notifyUrl = QStringLiteral("http://127.0.0.1:%1/%2/").arg(port(webPort)).arg(webPath);
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

ProblemReport sampleReport()
{
    return {QStringLiteral("Pat O'Neil"), QStringLiteral("pat@example.org"), QString(), QStringLiteral("HD-17"),
            QStringLiteral("Standings & totals differ\nafter import")};
}

}  // namespace

class TstUpload : public QObject {
    Q_OBJECT
    QTemporaryDir serverDir;
    std::unique_ptr<Servers> servers;
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
    // with `during` run at the first progress the upload shows.
    void sendThroughWindow(FormUploadDatabase& w, const ProblemReport& r, const std::function<void()>& during = {})
    {
        bool ran = false;
        if (during)
            connect(w.ProgressBar1, &QProgressBar::valueChanged, &w, [&](int percent) {
                if (percent > 0 && !std::exchange(ran, true))
                    during();
            });
        const auto old = Dialog::setModalHook([&](Dialog*) {
            fill(w, r);
            w.cmdUpload->click();
        });
        w.UploadDataPath = dbPath;
        w.showModal();
        Dialog::setModalHook(old);
        disconnect(w.ProgressBar1, nullptr, &w, nullptr);
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
    void initTestCase()
    {
        servers = std::make_unique<Servers>(serverDir.path());
        QVERIFY(servers->up());
    }
    void cleanupTestCase() { servers.reset(); }
    void init()
    {
        servers->clear();
        env = TestEnv::withNewDatabase();
        dbPath = g.DbPath;
        g.Db->close();  // the frame closes it before the upload
    }
    void cleanup() { env.reset(); }

    void reportText()
    {
        SystemFacts f{QStringLiteral("/opt/prog"), QStringLiteral("velloran"), QStringLiteral("2.0.1"),
                      QStringLiteral("/data/Data/murqn.mdb"), QStringLiteral("Linux 6.1 (x86_64-#1)")};
        QCOMPARE(BuildData(sampleReport(), f),
                 QStringLiteral("Name: Pat O'Neil\r\nEmail: pat@example.org\r\nPhone: \r\nHelpDesk: HD-17\r\n"
                                "Desc: Standings & totals differ\nafter import\r\nProgPath: /opt/prog\r\n"
                                "Exe: velloran\r\nBuild: 2.0.1\r\nDataPath: /data/Data/murqn.mdb\r\n"
                                "WinVer: Linux 6.1 (x86_64-#1)"));
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
        // Bytes of every value, so that nothing on the way treats it as text.
        QByteArray db = readBytes(dbPath);
        for (int i = 0; db.size() < 240 * 1024; ++i)
            db.append(char(i));
        writeBytes(dbPath, db);
        const QDateTime when(QDate(2026, 12, 6), QTime(23, 4, 5));
        const QString storedDb = servers->stored(QStringLiteral("2026-12-06-230405-murqn.mdb"));
        QList<UploadStage> stages;
        // The bar shows what the server holds, not what its system has
        // acknowledged and keeps unread in a buffer of half this file, and
        // 100 only once it holds it all; it moves meanwhile.
        int shownAhead = 0;
        bool moved = false;
        UploadCallbacks cb;
        cb.stage = [&](UploadStage st) { stages << st; };
        cb.progress = [&](int percent) {
            if (stages.last() != UploadStage::UploadingDatabase)
                return;
            const int held = int(QFileInfo(storedDb).size() * 100 / db.size());
            shownAhead = std::max(shownAhead, percent == 100 && held < 100 ? 100 : percent - held);
            moved = moved || (percent > 0 && percent < 100);
        };
        // A server slower than the client can send.
        UploadSettings settings = servers->settings(QStringLiteral("slow"));
        const SystemFacts facts = SystemFacts::current(dbPath);
        const UploadOutcome out = SendToSupport(settings, sampleReport(), facts, when, cb);
        QCOMPARE(out.kind, UploadOutcome::Sent);
        QCOMPARE(stages.size(), 4);
        QVERIFY2(shownAhead <= 5, qPrintable(QString::number(shownAhead)));
        QVERIFY(moved);

        QCOMPARE(readBytes(storedDb), db);
        const QByteArray text = (BuildData(sampleReport(), facts) + QStringLiteral("\r\n")).toUtf8();
        QCOMPARE(readBytes(servers->stored(QStringLiteral("2026-12-06-230405-upload.txt"))), text);
        QCOMPARE(readBytes(QFileInfo(dbPath).path() + QStringLiteral("/upload.txt")), text);

        const QList<QByteArray> post = servers->posts().split('\n');
        QCOMPARE(post.value(0), QByteArray("/uploadnotify/submit.asp"));
        const QUrlQuery q(QString::fromUtf8(post.value(1)).replace(QLatin1Char('+'), QStringLiteral("%20")));
        // Every field in the page's order, its own hidden one included.
        const QString sysData = BuildSysData(facts).replace(QStringLiteral("\r\n"), QStringLiteral(", "));
        QCOMPARE(q.queryItems(QUrl::FullyDecoded),
                 (QList<QPair<QString, QString>>{{"source", "program"}, {"customername", "Pat O'Neil"},
                                                 {"Email", "pat@example.org"}, {"Phone", ""}, {"helpdesk", "HD-17"},
                                                 {"Desc", "Standings & totals differ\nafter import"},
                                                 {"uploadfile", "2026-12-06-230405-murqn.mdb"}, {"sysdata", sysData}}));
    }

    void windowSendsAndSaysSo_data()
    {
        QTest::addColumn<QString>("account");
        QTest::newRow("full") << "uploadfiles";
        // A drop box: it takes files but tells neither sizes nor listings.
        QTest::newRow("write-only") << "dropbox";
    }
    void windowSendsAndSaysSo()
    {
        QFETCH(QString, account);
        FormUploadDatabase w;
        w.Settings = servers->settings(account);
        env->expectMsgBox(QStringLiteral("File was uploaded successfully to Brisvel Software"), vbOK,
                          QStringLiteral("Upload Complete"));
        sendThroughWindow(w, sampleReport());
        QCOMPARE(env->pendingExpectations(), 0);
        verifyIdle(w);
        QCOMPARE(servers->storedFiles().size(), 2);
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
        w.Settings.ftpPort = servers->port("closed");
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
        QVERIFY(!QFile::exists(QFileInfo(dbPath).path() + QStringLiteral("/upload.txt")));
        verifyIdle(w);
        g.Frame = nullptr;
    }

    void failuresEndWithTheirMessageAndReset_data()
    {
        QTest::addColumn<QString>("port");  // the FTP server's, a closed one, or one that never answers
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("webPort");  // the web server's, or a closed one
        QTest::addColumn<QString>("webPath");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        const QString connect = QStringLiteral("Unable to Connect to Brisvel Software.  You may have a firewall");
        const QString notified = QStringLiteral("Your data was uploaded to Brisvel Software but the Helpdesk could "
                                                "not be notified, so please contact the Helpdesk and give them the "
                                                "name of your uploaded file, ");
        QTest::newRow("refused") << "closed" << "uploadfiles" << "http" << "uploadnotify" << connect << "Connection Error";
        QTest::newRow("stalled") << "stall" << "uploadfiles" << "http" << "uploadnotify" << connect << "Connection Error";
        QTest::newRow("ftp error") << "ftp" << "readonly" << "http" << "uploadnotify"
                                   << "Error Uploading Database.  Error Code: 25 Error Message: Sending " << "Upload Error";
        // Both files are on the server: only telling support failed.
        QTest::newRow("web server down") << "ftp" << "uploadfiles" << "closed" << "uploadnotify" << notified
                                         << "Notification Error";
        QTest::newRow("form refused") << "ftp" << "uploadfiles" << "http" << "failing" << notified << "Notification Error";
        QTest::newRow("page without form") << "ftp" << "uploadfiles" << "http" << "closed" << notified
                                           << "Notification Error";
    }
    void failuresEndWithTheirMessageAndReset()
    {
        QFETCH(QString, port);
        QFETCH(QString, account);
        QFETCH(QString, webPort);
        QFETCH(QString, webPath);
        QFETCH(QString, message);
        QFETCH(QString, title);
        FormUploadDatabase w;
        w.Settings = servers->settings(account, webPath, qPrintable(webPort));
        if (port != QLatin1String("ftp"))
            w.Settings.ftpPort = servers->port(qPrintable(port));
        w.Settings.connectSeconds = 1;  // the server that never answers is given up on after that
        env->expectMsgBox(message, vbOK, title);
        QElapsedTimer clock;
        clock.start();
        sendThroughWindow(w, sampleReport());
        QVERIFY(clock.elapsed() < 20000);  // every wait has its limit
        QCOMPARE(env->pendingExpectations(), 0);
        verifyIdle(w);
        if (title == QLatin1String("Notification Error")) {
            // The name the user is given for support is the database's on the server.
            const MsgBoxCall box = env->shownMessages().constLast();
            QCOMPARE(box.style, vbOKOnly | vbExclamation);
            const QString named = box.text.mid(message.size()).chopped(1);
            QVERIFY2(named.endsWith(QStringLiteral("-murqn.mdb")) && servers->storedFiles().contains(named),
                     qPrintable(box.text));
        }
    }

    void cancelStopsTheTransferQuietly()
    {
        // A database large enough, and a server slow enough, to still be
        // sending when Cancel is pressed.
        writeBytes(dbPath, readBytes(dbPath) + QByteArray(2 * 1024 * 1024, 'x'));
        FormUploadDatabase w;
        w.Settings = servers->settings(QStringLiteral("slow"));
        bool cancelSeenUploading = false;
        sendThroughWindow(w, sampleReport(), [&] {
            cancelSeenUploading = !w.cmdUpload->isEnabled() && w.cmdCancel->isEnabled();
            grab(&w, "upload-sending");
            w.cmdCancel->click();
        });
        QVERIFY(cancelSeenUploading);
        QVERIFY(env->shownMessages().isEmpty());
        verifyIdle(w);
        QVERIFY(servers->posts().isEmpty());
    }
};

VH_TEST_MAIN(TstUpload)
#include "tst_upload.moc"
