// The import dialog's answer to a transfer file it cannot take whole or
// cannot finish: one message, in words about the user's file, and the
// database as the message says.

#include "datamgmt/BackupCore.h"
#include "datamgmt/TeamExport.h"
#include "datamgmt/TransferTestData.h"
#include "datamgmt/frmBackup.h"
#include "platform/FileLists.h"
#include "platform/MsgBox.h"
#include "shell/Globals.h"
#include "shell/Renumber.h"
#include "support/OldDataWriter.h"
#include "support/ScreenReader.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"
#include "teams/TeamTestData.h"
#include "teams/frmSelectTeam.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <optional>
#include <sqlite3.h>

using namespace vh;
using namespace vh::test;

namespace {

// Runs `sql` on `file` with SQLite alone, as a user's own tool would.
void plainSqlite(const QString& file, const char* sql)
{
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(file).constData(), &db), SQLITE_OK);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    const QString why = QString::fromUtf8(error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
    QVERIFY2(rc == SQLITE_OK, qPrintable(why));
}

}  // namespace

class TstImport : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    QTemporaryDir out;

    QString database() const { return g.DataFolder + MainDatabaseFileName; }
    QString transferFile() const { return out.path() + QStringLiteral("/hawks.mdb"); }

    // Pines, three players, three games of a game type the database knows,
    // exported to hawks.mdb; then `change` is made to the file with SQLite
    // alone. The file also brings a game type and a category name of its own,
    // which an import would add or offer before any team.
    void exportPines(const char* change = nullptr)
    {
        addGameType(Db(), 1, QStringLiteral("League"));
        addTransferTeam(Db(), 1, QStringLiteral("Pines"),
                        {{1, QStringLiteral("Ann"), QStringLiteral("One")}, {2, QStringLiteral("Bo"), QStringLiteral("Two")},
                         {3, QStringLiteral("Cy"), QStringLiteral("Three")}},
                        3, 1);
        Unload<frmSelectTeam>();
        Load<frmSelectTeam>();
        ExportTeamFile(Db(), g.DataFolder, transferFile(), {{1, QStringLiteral("Pines")}});
        plainSqlite(transferFile(), "insert into GameTypes values (9, 'Cup'); update NameYourOwnCats set "
                                    "CategoryDescription = 'Hit' where CategoryType = 'H' and CategoryNumber = 1");
        if (change)
            plainSqlite(transferFile(), change);
    }

    // How OK is pressed: a click, the space key on the focused button, or a
    // screen reader's press (which clicks a moment later).
    enum class Press { Click, Key, Reader };

    // OK in the import dialog on hawks.mdb.
    void importIt(Press how = Press::Click)
    {
        CloseOpenForms();
        g.BackupMode = "I";
        frmBackup* f = Load<frmBackup>();
        control<DirListBox>(f, "Dir1")->setPath(out.path());
        control<FileListBox>(f, "File1")->setCurrentItem(
            control<FileListBox>(f, "File1")->findItems(QStringLiteral("hawks.mdb"), Qt::MatchExactly).value(0));
        auto* ok = control<QPushButton>(f, "cmdOK");
        if (how == Press::Key) {
            f->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(f));
            ok->setFocus();
            QCOMPARE(QApplication::focusWidget(), ok);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        } else if (how == Press::Reader) {
            reader::press(ok);
            QTRY_COMPARE(env->pendingExpectations(), 0);
        } else {
            ok->click();
        }
        flushDeletes();
        QCOMPARE(env->pendingExpectations(), 0);
    }

    // The program started again on its database: the team list and the next
    // team number are what start-up makes of them.
    void restart()
    {
        unloadTeamWindows();
        g.Db->close();
        resetGlobals();
        env->runSetup();
        Load<frmSelectTeam>();
    }

    // The import shows `message` under `title`, alone, and leaves the
    // database and the game types as they were, the dialog open.
    void refused(const QString& message, const QString& title = QStringLiteral("Database Not Valid"),
                 Press how = Press::Click)
    {
        const QByteArray before = readBytes(database());
        const int types = g.NumberGameTypes;
        const qsizetype shown = env->shownMessages().size();
        env->expectMsgBox(message, vbOK, title);
        importIt(how);
        QCOMPARE(env->shownMessages().size(), shown + 1);
        QCOMPARE(env->shownMessages().last().text, message);
        QVERIFY(Loaded<frmBackup>());
        QVERIFY(readBytes(database()) == before);
        QCOMPARE(g.NumberGameTypes, types);
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        env->runSetup();
        Load<frmSelectTeam>();
    }
    void cleanup()
    {
        closeDialogAndProgram(env);
        for (const QString& f : QDir(out.path()).entryList(QDir::Files))
            QFile::remove(out.path() + QLatin1Char('/') + f);
    }

    // A file whose rows would be lost or come in belonging to nothing: the
    // stored team of the same name stays, nothing is asked or added.
    void aTeamThatWouldNotComeInWholeRefusesTheFile_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("what");
        QTest::newRow("no people") << "delete from People"
                                   << "The team \"Pines\" has player 1 on its roster, but the file holds no such person.";
        QTest::newRow("unusable person") << "update People set PersonNumber = x'02' where PersonNumber = 2"
                                         << "Its People.PersonNumber is not a number in one row.";
        QTest::newRow("no such person") << "update Roster set PersonNumber = 31000 where PersonNumber = 3"
                                        << "The team \"Pines\" has player 31000 on its roster, but the file holds no "
                                           "such person.";
        QTest::newRow("game without team") << "update GameStats set TeamNumber = null where GameNumber = 2"
                                           << "Its GameStats.TeamNumber is empty in one row.";
        QTest::newRow("game deleted") << "delete from GameStats where GameNumber = 2"
                                      << "The team \"Pines\" has player statistics for game 2, but the file holds no "
                                         "game 2 of that team.";
        QTest::newRow("team without number") << "update Teams set TeamNumber = null"
                                             << "Its Teams.TeamNumber is empty for the team \"Pines\".";
        // Import would look for person 2 by number and not find him.
        QTest::newRow("person as text") << "create table R (TeamNumber smallint, PersonNumber text, PlayerIndicator "
                                           "boolean, UniformNumber varchar(3), notes longtext); insert into R select "
                                           "* from Roster; drop table Roster; alter table R rename to Roster"
                                        << "Its Roster.PersonNumber is not stored as a whole number for the team "
                                           "\"Pines\".";
        QTest::newRow("game type twice") << "update GameTypes set GameTypeNumber = 1"
                                         << "Its GameTypes.GameTypeNumber is 1 in more than one row.";
    }
    void aTeamThatWouldNotComeInWholeRefusesTheFile()
    {
        QFETCH(QString, change);
        QFETCH(QString, what);
        exportPines(qPrintable(change));
        refused(QStringLiteral("hawks.mdb cannot be imported. ") + what + QStringLiteral("\r\rNothing was imported."));
        QCOMPARE(rowsOf(QStringLiteral("Roster")), 3);
    }

    // A team that lost a player keeps his statistics, and export leaves out
    // the people of no roster: they come in as nobody's, the rest whole.
    void statisticsOfAPlayerTheFileLacksComeInAsNobodys()
    {
        exportPines("delete from Roster where PersonNumber = 3; delete from People where PersonNumber = 3");
        Db().execute(QStringLiteral("update Teams set LongTeamName = 'Stored'"));
        env->expectMsgBox(QStringLiteral("Game type has been added: Cup"));
        env->expectMsgBox(QStringLiteral("New category name: Hit"), vbNo);
        env->expectMsgBox(QStringLiteral("1 database team(s) successfully imported!"), vbOK,
                          QStringLiteral("Import Complete"));
        importIt(Press::Key);
        QCOMPARE(rowsOf(QStringLiteral("Teams")), 2);
        const QString team = QStringLiteral("TeamNumber = (select TeamNumber from Teams where LongTeamName = 'Pines')");
        QCOMPARE(countRows(Db(), QStringLiteral("Roster"), team), 2);
        QCOMPARE(countRows(Db(), QStringLiteral("GameStats"), team), 3);
        QCOMPARE(countRows(Db(), QStringLiteral("PlayerStats"), team), 9);
        QCOMPARE(countRows(Db(), QStringLiteral("PlayerStats"), team + QStringLiteral(" and PlayerNumber = 0")), 3);
    }

    // The version is read first: a file of another version is told so,
    // whatever it lacks besides; a file of this version that lacks a table
    // or field is told what.
    void aFileOfAnotherVersionIsToldSoBeforeWhatItLacks_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QString noUserFields;
        for (const char* table : {"PlayerStats", "GoalieStats"})
            for (int i = 1; i <= 10; ++i)
                noUserFields += QStringLiteral("; alter table %1 drop column U%2").arg(QLatin1String(table)).arg(i);
        const QString wrongVersion = QStringLiteral("Import database version not 2.x.");
        const QString version = QStringLiteral("Wrong Database Version");
        const QString lacks = QStringLiteral("hawks.mdb is not a team database of Velloran for Hockey, or it is "
                                             "damaged.\r\r");
        const QString notValid = QStringLiteral("Database Not Valid");
        QTest::newRow("version 1 without U1 to U10")
            << QStringLiteral("update ProgramVersion set ProgramVersion = 1") + noUserFields << wrongVersion << version;
        QTest::newRow("version 1 without a table")
            << "update ProgramVersion set ProgramVersion = 1; drop table NameYourOwnCats" << wrongVersion << version;
        QTest::newRow("no version row, a field missing")
            << "delete from ProgramVersion; alter table GoalieStats drop column U1" << wrongVersion << version;
        QTest::newRow("version 2 without U1 to U10")
            << noUserFields.mid(2) << lacks + QStringLiteral("Its GoalieStats.U1 is missing.") << notValid;
        QTest::newRow("no version table")
            << "drop table ProgramVersion; alter table GoalieStats drop column U1"
            << lacks + QStringLiteral("It lacks the table ProgramVersion.") << notValid;
        QTest::newRow("no version field") << "alter table ProgramVersion drop column ProgramVersion"
                                          << lacks + QStringLiteral("Its ProgramVersion.ProgramVersion is missing.")
                                          << notValid;
    }
    void aFileOfAnotherVersionIsToldSoBeforeWhatItLacks()
    {
        QFETCH(QString, change);
        QFETCH(QString, message);
        QFETCH(QString, title);
        exportPines(qPrintable(change));
        refused(message, title);
    }

    // A team's long name is quoted whole up to 50 characters, its field's
    // size, and cut there with "..." when longer.
    void aLongTeamNameIsQuotedCutToFiftyCharacters_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("what");
        const QString fifty = QStringLiteral("Abcdefghij").repeated(5);
        QTest::newRow("50 characters") << QStringLiteral("update Teams set LongTeamName = '%1'; update Roster set "
                                                         "UniformNumber = '1234' where PersonNumber = 2")
                                              .arg(fifty)
                                       << QStringLiteral("Its Roster.UniformNumber is longer than 3 characters for "
                                                         "the team \"%1\".")
                                              .arg(fifty);
        QTest::newRow("51 characters") << QStringLiteral("update Teams set LongTeamName = '%1Z'").arg(fifty)
                                       << QStringLiteral("Its Teams.LongTeamName is longer than 50 characters for "
                                                         "the team \"%1...\".")
                                              .arg(fifty);
    }
    void aLongTeamNameIsQuotedCutToFiftyCharacters()
    {
        QFETCH(QString, change);
        QFETCH(QString, what);
        exportPines(qPrintable(change));
        refused(QStringLiteral("hawks.mdb cannot be imported. ") + what + QStringLiteral("\r\rNothing was imported."));
    }

    // Start-up makes the next team number one more than the largest stored:
    // 32767, the last, takes one team; once it is taken a file bringing a
    // team is refused before anything comes in.
    void theLastTeamNumberTakesOneTeamAndNoMore()
    {
        exportPines();
        Db().execute(QStringLiteral("update Teams set TeamNumber = 32766, LongTeamName = 'Stored'"));
        restart();
        QCOMPARE(g.NextTeamNumber, int16_t(32767));
        env->expectMsgBox(QStringLiteral("Game type has been added: Cup"));
        env->expectMsgBox(QStringLiteral("New category name: Hit"), vbNo);
        env->expectMsgBox(QStringLiteral("1 database team(s) successfully imported!"), vbOK,
                          QStringLiteral("Import Complete"));
        importIt(Press::Reader);
        QCOMPARE(Db().scalar(QStringLiteral("select group_concat(TeamNumber || ':' || LongTeamName) from Teams"))
                     .toString(),
                 QStringLiteral("32766:Stored,32767:Pines"));
        QCOMPARE(countRows(Db(), QStringLiteral("PlayerStats"), QStringLiteral("TeamNumber = 32767")), 9);

        restart();
        QCOMPARE(g.NextTeamNumber, int16_t(32767));
        refused(QStringLiteral("hawks.mdb cannot be imported. ") + NoNumberLeftMessage(KeyKind::Team).text +
                    QStringLiteral("\r\rNothing was imported."),
                NoNumberLeftMessage(KeyKind::Team).title, Press::Key);
    }

    // A restored back-up may have used the last team number: a file
    // bringing a team is refused before its game types come in.
    void noTeamNumberLeftRefusesTheFile()
    {
        exportPines();
        Db().execute(QStringLiteral("update Teams set TeamNumber = 32767"));
        refused(QStringLiteral("hawks.mdb cannot be imported. ") + NoNumberLeftMessage(KeyKind::Team).text +
                    QStringLiteral("\r\rNothing was imported."),
                NoNumberLeftMessage(KeyKind::Team).title);
    }

    // What a transfer file lacks is said in a sentence.
    void aFileLackingPartsOfATransferFileSaysWhich_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("what");
        QTest::newRow("table") << "drop table NameYourOwnCats" << "It lacks the table NameYourOwnCats.";
        QTest::newRow("field") << "alter table Teams drop column notes" << "Its Teams.notes is missing.";
        // Import reads its tables in the order their rows were written.
        QTest::newRow("no row order") << "create table T (GameTypeNumber smallint primary key, GameTypeDescription "
                                         "text) without rowid; insert into T select * from GameTypes; drop table "
                                         "GameTypes; alter table T rename to GameTypes"
                                      << "Its table GameTypes was not made by Velloran for Hockey.";
    }
    void aFileLackingPartsOfATransferFileSaysWhich()
    {
        QFETCH(QString, change);
        QFETCH(QString, what);
        exportPines(qPrintable(change));
        refused(QStringLiteral("hawks.mdb is not a team database of Velloran for Hockey, or it is damaged.\r\r") + what);
    }

    // A unique index of the file's own that its rows break cannot be built
    // again; read through it, the team's six games would come in as one.
    void aFileWhoseIndexCannotBeBuiltAgainIsRefused()
    {
        addTransferTeam(Db(), 1, QStringLiteral("Pines"), {}, 6);
        ExportTeamFile(Db(), g.DataFolder, transferFile(), {{1, QStringLiteral("Pines")}});
        Db().execute(QStringLiteral("update Teams set LongTeamName = 'Stored'"));
        plainSqlite(transferFile(), "create index GamesOfTeam on GameStats (TeamNumber); pragma writable_schema = on; "
                                    "update sqlite_master set sql = 'CREATE UNIQUE INDEX GamesOfTeam ON GameStats "
                                    "(TeamNumber)' where name = 'GamesOfTeam'");
        QCOMPARE(Database::open(transferFile(), DatabaseConnect(), Database::Access::ReadOnly)
                     ->scalar(QStringLiteral("select count(*) from GameStats where TeamNumber = 1"))
                     .toInt(),
                 1);
        refused(QStringLiteral("hawks.mdb is not a team database of Velloran for Hockey, or it is damaged.\r\rIt is "
                               "damaged."));
        QCOMPARE(rowsOf(QStringLiteral("GameStats")), 6);
    }

    // An import that stops while writing says which team failed, how many
    // came before it and what else it wrote, and why in a user's words.
    void anImportThatStopsWhileWritingSaysWhatItWrote()
    {
        exportPines();
        Db().execute(QStringLiteral("update Teams set LongTeamName = 'Stored'"));
        failInsertsInto(QStringLiteral("GoalieStats"));
        env->expectMsgBox(QStringLiteral("Game type has been added: Cup"));
        env->expectMsgBox(QStringLiteral("New category name: Hit"), vbYes);
        const QString message = QStringLiteral(
            "The team Pines could not be imported; nothing of it was written. 0 team(s) were imported before it. The "
            "file's new game types were added. The category names you accepted were changed.\r\rThe file could not "
            "be read, or your database could not be written.");
        env->expectMsgBox(message, vbOK, QStringLiteral("Import Failed"));
        importIt();
        QCOMPARE(env->shownMessages().last().text, message);
        QCOMPARE(rowsOf(QStringLiteral("GameTypes")), 2);
        QCOMPARE(rowsOf(QStringLiteral("Teams")), 1);
        QCOMPARE(QString(g.PlayerCatAbbrev[46]), QStringLiteral("Hit"));
    }

    // The cause of a stop the user can do something about is told as such.
    void anImportThatFindsNoRoomOrNumberSaysSo()
    {
        exportPines();
        Db().execute(QStringLiteral("update Teams set LongTeamName = 'Stored'"));
        // Ann and Bo are found by name under the last numbers; Cy finds none
        // left.
        Db().execute(QStringLiteral("update People set PersonNumber = PersonNumber + 32764"));
        Db().execute(QStringLiteral("update People set FirstName = 'Other' where LastName = 'Three'"));
        env->expectMsgBox(QStringLiteral("Game type has been added: Cup"));
        env->expectMsgBox(QStringLiteral("New category name: Hit"), vbNo);
        const QString noNumber = QStringLiteral("The team Pines could not be imported; nothing of it was written. 0 "
                                                "team(s) were imported before it. The file's new game types were "
                                                "added.\r\r") +
                                 NoNumberLeftMessage(KeyKind::Person).text;
        env->expectMsgBox(noNumber, vbOK, QStringLiteral("Import Failed"));
        importIt();
        QCOMPARE(env->shownMessages().last().text, noNumber);

        // Once the file has been read and checked, the disk fills up.
        Db().execute(QStringLiteral("delete from People where FirstName = 'Other'"));
        plainSqlite(transferFile(), "update Teams set notes = printf('%.60000c', 'n')");
        const qint64 room = QFileInfo(database()).size() + 8192;
        std::optional<FileSizeLimit> full;
        const MsgBoxHandler answer = setMsgBoxHandler({});
        setMsgBoxHandler([&](const MsgBoxCall& call) {
            if (call.text.contains(QLatin1String("New category name")))
                full.emplace(rlim_t(room));
            else
                full.reset();
            return answer(call);
        });
        const QString noRoom = QStringLiteral("The team Pines could not be imported; nothing of it was written. 0 "
                                              "team(s) were imported before it.\r\r") +
                               NoRoomOnDisk(g.DataFolder);
        env->expectMsgBox(QStringLiteral("New category name: Hit"), vbNo);
        env->expectMsgBox(noRoom, vbOK, QStringLiteral("Import Failed"));
        importIt();
        setMsgBoxHandler(answer);
        QCOMPARE(env->shownMessages().last().text, noRoom);
        QCOMPARE(rowsOf(QStringLiteral("Teams")), 1);
        QCOMPARE(rowsOf(QStringLiteral("GameStats")), 3);
    }
};

VH_TEST_MAIN(TstImport)
#include "tst_import.moc"
