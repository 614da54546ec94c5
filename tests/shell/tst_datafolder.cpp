#include "platform/Folders.h"
#include "platform/MsgBox.h"
#include "shell/Common.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace vh;
using vh::test::TestEnv;

namespace {
void writeFile(const QString& path, const QByteArray& content = "x")
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
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
    QString productFolder() const
    {
        return env->appDataDir() + QStringLiteral("/Brisvel Software/Velloran for Hockey");
    }

private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void dataRootOutsideTheStandardFolderIsTheProgramFolder()
    {
        QCOMPARE(GetDataRootFolder(), env->programDir() + QStringLiteral("/"));
        writeFile(env->programDir() + QStringLiteral("/movefile.txt"));
        QCOMPARE(ReadINI(), False);
        QVERIFY(QFileInfo::exists(env->programDir() + QStringLiteral("/movefile.txt")));
        QVERIFY(!QFileInfo::exists(env->appDataDir() + QStringLiteral("/Brisvel Software")));
    }

    void dataRootOfAStandardInstallIsMadeUnderSharedData()
    {
        const QString installed = installStandard();
        // Letter case does not matter when the folders are compared.
        qputenv("VELLORAN_PROGRAM_DIR", installed.toUpper().toUtf8());
        QVERIFY(IsStandardInstall());
        qputenv("VELLORAN_PROGRAM_DIR", installed.toUtf8());
        QCOMPARE(GetDataRootFolder(), productFolder() + QStringLiteral("/"));
        QVERIFY(DirExists(productFolder()));
        QCOMPARE(GetDataRootFolder(), productFolder() + QStringLiteral("/"));  // found, nothing made again
    }

    void migrationMovesDataAndKeepsProgramFiles()
    {
        const QString installed = installStandard();
        writeFile(installed + QStringLiteral("/movefile.txt"));
        writeFile(installed + QStringLiteral("/Data/murqn.mdb"), "db");
        writeFile(installed + QStringLiteral("/backup/murqn.mdb"), "old");
        writeFile(installed + QStringLiteral("/notes.dat"), "n");
        writeFile(installed + QStringLiteral("/Install.LOG"), "l");
        writeFile(installed + QStringLiteral("/") + programExecutableName(), "exe");
        QCOMPARE(ReadINI(), True);
        QCOMPARE(env->shownMessages().size(), 0);
        const QString root = productFolder();
        QVERIFY(QFileInfo::exists(root + QStringLiteral("/Data/murqn.mdb")));
        QVERIFY(QFileInfo::exists(root + QStringLiteral("/Data/qn20db.shell")));
        QVERIFY(QFileInfo::exists(root + QStringLiteral("/backup/murqn.mdb")));
        QVERIFY(QFileInfo::exists(root + QStringLiteral("/notes.dat")));
        QVERIFY(!QFileInfo::exists(installed + QStringLiteral("/Data")));
        QVERIFY(!QFileInfo::exists(installed + QStringLiteral("/notes.dat")));
        QVERIFY(!QFileInfo::exists(installed + QStringLiteral("/movefile.txt")));
        // What belongs to the program stays.
        QVERIFY(QFileInfo::exists(installed + QStringLiteral("/Install.LOG")));
        QVERIFY(QFileInfo::exists(installed + QStringLiteral("/help/2070.html")));
        QVERIFY(QFileInfo::exists(installed + QStringLiteral("/") + programExecutableName()));
        QVERIFY(!QFileInfo::exists(root + QStringLiteral("/help")));
        QCOMPARE(ReadINI(), False);  // the marker is gone: nothing moves again
    }

    void entryThatCannotBeCopiedIsNeverDeleted()
    {
        const QString installed = installStandard();
        writeFile(installed + QStringLiteral("/movefile.txt"));
        writeFile(installed + QStringLiteral("/keep.dat"), "precious");
        // A folder of the same name in the data root makes the file copy fail.
        QDir().mkpath(productFolder() + QStringLiteral("/keep.dat/inside"));
        env->expectMsgBox(QStringLiteral("OldFolder: ") + installed + QStringLiteral("/keep.dat\r\nNewFolder: "), vbYes,
                          QStringLiteral("Error Handler"));
        QCOMPARE(ReadINI(), True);
        QVERIFY(QFileInfo::exists(installed + QStringLiteral("/keep.dat")));
        QVERIFY(env->shownMessages().first().text.contains(QStringLiteral(" Location: ReadINI")));
        QVERIFY(env->shownMessages().first().text.endsWith(
            QStringLiteral("\r\n\r\n\r\nWould you like to continue with the program?")));
        QVERIFY(!env->ended());
    }

