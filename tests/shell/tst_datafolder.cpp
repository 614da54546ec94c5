#include "platform/Folders.h"
#include "platform/MsgBox.h"
#include "shell/Common.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/Startup.h"
#include "support/OldDataWriter.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

using namespace vh;
using vh::test::TestEnv;

namespace {
void writeFile(const QString& path, const QByteArray& content = "x")
{
    QDir().mkpath(QFileInfo(path).path());
    test::writeBytes(path, content);
}
}  // namespace

class TstDataFolder : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

    // Makes the test's program folder the standard installation folder.
    QString installStandard()
    {
        const QString installed = env->programFilesDir() + QStringLiteral("/Brisvel Software/Velloran for Hockey");
        QDir().mkpath(QFileInfo(installed).path());
        QDir().rename(env->programDir(), installed);
        qputenv("VELLORAN_PROGRAM_DIR", installed.toUtf8());
        return installed;
    }
    QStringList& opened() { return env->openedUrls(); }
    QString productFolder() const
    {
        return env->appDataDir() + QStringLiteral("/Brisvel Software/Velloran for Hockey");
    }

private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    // Outside the standard folder the data stay with the program; a standard
    // installation's are made under the user's shared data.
    void dataRootFollowsWhereTheProgramIsInstalled()
    {
        QCOMPARE(GetDataRootFolder(), env->programDir() + QStringLiteral("/"));
        writeFile(env->programDir() + QStringLiteral("/movefile.txt"));
        QCOMPARE(ReadINI(), False);
        QVERIFY(QFileInfo::exists(env->programDir() + QStringLiteral("/movefile.txt")));
        QVERIFY(!QFileInfo::exists(env->appDataDir() + QStringLiteral("/Brisvel Software")));

        const QString installed = installStandard();
        // Letter case does not matter when the folders are compared.
        qputenv("VELLORAN_PROGRAM_DIR", installed.toUpper().toUtf8());
        QVERIFY(IsStandardInstall());
        qputenv("VELLORAN_PROGRAM_DIR", installed.toUtf8());
        QCOMPARE(GetDataRootFolder(), productFolder() + QStringLiteral("/"));
        QVERIFY(DirExists(productFolder()));
        QCOMPARE(GetDataRootFolder(), productFolder() + QStringLiteral("/"));  // found, nothing made again
    }

    void installedCopyGivesTheUserWhatTheyLack()
    {
        const QString installed = installStandard();
        writeFile(installed + QStringLiteral("/movefile.txt"));
        writeFile(installed + QStringLiteral("/backup/murqn.mdb"), "old");
        writeFile(installed + QStringLiteral("/notes.dat"), "n");
        writeFile(installed + QStringLiteral("/Install.LOG"), "l");
        writeFile(installed + QStringLiteral("/") + programExecutableName(), "exe");
        const QString root = productFolder();
        writeFile(root + QStringLiteral("/notes.dat"), "mine");  // the user's own stays
        QCOMPARE(ReadINI(), True);
        QCOMPARE(env->shownMessages().size(), 0);
        QVERIFY(QFileInfo::exists(root + QStringLiteral("/Data/qn20db.shell")));
        QVERIFY(QFileInfo::exists(root + QStringLiteral("/backup/murqn.mdb")));
        QCOMPARE(test::readBytes(root + QStringLiteral("/notes.dat")), QByteArray("mine"));
        // Copied, never moved: the installation keeps everything.
        for (const char* kept : {"/Data/qn20db.shell", "/backup/murqn.mdb", "/notes.dat", "/movefile.txt",
                                 "/Install.LOG", "/help/2070.html"})
            QVERIFY2(QFileInfo::exists(installed + QLatin1String(kept)), kept);
        // What belongs to the program is not copied.
        for (const char* own : {"/help", "/Install.LOG", "/movefile.txt"})
            QVERIFY2(!QFileInfo::exists(root + QLatin1String(own)), own);
        QVERIFY(!QFileInfo::exists(root + QStringLiteral("/") + programExecutableName()));
        QCOMPARE(ReadINI(), False);  // the user has it all now
    }

    void twoUsersOfAnInstalledCopyEachGetALeague()
    {
        // Installed as the install step leaves it, then made read-only.
        const QString installed = installStandard();
        writeFile(installed + QStringLiteral("/movefile.txt"));
        const QStringList readOnly = {installed, installed + QStringLiteral("/Data"),
                                      installed + QStringLiteral("/Data/qn20db.shell")};
        for (const QString& f : readOnly)
            QFile::setPermissions(f, fileMode(f) & ~(QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
        qunsetenv("XDG_DATA_HOME");  // each user's own home decides
        const QByteArray oldHome = qgetenv("HOME");
        for (const char* user : {"ann", "bob"}) {
            const QString home = env->root() + QStringLiteral("/home/") + QLatin1String(user);
            QDir().mkpath(home);
            if (geteuid() == 0)
                QVERIFY(::chown(QFile::encodeName(home).constData(), 65534, 65534) == 0);
            qputenv("HOME", home.toUtf8());
            resetGlobals();
            {
                test::AsOrdinaryUser ordinary(*env);
                env->runSetup();  // no box at all
                QVERIFY(!env->ended());
                QCOMPARE(g.DataFolder,
                         home + QStringLiteral("/.local/share/Brisvel Software/Velloran for Hockey/Data/"));
                QCOMPARE(Db().scalar(QStringLiteral("select count(*) from Teams")).toInt(), 0);
                Db().execute(QStringLiteral("insert into Teams (TeamNumber, LongTeamName) values (1, ?)"),
                             {QLatin1String(user)});
                SaveOptionsAndCloseDatabase();
            }
            env->clearEnded();
        }
        qputenv("HOME", oldHome);
        QCOMPARE(env->shownMessages().size(), 0);
        QVERIFY(QFileInfo::exists(installed + QStringLiteral("/Data/qn20db.shell")));
        QVERIFY(!QFileInfo::exists(installed + QStringLiteral("/Data/murqn.mdb")));
        QVERIFY(QFileInfo::exists(installed + QStringLiteral("/movefile.txt")));
        for (const QString& f : readOnly)  // so that the test's folder can go
            QFile::setPermissions(f, fileMode(f) | QFile::WriteOwner);
    }

    // Yes goes on with the entry left where it is; No ends the program.
    void entryThatCannotBeCopiedAsks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << int(vbYes);
        QTest::newRow("no") << int(vbNo);
    }
    void entryThatCannotBeCopiedAsks()
    {
        QFETCH(int, answer);
        const QString installed = installStandard();
        // A file where the user's data folder should be makes the copy fail.
        writeFile(productFolder() + QStringLiteral("/Data"), "in the way");
        env->expectMsgBox(QStringLiteral(" Location: ReadINI\r\n"), answer, QStringLiteral("Error Handler"));
        QCOMPARE(ReadINI(), False);
        QVERIFY(env->shownMessages().first().text.contains(QStringLiteral("OldFolder: ") + installed +
                                                           QStringLiteral("/Data\r\nNewFolder: ")));
        QVERIFY(QFileInfo::exists(installed + QStringLiteral("/Data/qn20db.shell")));
        QCOMPARE(env->ended(), answer == vbNo);
    }

    // A broken link in the installation is passed over and named once; the
    // entries beside and after it are copied all the same.
    void entryThatCannotBeReadIsNamedOnce()
    {
        const QString installed = installStandard();
        QVERIFY(QFile::link(installed + QStringLiteral("/gone.mdb"), installed + QStringLiteral("/Data/a.mdb")));
        QVERIFY(QFile::link(installed + QStringLiteral("/gone.txt"), installed + QStringLiteral("/b.txt")));
        writeFile(installed + QStringLiteral("/c.dat"), "c");
        writeFile(installed + QStringLiteral("/Data/z.dat"), "z");
        env->expectMsgBox(QStringLiteral("copied into ") + productFolder() + QStringLiteral("/:\r\r") + installed +
                              QStringLiteral("/b.txt\r") + installed +
                              QStringLiteral("/Data/a.mdb\r\rEverything else has been copied."),
                          vbOK, QStringLiteral("Not Copied"));
        QCOMPARE(ReadINI(), True);
        QCOMPARE(env->shownMessages().size(), 1);
        const QString root = productFolder();
        QCOMPARE(test::readBytes(root + QStringLiteral("/c.dat")), QByteArray("c"));
        QCOMPARE(test::readBytes(root + QStringLiteral("/Data/z.dat")), QByteArray("z"));
        QVERIFY(QFileInfo::exists(root + QStringLiteral("/Data/qn20db.shell")));

        // The next start says nothing of them; a new one is named alone.
        QCOMPARE(ReadINI(), False);
        QCOMPARE(env->shownMessages().size(), 1);
        QVERIFY(QFile::link(installed + QStringLiteral("/gone.ini"), installed + QStringLiteral("/d.ini")));
        env->expectMsgBox(QStringLiteral(":\r\r") + installed + QStringLiteral("/d.ini\r\rEverything"), vbOK,
                          QStringLiteral("Not Copied"));
        QCOMPARE(ReadINI(), False);
        QCOMPARE(env->shownMessages().size(), 2);
        QCOMPARE(ReadINI(), False);
        QCOMPARE(env->shownMessages().size(), 2);
    }

    void pathsAndFiles()
    {
        QString p = QStringLiteral("  ") + env->root() + QStringLiteral("  ");
        QVERIFY(IsLocalPath(p));
        QCOMPARE(p, env->root());  // the caller's text is trimmed
        QString unc = QStringLiteral("//server/share/x");
        QVERIFY(!IsLocalPath(unc));
        qputenv("VELLORAN_NETWORK_PATHS", (env->root() + QStringLiteral("/net")).toUtf8());
        QString net = env->root() + QStringLiteral("/net/folder");
        QVERIFY(!IsLocalPath(net));
        QVERIFY(!FileExists(env->root()));
        // A quiet copy of a missing file reports nothing and leaves the target alone.
        writeFile(env->root() + QStringLiteral("/target"), "keep");
        CopyFileQuiet(env->root() + QStringLiteral("/missing"), env->root() + QStringLiteral("/target"));
        QCOMPARE(test::readBytes(env->root() + QStringLiteral("/target")), QByteArray("keep"));
    }

    void helpOpensTopicPages()
    {
        g.ProgramFolder = env->programDir() + QStringLiteral("/");
        LocateHelpFile();
        QCOMPARE(g.HelpFilePath, env->programDir() + QStringLiteral("/help/"));
        ShowHelpTopic(QStringLiteral("2380"));
        QCOMPARE(opened().last(), g.HelpFilePath + QStringLiteral("2380.html"));
        QVERIFY(QFileInfo::exists(opened().last()));
        ShowHelpTopic(QStringLiteral("abc"));  // topic 0 has no page: the contents open
        QCOMPARE(opened().last(), g.HelpFilePath + QStringLiteral("index.html"));
        QVERIFY(QFileInfo::exists(opened().last()));
        setUrlOpener([](const QString&) { return false; });  // no browser
        env->expectMsgBox(g.HelpFilePath + QStringLiteral("2380.html"), vbOK, QStringLiteral("Help Error"));
        ShowHelpTopic(QStringLiteral("2380"));
        QCOMPARE(env->pendingExpectations(), 0);
    }

    void helpFromANetworkFolder()
    {
        g.ProgramFolder = env->programDir() + QStringLiteral("/");
        qputenv("VELLORAN_NETWORK_PATHS", env->programDir().toUtf8());
        LocateHelpFile();
        QCOMPARE(g.HelpFilePath, env->tempDir() + QStringLiteral("/velloran-help/"));
        QVERIFY(QFileInfo::exists(g.HelpFilePath + QStringLiteral("2070.html")));
        ShowHelpTopic(QStringLiteral("2070"));
        QCOMPARE(opened().size(), 1);
        // With the temporary folder on the network too, help cannot be shown.
        qputenv("VELLORAN_NETWORK_PATHS", (env->programDir() + QStringLiteral(":") + env->tempDir()).toUtf8());
        LocateHelpFile();
        env->expectMsgBox(QStringLiteral("Unable to display help."), vbOK, QStringLiteral("Help Error"));
        ShowHelpTopic(QStringLiteral("2070"));
        QCOMPARE(opened().size(), 1);
    }

    void webLinks()
    {
        setUrlOpener([this](const QString& url) {
            opened() << url;
            return !url.startsWith(QLatin1String("nothing:"));
        });
        env->expectMsgBox(QStringLiteral("An empty URL was encountered in WebPage.  This page cannot be loaded."));
        WebPage(QStringLiteral("   "));
        QVERIFY(opened().isEmpty());
        env->expectMsgBox(QStringLiteral("Unable to link to nothing:x from WebPage. \rError code: 127\r\rYour browser"));
        WebPage(QStringLiteral("nothing:x"));
        QCOMPARE(env->pendingExpectations(), 0);
    }
};

VH_TEST_MAIN(TstDataFolder)
#include "tst_datafolder.moc"
