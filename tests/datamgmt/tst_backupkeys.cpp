// The back-up dialog under the keys and a screen reader: Enter and Esc, typed
// while the dialog's own question is open, run nothing (the import and the
// restore go on once, as answered); a folder only highlighted in the folder
// list is the one OK uses when a screen reader presses OK, as it is after a
// click.

#include "datamgmt/BackupCore.h"
#include "datamgmt/TeamExport.h"
#include "datamgmt/TransferTestData.h"
#include "datamgmt/frmBackup.h"
#include "platform/FileLists.h"
#include "platform/MsgBox.h"
#include "shell/Globals.h"
#include "shell/Procedures.h"
#include "support/OldDataWriter.h"
#include "support/ScreenReader.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"
#include "teams/TeamTestData.h"
#include "teams/frmSelectTeam.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>

using namespace vh;
using namespace vh::test;

namespace {

// The teams the database holds, by name.
QStringList storedTeams()
{
    QStringList names;
    Db().forEachRow(QStringLiteral("select LongTeamName from Teams order by LongTeamName"), {},
                    [&names](const RowView& r) { names << r.text(0); });
    return names;
}

// The texts of the boxes shown.
QStringList shownTexts(const TestEnv& env)
{
    QStringList texts;
    for (const MsgBoxCall& call : env.shownMessages())
        texts << call.text;
    return texts;
}

const QStringList leagueTeams{"Elms", "Firs", "Oaks"};

}  // namespace

