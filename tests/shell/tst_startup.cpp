#include "datamgmt/TransferTestData.h"
#include "platform/MsgBox.h"
#include "platform/Runtime.h"
#include "shell/Categories.h"
#include "shell/Frame.h"
#include "shell/Globals.h"
#include "shell/Startup.h"
#include "support/OldDataWriter.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <optional>
#include <sqlite3.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

using namespace vh;
using vh::test::TestEnv;

namespace {

// A frame stand-in that records what start-up does to the toolbar.
struct FakeFrame : IFrame {
    bool toolbarVisible = true;
    QWidget* frameWidget() override { return nullptr; }
    QMdiArea* mdiArea() override { return nullptr; }
    void setToolbarVisible(bool v) override { toolbarVisible = v; }
    void setToolbarButtonEnabled(const QString&, bool) override {}
};

QString mdb(const TestEnv& env) { return env.programDataDir() + QStringLiteral("/murqn.mdb"); }

int storedCounter(const TestEnv& env)
{
    auto db = Database::open(mdb(env), DatabaseConnect());
    return db->scalar(QStringLiteral("select CompactCounter from CompactCount")).toInt();
}

// How this process has `path` open: O_RDONLY, O_WRONLY or O_RDWR of the
// first descriptor naming it, -1 when none does.
int openAccessMode(const QString& path)
{
    const QString wanted = QFileInfo(path).canonicalFilePath();
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        if (QFileInfo(fds.filePath(fd)).symLinkTarget() != wanted)
            continue;
        QFile info(QStringLiteral("/proc/self/fdinfo/") + fd);
        if (!info.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : info.readAll().split('\n'))
            if (line.startsWith("flags:"))
                return int(line.mid(6).trimmed().toUInt(nullptr, 8) & O_ACCMODE);
    }
    return -1;
}

// While it lives, new database connections wait for a lock held elsewhere
// without sleeping: their busy timeout still counts its tries, so a file
// that stays locked is given up on at once rather than after seconds.
class NoSleepWhileBusy {
public:
    NoSleepWhileBusy() : base_(sqlite3_vfs_find(nullptr)), vfs_(*base_)
    {
        vfs_.zName = "vh-nosleep";
        vfs_.xSleep = [](sqlite3_vfs*, int microseconds) { return microseconds; };
        sqlite3_vfs_register(&vfs_, 1);
    }
    ~NoSleepWhileBusy()
    {
        sqlite3_vfs_unregister(&vfs_);
        sqlite3_vfs_register(base_, 1);
    }

private:
    sqlite3_vfs* base_;
    sqlite3_vfs vfs_;
};

// The files of a folder by name, with their bytes.
using Files = QMap<QString, QByteArray>;
Files filesIn(const QString& folder)
{
    Files files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        files[name] = test::readBytes(folder + QLatin1Char('/') + name);
    return files;
}
void replaceFiles(const QString& folder, const Files& files)
{
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        QFile::remove(folder + QLatin1Char('/') + name);
    for (auto it = files.begin(); it != files.end(); ++it)
        test::writeBytes(folder + QLatin1Char('/') + it.key(), it.value());
}

QString teamIn(const QString& file)
{
    return Database::open(file, DatabaseConnect(), Database::Access::ReadOnly)
        ->scalar(QStringLiteral("select LongTeamName from Teams"))
        .toString();
}

// One start and one normal end of the program, as the frame runs them.
void startAndStop(TestEnv& env)
{
    env.runSetup();
    QVERIFY(!env.ended());
    SaveOptionsAndCloseDatabase();
    QVERIFY(env.ended());
    env.clearEnded();
    resetGlobals();
}

}  // namespace

class TstStartup : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

    // The shipped database as the program's own, changed by `sql`.
    void shippedDatabase(const QStringList& sql = {})
    {
        QFile::copy(TestEnv::shippedShell(), mdb(*env));
        for (const QString& statement : sql)
            Database::open(mdb(*env), DatabaseConnect())->execute(statement);
    }
    void setCounter(int n)
    {
        Database::open(mdb(*env), DatabaseConnect())
            ->execute(QStringLiteral("update CompactCount set CompactCounter = ?"), {n});
    }

    // The program ended after exactly one box of this title, whose text
    // holds `part`.
    void endedAfterOneBox(const QString& title, const QString& part)
    {
        QCOMPARE(env->shownMessages().size(), 1);
        QCOMPARE(env->shownMessages().first().title, title);
        QVERIFY2(env->shownMessages().first().text.contains(part), qPrintable(env->shownMessages().first().text));
        QCOMPARE(env->endCount(), 1);
    }