    void noDuringMigrationEndsTheProgram()
    {
        const QString installed = installStandard();
        writeFile(installed + QStringLiteral("/movefile.txt"));
        writeFile(installed + QStringLiteral("/a.dat"));
        QDir().mkpath(productFolder() + QStringLiteral("/a.dat/x"));
        env->expectMsgBox(QStringLiteral(" Location: ReadINI"), vbNo, QStringLiteral("Error Handler"));
        ReadINI();
        QVERIFY(env->ended());
        QVERIFY(QFileInfo::exists(installed + QStringLiteral("/a.dat")));
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
        QVERIFY(DirExists(env->root()));
        writeFile(env->root() + QStringLiteral("/f.txt"));
        QVERIFY(FileExists(env->root() + QStringLiteral("/f.txt")));
        QVERIFY(!DirExists(env->root() + QStringLiteral("/f.txt")));
        QCOMPARE(StripNull(QStringLiteral("abc")), QStringLiteral("abc"));
        QCOMPARE(StripNull(QStringLiteral("ab") + QChar(0) + QStringLiteral("cd")), QStringLiteral("ab"));
        QCOMPARE(GetTempFolder(), env->tempDir() + QStringLiteral("/"));
        // A quiet copy of a missing file reports nothing and leaves the target alone.
        writeFile(env->root() + QStringLiteral("/target"), "keep");
        CopyFileQuiet(env->root() + QStringLiteral("/missing"), env->root() + QStringLiteral("/target"));
        QFile t(env->root() + QStringLiteral("/target"));
        QVERIFY(t.open(QIODevice::ReadOnly));
        QCOMPARE(t.readAll(), QByteArray("keep"));
    }

    void helpOpensTopicPages()
    {
        QStringList opened;
        setUrlOpener([&](const QString& url) {
            opened << url;
            return true;
        });
        g.ProgramFolder = env->programDir() + QStringLiteral("/");
        LocateHelpFile();
        QCOMPARE(g.HelpFilePath, env->programDir() + QStringLiteral("/help/"));
        for (const char* topic : {"2070", "2120", "2380", "2607"}) {
            ShowHelpTopic(QString::fromLatin1(topic));
            QCOMPARE(opened.last(), g.HelpFilePath + QString::fromLatin1(topic) + QStringLiteral(".html"));
            QVERIFY(QFileInfo::exists(opened.last()));
        }
        ShowHelpTopic(QStringLiteral("abc"));  // topic 0 has no page: the contents open
        QCOMPARE(opened.last(), g.HelpFilePath + QStringLiteral("index.html"));
        QVERIFY(QFileInfo::exists(opened.last()));
    }

    void helpFromANetworkFolder()
    {
        QStringList opened;
        setUrlOpener([&](const QString& url) {
            opened << url;
            return true;
        });
        g.ProgramFolder = env->programDir() + QStringLiteral("/");
        qputenv("VELLORAN_NETWORK_PATHS", env->programDir().toUtf8());
        LocateHelpFile();
        QCOMPARE(g.HelpFilePath, env->tempDir() + QStringLiteral("/velloran-help/"));
        QVERIFY(QFileInfo::exists(g.HelpFilePath + QStringLiteral("2070.html")));
        ShowHelpTopic(QStringLiteral("2070"));
        QCOMPARE(opened.size(), 1);
        // With the temporary folder on the network too, help cannot be shown.
        qputenv("VELLORAN_NETWORK_PATHS", (env->programDir() + QStringLiteral(":") + env->tempDir()).toUtf8());
        LocateHelpFile();
        env->expectMsgBox(QStringLiteral("Unable to display help."), vbOK, QStringLiteral("Help Error"));
        ShowHelpTopic(QStringLiteral("2070"));
        QCOMPARE(opened.size(), 1);
    }

    void webLinks()
    {
        QStringList opened;
        setUrlOpener([&](const QString& url) {
            opened << url;
            return !url.startsWith(QLatin1String("nothing:"));
        });
        env->expectMsgBox(QStringLiteral("An empty URL was encountered in WebPage.  This page cannot be loaded."));
        WebPage(QStringLiteral("   "));
        QVERIFY(opened.isEmpty());
        WebPage(QString::fromLatin1(VendorWebSite) + QStringLiteral("/technicalsupport"));
        QCOMPARE(opened.last(), QString::fromLatin1(VendorWebSite) + QStringLiteral("/technicalsupport"));
        env->expectMsgBox(QStringLiteral("Unable to link to nothing:x from WebPage. \rError code: 31\r\rYour browser"));
        WebPage(QStringLiteral("nothing:x"));
        QCOMPARE(env->pendingExpectations(), 0);
    }
};

VH_TEST_MAIN(TstDataFolder)
#include "tst_datafolder.moc"