class TstBackupKeys : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<QTemporaryDir> out;  // the user's own folder

    QString backupFolder() const { return g.DataFolder + QStringLiteral("backup"); }

    // The dialog as the frame opens it.
    static frmBackup* open(const char* mode)
    {
        CloseOpenForms();
        g.BackupMode = mode;
        return Load<frmBackup>();
    }
    // The window is active, as the user has it, and stays so: what the window
    // system still had to say of the windows shown before has been said.
    static bool activate(QWidget* window)
    {
        window->activateWindow();
        return QTest::qWaitForWindowActive(window);
    }
    static void addKeyRows()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }
    static DirListBox* dir(frmBackup* f) { return control<DirListBox>(f, "Dir1"); }
    static QPushButton* ok(frmBackup* f) { return control<QPushButton>(f, "cmdOK"); }

    // OK clicked in the dialog on the folder `folder`; while the box holding
    // `question` is open, `key` is typed where the focus is (on OK, where the
    // click left it) and the program goes on past a pressed button's click.
    // Every box is answered Yes; whether the dialog was still open then comes
    // back.
    bool keyWhileAsked(frmBackup* f, const QString& folder, const QString& question, Qt::Key key)
    {
        if (!activate(f))
            return false;
        dir(f)->setPath(folder);
        env->acceptAnyMsgBox(vbYes);
        bool stayed = false;
        const WhileBoxIsOpen asked(question, [&] {
            if (QWidget* focus = QApplication::focusWidget())
                QTest::keyClick(focus, key);
            QTest::qWait(250);
            stayed = Loaded<frmBackup>() == f;
        });
        ok(f)->setFocus(Qt::MouseFocusReason);
        QTest::mouseClick(ok(f), Qt::LeftButton);
        flushDeletes();
        return asked.happened() && stayed;
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        env->runSetup();
        Load<frmSelectTeam>();
        out = std::make_unique<QTemporaryDir>();
    }
    void cleanup()
    {
        closeDialogAndProgram(env);
        out.reset();
    }

    // A league whose every team was exported comes back in over itself: each
    // team is asked about and replaced once, whatever key is typed while the
    // first question is open.
    void keysDuringTheImportsQuestionRunNothing_data() { addKeyRows(); }
    void keysDuringTheImportsQuestionRunNothing()
    {
        QFETCH(int, key);
        int person = 0;
        for (const QString& team : leagueTeams) {
            ++person;
            addTransferTeam(Db(), person, team, {{person, QStringLiteral("Player"), team}});
        }
        ExportTeamFile(Db(), g.DataFolder, out->path() + QStringLiteral("/league.mdb"),
                       {{1, leagueTeams[0]}, {2, leagueTeams[1]}, {3, leagueTeams[2]}});
        Unload<frmSelectTeam>();
        Load<frmSelectTeam>();

        const bool stayed = keyWhileAsked(open("I"), out->path(), QStringLiteral("already on database"), Qt::Key(key));
        QStringList asked;
        for (const QString& team : leagueTeams)
            asked << team + QStringLiteral(" already on database.\r\rDo you want to replace all current team data "
                                           "for the above team?");
        QCOMPARE(shownTexts(*env), asked << QStringLiteral("3 database team(s) successfully imported!"));
        QCOMPARE(storedTeams(), leagueTeams);
        QCOMPARE(rowsOf(QStringLiteral("Roster")), 3);
        QVERIFY(stayed);
    }

    // A restore is asked about once and restores once: no second question,
    // no failure told after its success.
    void keysDuringTheRestoresQuestionRunNothing_data() { addKeyRows(); }
    void keysDuringTheRestoresQuestionRunNothing()
    {
        QFETCH(int, key);
        addTransferTeam(Db(), 1, QStringLiteral("Backed Up"), {});
        QDir().mkpath(out->path() + QStringLiteral("/saved"));
        CopyDatabaseChecked(g.DataFolder + MainDatabaseFileName, out->path() + QStringLiteral("/saved/murqn.mdb"));
        addTransferTeam(Db(), 2, QStringLiteral("Added Later"), {});

        const bool stayed = keyWhileAsked(open("R"), out->path() + QStringLiteral("/saved"),
                                          QStringLiteral("Are you sure you want to replace your Database?"),
                                          Qt::Key(key));
        QCOMPARE(shownTexts(*env), (QStringList{"Are you sure you want to replace your Database?",
                                                "Database successfully restored!"}));
        QCOMPARE(storedTeams(), QStringList{"Backed Up"});
        QVERIFY(stayed);
    }

    // A folder a screen reader highlights in the folder list (its entry's
    // Toggle) is the one OK uses when the reader presses OK: OK takes the
    // focus from the list as a click does, and the list's lost focus makes
    // the highlighted folder the chosen one. The data folder's own "backup"
    // folder, where the list opens, holds its own files, left alone.
    void aHighlightedFolderCountsWhenAReaderPressesOk_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("back up") << "B";
        QTest::newRow("restore") << "R";
        QTest::newRow("import") << "I";
    }
    void aHighlightedFolderCountsWhenAReaderPressesOk()
    {
        QFETCH(QString, mode);
        const QString club = backupFolder() + QStringLiteral("/club");
        QDir().mkpath(club);
        const QString live = g.DataFolder + MainDatabaseFileName;
        // A back-up and a team file in "backup"; in "club" what the mode
        // takes, each with a team named after its folder.
        for (const QString& folder : {backupFolder(), club}) {
            const QString team = QStringLiteral("Team of ") + QFileInfo(folder).fileName();
            Db().execute(QStringLiteral("delete from Teams"));
            addTransferTeam(Db(), 1, team, {}, 0);
            if (folder != club || mode == u"R")
                CopyDatabaseChecked(live, folder + QStringLiteral("/murqn.mdb"));
            if (folder != club || mode == u"I")
                ExportTeamFile(Db(), g.DataFolder, folder + QStringLiteral("/teams.mdb"), {{1, team}});
        }
        Db().execute(QStringLiteral("update Teams set LongTeamName = 'Live'"));
        const QByteArray backupOfBackup = readBytes(backupFolder() + QStringLiteral("/murqn.mdb"));
        Unload<frmSelectTeam>();
        Load<frmSelectTeam>();

        frmBackup* f = open(qPrintable(mode));
        QVERIFY(activate(f));
        QCOMPARE(dir(f)->path(), backupFolder());
        const QList<QListWidgetItem*> entries = dir(f)->findItems(QStringLiteral("club"), Qt::MatchEndsWith);
        QCOMPARE(entries.size(), 1);
        reader::choose(dir(f), dir(f)->row(entries[0]));
        QCOMPARE(dir(f)->path(), backupFolder());  // only highlighted
        if (mode == u"B") {
            env->expectMsgBox(QStringLiteral("Database successfully backed up!"));
        } else if (mode == u"R") {
            env->expectMsgBox(QStringLiteral("Are you sure you want to replace your Database?"), vbYes);
            env->expectMsgBox(QStringLiteral("Database successfully restored!"));
        } else {
            env->expectMsgBox(QStringLiteral("1 database team(s) successfully imported!"));
        }
        reader::press(ok(f));
        QTRY_COMPARE(env->pendingExpectations(), 0);
        flushDeletes();
        QVERIFY(!Loaded<frmBackup>());
        if (mode == u"B")
            QCOMPARE(textIn(club + QStringLiteral("/murqn.mdb"), QStringLiteral("select LongTeamName from Teams")),
                     QStringLiteral("Live"));
        else if (mode == u"R")
            QCOMPARE(storedTeams(), QStringList{"Team of club"});
        else
            QCOMPARE(storedTeams(), (QStringList{"Live", "Team of club"}));
        QVERIFY(readBytes(backupFolder() + QStringLiteral("/murqn.mdb")) == backupOfBackup);
    }
};

VH_TEST_MAIN(TstBackupKeys)
#include "tst_backupkeys.moc"