private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void firstStartCreatesDatabaseFromShellAndLoadsState()
    {
        QVERIFY(!QFileInfo::exists(mdb(*env)));
        env->runSetup();
        QVERIFY(!env->ended());
        QVERIFY(QFileInfo::exists(mdb(*env)));
        QCOMPARE(g.DataFolder, env->programDataDir() + QStringLiteral("/"));
        QCOMPARE(g.ProgramFolder, env->programDir() + QStringLiteral("/"));
        QCOMPARE(g.PeriodsOption, int16_t(3));
        QCOMPARE(g.MinutesPerGameOption, int16_t(60));
        QCOMPARE(g.RegWinPointsOption, int16_t(2));
        QCOMPARE(g.NumberGameTypes, int16_t(1));
        QCOMPARE(g.GameTypeDescriptions[1].str(), FixedText(QStringLiteral("No Game Type"), 25));
        QCOMPARE(g.GameTypeNumbers[1], int16_t(0));
        QCOMPARE(g.PlayerReportNumber, int16_t(1));
        QCOMPARE(g.PlayerReportLine[1], int16_t(1));
        QCOMPARE(storedCounter(*env), 1);
    }

    // The counter is set where a run of starts would leave it.
    void compactsOnTheNinthStartThenEveryEighth()
    {
        const QString bak = env->programDataDir() + QStringLiteral("/murqn.bak");
        const QString bak2 = env->programDataDir() + QStringLiteral("/murqn.bak2");
        startAndStop(*env);
        startAndStop(*env);
        QCOMPARE(storedCounter(*env), 2);
        setCounter(7);
        startAndStop(*env);  // eighth start
        QCOMPARE(storedCounter(*env), 8);
        QVERIFY(!QFileInfo::exists(bak));
        startAndStop(*env);  // ninth start
        QCOMPARE(storedCounter(*env), 1);
        QVERIFY(QFileInfo::exists(bak));
        QVERIFY(!QFileInfo::exists(bak2));  // the first compaction has no older copy
        setCounter(8);
        startAndStop(*env);  // 17th start
        QCOMPARE(storedCounter(*env), 1);
        QVERIFY(QFileInfo::exists(bak2));
        // The live file and both copies open with the password.
        for (const QString& f : {mdb(*env), bak, bak2})
            QVERIFY(Database::open(f, DatabaseConnect()) != nullptr);
    }

    void failedCompactionLeavesTheLiveFileAloneAndRunsAgain()
    {
        startAndStop(*env);
        setCounter(8);
        Database::open(mdb(*env), DatabaseConnect())
            ->execute(QStringLiteral("insert into Teams (TeamNumber, LongTeamName) values (1, 'Oaks')"));
        // A folder in the way of the compacted copy makes the compaction fail.
        const QString obstacle = env->programDataDir() + QStringLiteral("/murqn.bak");
        QVERIFY(QDir().mkpath(obstacle + QStringLiteral("/x")));
        env->expectMsgBox(QStringLiteral(" Location: Setup"), vbYes, QStringLiteral("Error Handler"));
        env->runSetup();
        QVERIFY(!env->ended());
        QCOMPARE(Db().scalar(QStringLiteral("select LongTeamName from Teams")).toString(), QStringLiteral("Oaks"));
        QCOMPARE(env->pendingExpectations(), 0);
        QCOMPARE(storedCounter(*env), 8);  // not done, so not counted
        g.Db->close();

        // Ended in the middle, as a killed compaction is: the next start
        // compacts after all.
        resetGlobals();
        env->expectMsgBox(QStringLiteral(" Location: Setup"), vbNo, QStringLiteral("Error Handler"));
        env->runSetup();
        QVERIFY(env->ended());
        env->clearEnded();
        resetGlobals();
        QCOMPARE(storedCounter(*env), 8);
        QVERIFY(QDir(obstacle).removeRecursively());
        startAndStop(*env);
        QCOMPARE(storedCounter(*env), 1);
        QVERIFY(QFileInfo(obstacle).isFile());
    }

    void compactionKeepsDataAndModeAndLeavesNoTemporaryFiles()
    {
        startAndStop(*env);
        setCounter(50);
        {
            auto db = Database::open(mdb(*env), DatabaseConnect());
            db->execute(QStringLiteral("insert into RptRoster (SortKey, Text) values (1, 'line')"));
            db->execute(QStringLiteral("insert into Teams (TeamNumber, LongTeamName) values (1, 'Oaks')"));
        }
        const auto privateMode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
        QVERIFY(QFile::setPermissions(mdb(*env), privateMode));
        // What a compaction, restore, back-up or export cut off at the last
        // start left behind.
        QDir().mkpath(env->programDataDir() + QStringLiteral("/backup"));
        for (const char* leftover : {"/murqn.compact", "/murqn.compact-journal", "/murqn.mdb.copying", "/murqn.mdb.part",
                                     "/backup/murqn.mdb.copying", "/MURQNTemp.mdb", "/MURQNTemp.mdb-journal",
                                     "/backup/HockeyTeams.mdb.copying", "/backup/Old Teams.mdb.copying-journal",
                                     "/notes.txt.copying", "/../Data.ini.copying", "/murqn.mdb.copying-wal",
                                     "/murqn.mdb.copying-shm", "/backup/murqn.mdb.copying-wal", "/MURQNTemp.mdb-wal",
                                     "/murqn.compact-shm"})
            test::writeBytes(env->programDataDir() + QLatin1String(leftover), "half");
        // A folder the user chose for an export is theirs.
        const QString chosen = env->root() + QStringLiteral("/exports/HockeyTeams.mdb.copying");
        QDir().mkpath(QFileInfo(chosen).path());
        test::writeBytes(chosen, "half");
        startAndStop(*env);
        QVERIFY(QFileInfo::exists(chosen));
        QVERIFY(!QFileInfo::exists(env->programDir() + QStringLiteral("/Data.ini.copying")));
        QCOMPARE(storedCounter(*env), 1);
        auto db = Database::open(mdb(*env), DatabaseConnect());
        QCOMPARE(db->scalar(QStringLiteral("select count(*) from RptRoster")).toInt(), 0);
        QCOMPARE(db->scalar(QStringLiteral("select LongTeamName from Teams")).toString(), QStringLiteral("Oaks"));
        QCOMPARE(QFileInfo(mdb(*env)).permissions(), privateMode);
        QCOMPARE(QFileInfo(env->programDataDir() + QStringLiteral("/murqn.bak")).permissions(), privateMode);
        const QStringList left = QDir(env->programDataDir()).entryList(QDir::Files);
        QCOMPARE(left, QStringList({QStringLiteral("Export.mdb"), QStringLiteral("murqn.bak"), QStringLiteral("murqn.mdb"),
                                    QStringLiteral("qn20db.shell")}));
        QVERIFY(QDir(env->programDataDir() + QStringLiteral("/backup")).isEmpty());
    }

    // A marker naming a partial copy that is gone, or one damaged or not as
    // the program writes it, goes at the next start, and nothing of the
    // folder it points into goes with it; the start says nothing of it.
    void aMarkerThatNamesNoPartialCopyOfTheProgramRemovesNothing()
    {
        startAndStop(*env);
        const QString data = env->programDataDir() + QStringLiteral("/");
        const QString marker = data + QStringLiteral("copying.txt");
        const QString chosen = env->root() + QStringLiteral("/exports");
        QDir().mkpath(chosen + QStringLiteral("/sub"));
        for (const char* name : {"/Teams.mdb", "/Teams.mdb.copying", "/Teams.mdb.copying-journal"})
            test::writeBytes(chosen + QLatin1String(name), QByteArray("the user's ") + name);
        const Files theirs = filesIn(chosen);

        MarkPartialCopy(data, chosen + QStringLiteral("/Gone.mdb"));
        QCOMPARE(MarkedPartialCopy(data), std::optional<QString>(chosen + QStringLiteral("/Gone.mdb.copying")));
        const QByteArray gone = test::readBytes(marker);
        const QByteArray theirCopy = (chosen + QStringLiteral("/Teams.mdb.copying")).toUtf8();
        const QByteArray markers[] = {
            gone,
            gone.left(gone.size() / 2),
            theirCopy + ".",  // naming theirs.copying, cut off before its line's end
            (chosen + QStringLiteral("/Teams.mdb\n")).toUtf8(),  // no partial copy
            "Teams.mdb.copying\n",                             // relative to where the program runs
            (chosen + QStringLiteral("/sub/../Teams.mdb.copying\n")).toUtf8()};
        const QString running = QDir::currentPath();
        QDir::setCurrent(chosen);
        for (const QByteArray& bytes : markers) {
            test::writeBytes(marker, bytes);
            startAndStop(*env);
            QVERIFY2(!QFileInfo::exists(marker), bytes.left(80).constData());
            QVERIFY2(filesIn(chosen) == theirs, bytes.left(80).constData());
        }
        QDir::setCurrent(running);
        QCOMPARE(env->shownMessages().size(), 0);
    }

    void missingDatabaseAndShellEndsWithReinstallMessage()
    {
        QFile::remove(env->programDataDir() + QStringLiteral("/qn20db.shell"));
        env->expectMsgBox(QStringLiteral("Reinstall Velloran for Hockey or restore from backup!"), vbOK,
                          QStringLiteral("Database Not Found"));
        env->runSetup();
        QVERIFY(env->ended());
        QVERIFY(!g.Db);
        QVERIFY(!QFileInfo::exists(mdb(*env)));
    }

    void optionsRoundTripAndUnknownRowsStay()
    {
        shippedDatabase({"insert into NumberOptions (OptionNumber, Option) values (20, 77)",
                         "delete from NumberOptions where OptionNumber = 17"});
        env->runSetup();
        QCOMPARE(g.ShowPlayerSecondsOption, int16_t(0));  // no row: keeps 0
        g.PeriodsOption = 4;
        g.ShowPlayerSecondsOption = -1;
        g.RegTiePointsOption = 5;
        SaveOptionsAndCloseDatabase();
        QVERIFY(env->ended());
        env->clearEnded();
        resetGlobals();
        env->runSetup();
        QCOMPARE(g.PeriodsOption, int16_t(4));
        QCOMPARE(g.ShowPlayerSecondsOption, int16_t(-1));  // its missing row was added at exit
        QCOMPARE(g.RegTiePointsOption, int16_t(5));
        QCOMPARE(Db().scalar(QStringLiteral("select Option from NumberOptions where OptionNumber = 20")).toInt(), 77);
        QCOMPARE(Db().scalar(QStringLiteral("select count(*) from NumberOptions")).toInt(), 20);
    }

    // A value start-up cannot read is not overwritten at exit; with no rows
    // at all, every option is 0.
    void unreadableOrMissingOptions()
    {
        shippedDatabase({"update NumberOptions set Option = Null where OptionNumber = 10"});
        env->expectMsgBox(QStringLiteral("Invalid use of Null"), vbYes, QStringLiteral("Error Handler"));
        env->runSetup();
        SaveOptionsAndCloseDatabase();
        auto db = Database::open(mdb(*env), DatabaseConnect());
        QCOMPARE(db->scalar(QStringLiteral("select Option from NumberOptions where OptionNumber = 19")).toInt(), 60);
        QVERIFY(db->scalar(QStringLiteral("select Option from NumberOptions where OptionNumber = 10")).isNull());

        db->execute(QStringLiteral("delete from NumberOptions"));
        env->clearEnded();
        resetGlobals();
        env->runSetup();
        for (int n = 1; n <= 19; ++n)
            QCOMPARE(g.option(n), int16_t(0));
    }

    void toolbarFollowsItsOption()
    {
        FakeFrame frame;
        g.Frame = &frame;
        env->runSetup();
        QVERIFY(frame.toolbarVisible);
        Db().execute(QStringLiteral("update NumberOptions set Option = 0 where OptionNumber = 3"));
        g.Db->close();
        resetGlobals();
        FakeFrame hidden;
        g.Frame = &hidden;
        env->runSetup();
        QVERIFY(!hidden.toolbarVisible);
        g.Frame = nullptr;
    }

    void defaultCategoryRowsOnlyWhenAKindHasNone()
    {
        // Rows out of range (a database edited elsewhere) are passed over.
        shippedDatabase({"insert into InputOrder (CategoryType, OrderNumber, CategoryNumber) values ('H', 2, 5), "
                         "('H', 40, 6), ('H', 0, 7), ('H', null, 8), ('H', 3, 99), ('H', 70000, 4)"});
        env->runSetup();
        Database& db = Db();
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from NameYourOwnCats")).toInt(), 20);
        // Rows go in as H1, G1, H2, G2, ...
        Recordset rs = db.openRecordset(QStringLiteral("NameYourOwnCats"));
        QCOMPARE(rs.getText(QStringLiteral("CategoryDescription")), QStringLiteral("H1"));
        rs.moveNext();
        QCOMPARE(rs.getText(QStringLiteral("CategoryDescription")), QStringLiteral("G1"));
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from InputOrder where CategoryType = 'H'")).toInt(), 6);
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from InputOrder where CategoryType = 'G'")).toInt(), 26);
        QCOMPARE(g.PlayerInputOrder[2], int16_t(5));
        QCOMPARE(g.PlayerInputOrder[1], int16_t(0));
        QCOMPARE(g.PlayerInputOrder[3], int16_t(0));
        QCOMPARE(g.GoalieInputOrder[3], int16_t(45));
        QCOMPARE(g.GoalieInputOrder[32], int16_t(50));
        QCOMPARE(g.PlayerCatAbbrev[46].str(), QStringLiteral("H1 "));
        QCOMPARE(g.GoalieCatAbbrev[50].str(), QStringLiteral("G5 "));

        // Named rows of both kinds: none added, the names are the abbreviations.
        db.execute(QStringLiteral("delete from NameYourOwnCats"));
        db.execute(QStringLiteral("insert into NameYourOwnCats values ('H', 1, 'Blk'), ('H', 2, 'Hit'), ('G', 1, 'Q')"));
        g.Db->close();
        resetGlobals();
        env->runSetup();
        QCOMPARE(Db().scalar(QStringLiteral("select count(*) from NameYourOwnCats")).toInt(), 3);
        QCOMPARE(g.PlayerCatAbbrev[47].str(), QStringLiteral("Hit"));
        QCOMPARE(g.GoalieCatAbbrev[46].str(), QStringLiteral("Q  "));

        // A fresh database gets the full player layout of 24 rows.
        g.Db->close();
        resetGlobals();
        QFile::remove(mdb(*env));
        env->runSetup();
        QCOMPARE(Db().scalar(QStringLiteral("select count(*) from InputOrder where CategoryType = 'H'")).toInt(), 24);
        QCOMPARE(g.PlayerInputOrder[8], int16_t(0));
        QCOMPARE(g.PlayerInputOrder[19], int16_t(43));
    }

    void reportFormatsAndGameTypesLoad()
    {
        shippedDatabase({"delete from ReportNumber where ReportType = 'P'",
                         "update ReportNumber set ReportNumber = 3 where ReportType = 'G'",
                         "insert into GoalieRptFormat values (3, 'Mine', 12, 'D')",
                         "insert into GoalieRptCats values (3, 4, 24), (3, 1, 1)",  // out of order, gap
                         "insert into GameTypes values (7, 'Playoff'), (2, 'League')"});
        env->runSetup();
        for (int i = 1; i <= 28; ++i)
            QCOMPARE(g.PlayerReportLine[i], int16_t(0));
        QCOMPARE(g.GoalieReportNumber, int16_t(3));
        QCOMPARE(g.GoalieRptDescription.str(), FixedText(QStringLiteral("Mine"), 25));
        QVERIFY(g.GoalieSortCategory == 12 && g.GoalieSortDirection == "D");
        QCOMPARE(g.GoalieReportLine[1], int16_t(1));
        QCOMPARE(g.GoalieReportLine[2], int16_t(0));
        QCOMPARE(g.GoalieReportLine[4], int16_t(24));
        QCOMPARE(g.NumberGameTypes, int16_t(3));
        QCOMPARE(g.GameTypeNumbers[2], int16_t(7));  // table order, not number order
        QCOMPARE(Trim(g.GameTypeDescriptions[3]), QStringLiteral("League"));

        g.ReportCode = "G";
        QCOMPARE(NextReportNumber().value(), int16_t(4));
        Db().execute(QStringLiteral("delete from PlayerRptFormat"));
        g.ReportCode = "P";
        QCOMPARE(NextReportNumber().value(), int16_t(1));
        Db().execute(QStringLiteral("insert into PlayerRptFormat values (1,'a',1,'A'), (2,'b',1,'A'), (7,'c',1,'A')"));
        QCOMPARE(NextReportNumber().value(), int16_t(8));
    }

    // A stored choice that names no format (a back-up from elsewhere) takes
    // the kind's first format, and keeps it at the next start.
    void aChoiceOfAFormatThatIsGoneTakesTheFirst()
    {
        shippedDatabase({"update ReportNumber set ReportNumber = 9 where ReportType = 'P'",
                         "delete from GoalieRptFormat where ReportNumber = 1",
                         "insert into GoalieRptFormat values (4, 'Saves Only', 9, 'A')"});
        env->runSetup();
        QCOMPARE(g.PlayerReportNumber, int16_t(1));
        QCOMPARE(Trim(g.PlayerRptDescription), QStringLiteral("Standard Player Report"));
        QCOMPARE(g.PlayerReportLine[17], int16_t(17));
        QCOMPARE(g.GoalieReportNumber, int16_t(2));
        QCOMPARE(Trim(g.GoalieRptDescription), QStringLiteral("Goaltending Summary"));
        QCOMPARE(g.GoalieReportLine[9], int16_t(25));
        const auto stored = [](const char* type) {
            return Db().scalar(QStringLiteral("select ReportNumber from ReportNumber where ReportType = ?"),
                               {QLatin1String(type)}).toInt();
        };
        QCOMPARE(stored("P"), 1);
        QCOMPARE(stored("G"), 2);
    }

    void badReportOrderAsksOnceAndKeepsEarlierRows()
    {
        shippedDatabase({"insert into PlayerRptCats values (1, 40, 5)"});
        env->expectMsgBox(QStringLiteral(" Error: 9\r\n Text: Subscript out of range"), vbYes,
                          QStringLiteral("Error Handler"));
        env->runSetup();
        QVERIFY(!env->ended());
        QCOMPARE(g.PlayerReportLine[17], int16_t(17));
    }

    // Exactly one box: which file or folder, what is wrong, and what to do.
    void unusableDatabaseGivesOneMessageAndEnds_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("advice");
        const QString notOpened = QStringLiteral("Database Not Opened");
        const QString copyBak = QStringLiteral("copy murqn.bak or murqn.bak2 from the same folder over murqn.mdb");
        for (const char* fault : {"another password", "damaged", "another program's", "cut short", "empty"})
            QTest::newRow(fault) << notOpened << copyBak;
        // A sound file: copying an older one over it would lose data.
        QTest::newRow("held by another program") << notOpened << QStringLiteral("Close that program");
        QTest::newRow("read-only file") << notOpened << QStringLiteral("The file is read-only");
        QTest::newRow("read-only folder") << QStringLiteral("Data Folder Not Writable") << QStringLiteral(" cannot be written");
    }
    void unusableDatabaseGivesOneMessageAndEnds()
    {
        QFETCH(QString, title);
        QFETCH(QString, advice);
        const QByteArray fault = QTest::currentDataTag();
        sqlite3* holder = nullptr;
        const auto sql = [&](const char* statements) {
            sqlite3_open(QFile::encodeName(mdb(*env)).constData(), &holder);
            sqlite3_exec(holder, statements, nullptr, nullptr, nullptr);
        };
        if (fault == "held by another program") {
            shippedDatabase();
            sql("BEGIN EXCLUSIVE");
        } else if (fault == "read-only file") {
            shippedDatabase();
            QFile::setPermissions(mdb(*env), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        } else if (fault == "another password") {
            Database::create(mdb(*env), QStringLiteral(";PWD=wrong"), QStringLiteral("CREATE TABLE X (A SMALLINT);"));
        } else if (fault == "another program's") {
            sql("CREATE TABLE Notes (Text TEXT); INSERT INTO Notes VALUES ('x');");
        } else if (fault != "read-only folder") {
            QByteArray bytes = test::readBytes(TestEnv::shippedShell());
            if (fault == "damaged")
                bytes.replace(100, 60000, QByteArray(60000, '\x5a'));
            else
                bytes.truncate(fault == "cut short" ? bytes.size() / 2 : 0);
            test::writeBytes(mdb(*env), bytes);
        }
        env->acceptAnyMsgBox(vbYes);
        std::optional<NoSleepWhileBusy> noSleep;
        if (holder)
            noSleep.emplace();
        if (fault.startsWith("read-only")) {
            // As an ordinary user, in a data folder that is the user's own or read-only.
            QFile::setPermissions(env->programDataDir(), QFile::Permissions(fault.endsWith("folder") ? 0x5555 : 0x7777));
            test::AsOrdinaryUser user(*env);
            env->runSetup();
        } else {
            env->runSetup();
        }
        noSleep.reset();
        sqlite3_close(holder);
        QFile::setPermissions(env->programDataDir(), QFile::Permissions(0x7755));
        // The folder is named without a trailing separator.
        endedAfterOneBox(title, fault == "read-only folder" ? env->programDataDir() + advice : mdb(*env));
        const QString text = env->shownMessages().value(0).text;
        QVERIFY(text.contains(advice));
        QCOMPARE(text.contains(QStringLiteral("copy murqn.bak")), advice.startsWith(QStringLiteral("copy")));
        QVERIFY(!g.Db || !g.Db->isOpen());
        if (fault == "read-only folder")
            QVERIFY(!QFileInfo::exists(mdb(*env)));
    }

    // Killed at any step of its compaction, a start leaves the live file
    // whole and the older copy kept: after the next start murqn.bak holds
    // the newest data and murqn.bak2 the previous compaction's copy.
    void aCompactionCutOffAtAnyStepKeepsTheOlderCopy()
    {
        startAndStop(*env);
        const QString data = env->programDataDir();
        const auto setTeam = [&](const QString& name) {
            auto db = Database::open(mdb(*env), DatabaseConnect());
            db->execute(QStringLiteral("delete from Teams"));
            db->execute(QStringLiteral("insert into Teams (TeamNumber, LongTeamName) values (1, ?)"), {name});
        };
        setTeam(QStringLiteral("Oldest"));
        QFile::copy(mdb(*env), data + QStringLiteral("/murqn.bak2"));
        setTeam(QStringLiteral("Older"));
        QFile::copy(mdb(*env), data + QStringLiteral("/murqn.bak"));
        setTeam(QStringLiteral("Current"));
        setCounter(8);

        // The folder as a kill before, during and after each step leaves it.
        QList<Files> cutOff{filesIn(data)};
        setCompactionStepHook([&](int) { cutOff << filesIn(data); });
        startAndStop(*env);
        setCompactionStepHook({});
        QCOMPARE(cutOff.size(), 5);
        const QByteArray compacted = cutOff[1].value(QStringLiteral("murqn.bak.new"));
        QVERIFY(!compacted.isEmpty());
        Files building = cutOff[0];
        building[QStringLiteral("murqn.compact")] = compacted.left(compacted.size() / 2);
        Files copyingBack = cutOff[1];
        copyingBack[QStringLiteral("murqn.mdb.copying")] = compacted.left(compacted.size() / 3);
        cutOff << building << copyingBack;
        cutOff << filesIn(data);  // not cut off at all

        for (int i = 0; i < cutOff.size(); ++i) {
            replaceFiles(data, cutOff[i]);
            startAndStop(*env);
            const QString at = QStringLiteral("state %1").arg(i);
            QVERIFY2(teamIn(mdb(*env)) == QLatin1String("Current"), qPrintable(at));
            QVERIFY2(teamIn(data + QStringLiteral("/murqn.bak")) == QLatin1String("Current"), qPrintable(at));
            QVERIFY2(teamIn(data + QStringLiteral("/murqn.bak2")) == QLatin1String("Older"), qPrintable(at));
            QVERIFY2(storedCounter(*env) <= 2, qPrintable(at));
            QVERIFY2(filesIn(data).keys() == QStringList({QStringLiteral("Export.mdb"), QStringLiteral("murqn.bak"),
                                                          QStringLiteral("murqn.bak2"), QStringLiteral("murqn.mdb"),
                                                          QStringLiteral("qn20db.shell")}),
                     qPrintable(at));
        }
        QCOMPARE(env->shownMessages().size(), 0);
    }

    // A copy of the program that was killed leaves its lock file behind; the
    // next start takes it over without writing a byte (the disk may be full).
    void aKilledCopysLockDoesNotKeepTheNextOut()
    {
        const QString folder = env->programDataDir() + QStringLiteral("/");
        const QString lockFile = folder + QStringLiteral("velloran.lock");
        const pid_t killed = fork();
        if (killed == 0) {
            ClaimDataFolder(folder);
            _exit(0);  // ends without letting go, as a killed program does
        }
        QVERIFY(killed > 0);
        int status = 0;
        QCOMPARE(waitpid(killed, &status, 0), killed);
        QVERIFY(QFileInfo::exists(lockFile));
        {
            test::FileSizeLimit full(0);
            QVERIFY(ClaimDataFolder(folder));
        }
        QCOMPARE(env->shownMessages().size(), 0);
        // Held through a descriptor open for writing: a network file system
        // gives an exclusive lock on no other.
        QCOMPARE(openAccessMode(lockFile), O_RDWR);
        // Held now: another copy would find it taken.
        const int other = ::open(QFile::encodeName(lockFile).constData(), O_RDONLY | O_CLOEXEC);
        QVERIFY(other >= 0);
        QCOMPARE(::flock(other, LOCK_EX | LOCK_NB), -1);
        ::close(other);
        ReleaseDataFolder();
        QVERIFY(!QFileInfo::exists(lockFile));
    }

    void secondCopyOnTheSameDataFolderEnds()
    {
        startAndStop(*env);
        setCounter(8);
        QLockFile running(env->programDataDir() + QStringLiteral("/velloran.lock"));  // the copy already running
        QVERIFY(running.tryLock(0));
        env->expectMsgBox(QStringLiteral("Velloran for Hockey is already running with the data in ") +
                              env->programDataDir() + QStringLiteral(".\r"),
                          vbOK, QStringLiteral("Already Running"));
        env->runSetup();
        QCOMPARE(env->endCount(), 1);
        QVERIFY(!g.Db);
        QCOMPARE(storedCounter(*env), 8);  // not counted, not compacted
        QVERIFY(!QFileInfo::exists(env->programDataDir() + QStringLiteral("/murqn.bak")));
        running.unlock();
        env->clearEnded();
        startAndStop(*env);
        QCOMPARE(storedCounter(*env), 1);
    }

    void noInTheErrorHandlerEndsTheProgram()
    {
        shippedDatabase({"drop table CompactCount"});
        env->expectMsgBox(QStringLiteral("An internal error has been encountered.\r\n Location: Setup\r\n Error: 3078"),
                          vbNo, QStringLiteral("Error Handler"));
        env->runSetup();
        endedAfterOneBox(QStringLiteral("Error Handler"), QStringLiteral(" Location: Setup"));
    }

    void secondRunRebuildsState()
    {
        env->runSetup();
        g.FormOpen[1] = True;
        g.FormOpen[15] = True;
        g.GoalieReportNumber = 9;
        Db().execute(QStringLiteral("delete from ReportNumber where ReportType = 'G'"));
        Db().execute(QStringLiteral("delete from NameYourOwnCats"));
        g.Db->close();
        env->runSetup();
        // The still loaded windows stay marked open.
        QCOMPARE(g.FormOpen[1], True);
        QCOMPARE(g.FormOpen[15], True);
        QCOMPARE(g.FormOpen[2], False);
        QCOMPARE(g.GoalieReportNumber, int16_t(9));  // no row: keeps its number, empty line
        QCOMPARE(g.GoalieReportLine[1], int16_t(0));
        QCOMPARE(Db().scalar(QStringLiteral("select count(*) from NameYourOwnCats")).toInt(), 20);
    }
};

VH_TEST_MAIN(TstStartup)
#include "tst_startup.moc"
