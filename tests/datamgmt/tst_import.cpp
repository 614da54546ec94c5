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
#include "support/TestEnv.h"
#include "support/TestMain.h"
#include "teams/TeamTestData.h"
#include "teams/frmSelectTeam.h"

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

    // OK in the import dialog on hawks.mdb.
    void importIt()
    {
        CloseOpenForms();
        g.BackupMode = "I";
        frmBackup* f = Load<frmBackup>();
        control<DirListBox>(f, "Dir1")->setPath(out.path());
        control<FileListBox>(f, "File1")->setCurrentItem(
            control<FileListBox>(f, "File1")->findItems(QStringLiteral("hawks.mdb"), Qt::MatchExactly).value(0));
        control<QPushButton>(f, "cmdOK")->click();
        flushDeletes();
        QCOMPARE(env->pendingExpectations(), 0);
    }

    // The import shows `message` under `title`, alone, and leaves the
    // database and the game types as they were, the dialog open.
    void refused(const QString& message, const QString& title = QStringLiteral("Database Not Valid"))
    {
        const QByteArray before = readBytes(database());
        const int types = g.NumberGameTypes;
        env->expectMsgBox(message, vbOK, title);
        importIt();
        QCOMPARE(env->shownMessages().size(), 1);
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
        Unload<frmBackup>();
        unloadTeamWindows();
        if (g.Db)
            g.Db->close();
        env.reset();
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
    }
    void aTeamThatWouldNotComeInWholeRefusesTheFile()
    {
        QFETCH(QString, change);
        QFETCH(QString, what);
        exportPines(qPrintable(change));
        refused(QStringLiteral("hawks.mdb cannot be imported. ") + what + QStringLiteral("\r\rNothing was imported."));
        QCOMPARE(rowsOf(QStringLiteral("Roster")), 3);
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
