#include "datamgmt/TeamExport.h"
#include "datamgmt/TeamImport.h"
#include "datamgmt/TransferTestData.h"
#include "platform/Folders.h"
#include "shell/Globals.h"
#include "shell/Renumber.h"
#include "support/OldDataWriter.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace vh;
using namespace vh::test;

class TstTransfer : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<Database> program;  // the program's own tables, as import is held to them
    QTemporaryDir out;

    QString data() const { return g.DataFolder; }
    QString exported(const QString& name = QStringLiteral("Teams.mdb")) const { return out.path() + QLatin1Char('/') + name; }

    // The test's database exported to a file, teams in the order given.
    QString exportTeams(const std::vector<ExportTeam>& teams, const QString& name = QStringLiteral("Teams.mdb"))
    {
        const int count = ExportTeamFile(Db(), data(), exported(name), teams);
        if (count != int(teams.size()))
            qFatal("export wrote %d teams", count);
        return exported(name);
    }
    std::unique_ptr<Database> openFile(const QString& path) { return Database::open(path, DatabaseConnect()); }

    // A second program's database, empty but for its shipped rows.
    std::unique_ptr<Database> otherProgram() { return newProgramDatabase(out.path() + QStringLiteral("/other.mdb")); }

    // The row counts of `tables`, joined by commas.
    static QString counts(Database& db, std::initializer_list<const char*> tables)
    {
        QStringList c;
        for (const char* t : tables)
            c << QString::number(countRows(db, QLatin1String(t)));
        return c.join(QLatin1Char(','));
    }

    static void addSourceCategoryNames()
    {
        Db().execute(QStringLiteral("insert into NameYourOwnCats (CategoryType, CategoryNumber, CategoryDescription) "
                                    "values ('H', 1, 'Hit'), ('H', 2, 'H2'), ('G', 1, 'G1'), ('H', 6, 'Six')"));
    }

private slots:
    void init()
    {
        env = TestEnv::withNewDatabase();
        program = OpenProgramTables(data());
    }
    void cleanup()
    {
        program.reset();
        env.reset();
        for (const QString& f : QDir(out.path()).entryList(QDir::Files))
            QFile::remove(out.path() + QLatin1Char('/') + f);
    }

    // ------------------------------------------------------------ file name

    void exportNamesCannotReachTheProgramsFiles()
    {
        const QString elsewhere = out.path();
        QCOMPARE(CheckExportName(elsewhere, QString(), data()), ExportNameCheck::Empty);
        QCOMPARE(CheckExportName(elsewhere, QStringLiteral("teams"), data()), ExportNameCheck::NoMdbEnding);
        QCOMPARE(CheckExportName(elsewhere, QStringLiteral("teams.mdb.bak"), data()), ExportNameCheck::NoMdbEnding);
        QCOMPARE(CheckExportName(elsewhere, QStringLiteral("Teams.MdB"), data()), ExportNameCheck::Ok);
        QCOMPARE(CheckExportName(elsewhere, QStringLiteral(".mdb"), data()), ExportNameCheck::Ok);
        // The main database's name in any folder and any letter case.
        QCOMPARE(CheckExportName(elsewhere, QStringLiteral("MuRqN.mDb"), data()), ExportNameCheck::MainDatabaseName);
        // The shell and the temporary file are refused where they live, and
        // only there.
        QCOMPARE(CheckExportName(data(), QStringLiteral("EXPORT.mdb"), data()), ExportNameCheck::ProgramFile);
        QCOMPARE(CheckExportName(data(), QStringLiteral("murqntemp.MDB"), data()), ExportNameCheck::ProgramFile);
        QCOMPARE(CheckExportName(elsewhere, QStringLiteral("Export.mdb"), data()), ExportNameCheck::Ok);
        // However the path is written: through "..", or a link to the folder
        // or to the file itself.
        QCOMPARE(CheckExportName(data() + QStringLiteral("backup/../"), QStringLiteral("Export.mdb"), data()),
                 ExportNameCheck::ProgramFile);
        QVERIFY(QFile::link(data(), elsewhere + QStringLiteral("/dataLink")));
        QCOMPARE(CheckExportName(elsewhere + QStringLiteral("/dataLink"), QStringLiteral("Export.mdb"), data()),
                 ExportNameCheck::ProgramFile);
        QVERIFY(QFile::link(data() + QStringLiteral("murqn.mdb"), elsewhere + QStringLiteral("/innocent.mdb")));
        QCOMPARE(CheckExportName(elsewhere, QStringLiteral("innocent.mdb"), data()), ExportNameCheck::ProgramFile);
        QFile::remove(elsewhere + QStringLiteral("/dataLink"));
    }

    // ------------------------------------------------------------ export

    void exportCarriesTeamsPeopleAndConfiguration()
    {
        addGameType(Db(), 1, QStringLiteral("League"));
        addGameType(Db(), 2, QStringLiteral("Unused Type"));
        addSourceCategoryNames();
        const Person shared{7, QStringLiteral("Sean"), QStringLiteral("O'Brien")};
        addTransferTeam(Db(), 1, QStringLiteral("Ice Hawks"), {shared, {8, QStringLiteral("Ann"), QStringLiteral("Lee")}},
                        2, 1);
        addTransferTeam(Db(), 2, QStringLiteral("Second"), {shared});
        addTransferTeam(Db(), 3, QStringLiteral("Not Exported"), {{9, QStringLiteral("Not"), QStringLiteral("Carried")}});
        // Ann left team 1's roster but keeps her statistics.
        Db().execute(QStringLiteral("delete from Roster where PersonNumber = 8"));

        auto file = openFile(exportTeams({{2, QStringLiteral("Second")}, {1, QStringLiteral("Ice Hawks")}}));
        QCOMPARE(file->scalar(QStringLiteral("select ProgramVersion from ProgramVersion")).toDouble(), 2.0);
        QCOMPARE(counts(*file, {"ProgramVersion", "GameTypes", "NameYourOwnCats", "Roster", "GameStats", "PlayerStats",
                                "GoalieStats"}),
                 QStringLiteral("1,2,4,2,4,6,4"));
        // Teams in the order of the list, not of the table.
        QCOMPARE(textOf(*file, "select group_concat(LongTeamName) from Teams"), QStringLiteral("Second,Ice Hawks"));
        // Statistics carry their person even when the roster no longer does.
        QCOMPARE(textOf(*file, "select group_concat(PersonNumber) from People"), QStringLiteral("7,8"));
        QCOMPARE(file->scalar(QStringLiteral("select OpponentGStatNumber from GameStats limit 1")).toInt(), 99);
        QVERIFY(!QFile::exists(data() + ExportTemporaryFileName));
        // Without teams: the configuration only.
        QCOMPARE(counts(*openFile(exportTeams({}, QStringLiteral("none.mdb"))), {"ProgramVersion", "GameTypes", "Teams"}),
                 QStringLiteral("1,2,0"));
    }

    void aFailedExportLeavesNothingBehind()
    {
        addTransferTeam(Db(), 1, QStringLiteral("Team"), {{1, QStringLiteral("A"), QStringLiteral("B")}});
        // An earlier file of that name survives a copy that fails part-way.
        writeBytes(exported(), "earlier");
        {
            FileSizeLimit limit(4096);
            QVERIFY_THROWS_EXCEPTION(RuntimeError, ExportTeamFile(Db(), data(), exported(), {{1, QStringLiteral("Team")}}));
        }
        QCOMPARE(readBytes(exported()), QByteArray("earlier"));
        QVERIFY(!QFile::exists(data() + ExportTemporaryFileName));
        QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{QStringLiteral("Teams.mdb")});

        // A temporary file left by an earlier run never leaks into an export.
        {
            auto stale = newProgramDatabase(data() + ExportTemporaryFileName);
            addTransferTeam(*stale, 5, QStringLiteral("Stale"), {});
        }
        auto file = openFile(exportTeams({{1, QStringLiteral("Team")}}));
        QCOMPARE(textOf(*file, "select group_concat(LongTeamName) from Teams"), QStringLiteral("Team"));

        // A missing shell is an error, not an empty success. The half copies
        // a killed export left go first all the same.
        const QStringList leftovers{copyingName(exported(QStringLiteral("x.mdb"))),
                                    copyingName(data() + ExportTemporaryFileName)};
        for (const QString& leftover : leftovers)
            writeBytes(leftover, QByteArray(200000, 'c'));
        QFile::remove(data() + ExportShellFileName);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, ExportTeamFile(Db(), data(), exported(QStringLiteral("x.mdb")), {}));
        QVERIFY(!QFile::exists(exported(QStringLiteral("x.mdb"))));
        for (const QString& leftover : leftovers)
            QVERIFY2(!QFile::exists(leftover), qPrintable(leftover));
    }

    // ------------------------------------------------------------ import

    void aTeamOfTheSameFullNameIsReplacedOnlyOnYes()
    {
        const QString longName = QStringLiteral("Northern Lakes Hockey Juniors Under Eighteen");  // 44 characters
        addTransferTeam(Db(), 1, longName, {{1, QStringLiteral("Kim"), QStringLiteral("Park")}});
        auto file = openFile(exportTeams({{1, longName}}));

        auto target = otherProgram();
        addTransferTeam(*target, 4, QStringLiteral("  northern lakes hockey juniors under eighteen "),
                        {{3, QStringLiteral("Old"), QStringLiteral("Player")}}, 3);
        // Same first 30 characters, another team.
        addTransferTeam(*target, 5, QStringLiteral("Northern Lakes Hockey Juniors Under Twelve"), {});
        target->execute(QStringLiteral("insert into TeamFilters (FilterNumber, TeamNumber) values (1, 4), (2, 4), (2, 5)"));

        ScriptedQuestions no;
        no.answers = {false};
        ImportResult r = ImportTeams(*target, *file, *program, 6, no);
        QCOMPARE(no.asked, QStringList{QStringLiteral("replace ") + longName});
        QCOMPARE(r.teamsImported, 0);
        QCOMPARE(r.nextTeamNumber, int16_t(6));
        QCOMPARE(countRows(*target, QStringLiteral("Teams")), 2);
        QCOMPARE(countRows(*target, QStringLiteral("People")), 1);

        ScriptedQuestions yes;
        yes.answers = {true};
        r = ImportTeams(*target, *file, *program, 6, yes);
        QCOMPARE(r.teamsImported, 1);
        QCOMPARE(r.nextTeamNumber, int16_t(7));
        QVERIFY(!r.failure);
        for (const char* table : {"Teams", "Roster", "GameStats", "PlayerStats", "GoalieStats"})
            QCOMPARE(countRows(*target, QLatin1String(table), QStringLiteral("TeamNumber = 4")), 0);
        QCOMPARE(textOf(*target, "select LongTeamName from Teams where TeamNumber = 6"), longName);
        // The new team stands in the filters of the one it replaced.
        QCOMPARE(textOf(*target, "select group_concat(f) from (select FilterNumber || ':' || TeamNumber as f from "
                                 "TeamFilters order by TeamNumber, FilterNumber)"),
                 QStringLiteral("2:5,1:6,2:6"));
        // Games keep their numbers; links into the exporting database do not
        // survive.
        QCOMPARE(textOf(*target, "select group_concat(GameNumber || ':' || OpponentTeamNumber || OpponentGStatNumber) "
                                 "from GameStats where TeamNumber = 6"),
                 QStringLiteral("1:00,2:00"));
    }

    void peopleAreMatchedByNameAndKeepWhatTheFileLeavesEmpty()
    {
        addTransferTeam(Db(), 1, QStringLiteral("Team"),
                        {{1, QStringLiteral("Sean"), QStringLiteral("O'Brien"), QString(), QStringLiteral("Cork")},
                         {2, QStringLiteral("Zoë"), QStringLiteral("Ünal-Smith"), QStringLiteral("555")},
                         {3, QString(), QString()}});
        auto file = openFile(exportTeams({{1, QStringLiteral("Team")}}));

        auto target = otherProgram();
        addPerson(*target, {10, QStringLiteral("SEAN"), QStringLiteral("o'brien"), QStringLiteral("999"), QStringLiteral("Old")});
        addPerson(*target, {11, QStringLiteral("Sean"), QStringLiteral("O'Brien"), QStringLiteral("second")});
        addPerson(*target, {12, QString(), QString(), QStringLiteral("nameless")});
        addPerson(*target, {13, QStringLiteral("ZOË"), QStringLiteral("üNAL-SMITH"), QString(), QStringLiteral("Bern")});
        ScriptedQuestions ask;
        const ImportResult r = ImportTeams(*target, *file, *program, 1, ask);
        QCOMPARE(r.teamsImported, 1);
        // The first person of that name, ignoring capitals, is updated: the
        // file's values replace the stored ones, but never with nothing.
        // Accented capitals match too, and the file's spelling is kept exactly.
        // A nameless person is never taken for another nameless one.
        const char* people = "select group_concat(PersonNumber || '|' || coalesce(FirstName, '') || '|' || "
                             "coalesce(LastName, '') || '|' || coalesce(HomePhone, '') || '|' || coalesce(City, ''), "
                             "',') from People";
        QCOMPARE(textOf(*target, people), QString::fromUtf8("10|Sean|O'Brien|999|Cork,11|Sean|O'Brien|second|,"
                                                            "12|||nameless|,13|Zoë|Ünal-Smith|555|Bern,14||||"));
        QCOMPARE(textOf(*target, "select group_concat(PersonNumber) from (select PersonNumber from Roster order by 1)"),
                 QStringLiteral("10,13,14"));
        QCOMPARE(countRows(*target, QStringLiteral("PlayerStats"), QStringLiteral("PlayerNumber = 10")), 2);

        // The same file again: everybody is found by name, nobody added.
        ScriptedQuestions again;
        again.answers = {false};
        ImportTeams(*target, *file, *program, 2, again);
        QCOMPARE(countRows(*target, QStringLiteral("People")), 5);
    }

    void gameTypesAndCategoryNamesAreMatchedByName()
    {
        addGameType(Db(), 1, QStringLiteral("League"));
        addGameType(Db(), 2, QStringLiteral("Playoffs"));
        addGameType(Db(), 3, QStringLiteral("No Game Type"));
        addSourceCategoryNames();
        Db().execute(QStringLiteral("insert into NameYourOwnCats (CategoryType, CategoryNumber, CategoryDescription) "
                                    "values ('G', 2, 'sho'), ('G', 3, 'Blk')"));
        addTransferTeam(Db(), 1, QStringLiteral("Typed"), {{1, QStringLiteral("A"), QStringLiteral("B")}}, 1, 2);
        addTransferTeam(Db(), 2, QStringLiteral("League Team"), {{1, QStringLiteral("A"), QStringLiteral("B")}}, 1, 1);
        auto file = openFile(exportTeams({{1, QStringLiteral("Typed")}, {2, QStringLiteral("League Team")}}));

        auto target = otherProgram();
        addGameType(*target, 5, QStringLiteral(" LEAGUE "));
        nameCategory(*target, "H", 1, QStringLiteral("HIT"));
        nameCategory(*target, "H", 2, QStringLiteral("Fgt"));
        nameCategory(*target, "G", 2, QStringLiteral("SO"));
        ScriptedQuestions ask;
        // Offered: G2 "sho" over "SO" (No) and G3 "Blk" (Yes); not H1 (same
        // name), H2 (default name), H6 (beyond five) or G1 (default).
        ask.answers = {false, true};
        const ImportResult r = ImportTeams(*target, *file, *program, 1, ask);
        QCOMPARE(ask.asked, (QStringList{QStringLiteral("G sho for [SO ]"), QStringLiteral("G Blk for [G3 ]")}));
        QVERIFY(r.gameTypesAdded);
        QVERIFY(r.categoryNamesChanged);
        QCOMPARE(ask.addedTypes, (QStringList{QStringLiteral("Playoffs"), QStringLiteral("No Game Type")}));
        QCOMPARE(textOf(*target, "select group_concat(GameTypeNumber || '=' || GameTypeDescription) from GameTypes"),
                 QStringLiteral("5= LEAGUE ,6=Playoffs,7=No Game Type"));
        QCOMPARE(textOf(*target, "select (select group_concat(GameType) from (select GameType from GameStats order by "
                                 "TeamNumber)) || ',' || (select group_concat(GameType) from (select GameType from "
                                 "PlayerStats order by TeamNumber))"),
                 QStringLiteral("6,5,6,5"));
        QCOMPARE(textOf(*target, "select group_concat(CategoryDescription) from NameYourOwnCats where CategoryType = 'G' "
                                 "and CategoryNumber in (2, 3)"),
                 QStringLiteral("SO,Blk"));
    }

    void aTeamThatFailsIsWrittenNotAtAll()
    {
        addTransferTeam(Db(), 1, QStringLiteral("First"), {{1, QStringLiteral("A"), QStringLiteral("One")}});
        addTransferTeam(Db(), 2, QStringLiteral("Replacing"), {{2, QStringLiteral("B"), QStringLiteral("Two")}});
        auto file = openFile(exportTeams({{1, QStringLiteral("First")}, {2, QStringLiteral("Replacing")}}));

        auto target = otherProgram();
        addTransferTeam(*target, 1, QStringLiteral("Replacing"), {{5, QStringLiteral("Old"), QStringLiteral("Five")}});
        // The second team's goalie rows cannot be written, as on a full disk.
        target->execute(QStringLiteral("create trigger full after insert on GoalieStats when new.TeamNumber = 3 "
                                       "begin select raise(abort, 'disk full'); end"));
        ScriptedQuestions ask;
        ask.answers = {true};
        const ImportResult r = ImportTeams(*target, *file, *program, 2, ask);
        QCOMPARE(r.teamsImported, 1);
        QVERIFY(r.failure);
        QCOMPARE(r.failedTeam, QStringLiteral("Replacing"));
        // The replaced team and its rows are still there; nothing of the
        // failed team arrived, not even its people.
        QCOMPARE(textOf(*target, "select group_concat(LongTeamName) from Teams"), QStringLiteral("Replacing,First"));
        QCOMPARE(countRows(*target, QStringLiteral("GameStats"), QStringLiteral("TeamNumber = 1")), 2);
        QCOMPARE(countRows(*target, QStringLiteral("People"), QStringLiteral("LastName = 'Two'")), 0);
        QCOMPARE(countRows(*target, QStringLiteral("Roster")), 2);
    }

    // Team numbers are 16-bit: the team that finds none left is refused
    // whole, and the teams before it, and the one under the largest number
    // before the import, keep all their rows.
    void aTeamWithoutANumberLeftIsRefusedWhole()
    {
        addTransferTeam(Db(), 1, QStringLiteral("Takes The Last"), {{1, QStringLiteral("Ann"), QStringLiteral("One")}});
        addTransferTeam(Db(), 2, QStringLiteral("Finds None"), {{2, QStringLiteral("Bo"), QStringLiteral("Two")}});
        auto file = openFile(exportTeams({{1, QStringLiteral("Takes The Last")}, {2, QStringLiteral("Finds None")}}));

        auto target = otherProgram();
        addTransferTeam(*target, 32766, QStringLiteral("Restored"), {{9, QStringLiteral("Cy"), QStringLiteral("Nine")}}, 0);
        target->execute(QStringLiteral("insert into GameStats (TeamNumber, GStatNumber, GameNumber) values (32766, 1, 1)"));
        ScriptedQuestions ask;
        const ImportResult r = ImportTeams(*target, *file, *program, 7, ask);
        QCOMPARE(r.teamsImported, 1);
        QCOMPARE(r.failedTeam, QStringLiteral("Finds None"));
        QCOMPARE(r.failure.value().description(), NoNumberLeftMessage(KeyKind::Team).text);
        QCOMPARE(r.nextTeamNumber, int16_t(32767));
        QCOMPARE(textOf(*target, "select group_concat(TeamNumber || ':' || LongTeamName) from Teams"),
                 QStringLiteral("32766:Restored,32767:Takes The Last"));
        QCOMPARE(counts(*target, {"Roster", "GameStats", "PlayerStats", "GoalieStats", "People"}),
                 QStringLiteral("2,3,2,2,2"));
        for (const char* table : {"Roster", "GameStats"})
            QCOMPARE(countRows(*target, QLatin1String(table), QStringLiteral("TeamNumber = 32766")), 1);
    }

    // Person numbers too: a team bringing a new person finds none left and
    // is refused whole; the team before it took the last one.
    void aTeamWithoutAPersonNumberLeftIsRefusedWhole()
    {
        addTransferTeam(Db(), 1, QStringLiteral("Takes The Last"), {{1, QStringLiteral("Ann"), QStringLiteral("One")}});
        addTransferTeam(Db(), 2, QStringLiteral("Finds None"),
                        {{1, QStringLiteral("Ann"), QStringLiteral("One")}, {2, QStringLiteral("Bo"), QStringLiteral("Two")}});
        auto file = openFile(exportTeams({{1, QStringLiteral("Takes The Last")}, {2, QStringLiteral("Finds None")}}));

        auto target = otherProgram();
        addPerson(*target, {32766, QStringLiteral("Old"), QStringLiteral("Timer")});
        ScriptedQuestions ask;
        const ImportResult r = ImportTeams(*target, *file, *program, 1, ask);
        QCOMPARE(r.teamsImported, 1);
        QCOMPARE(r.failedTeam, QStringLiteral("Finds None"));
        QCOMPARE(r.failure.value().description(), NoNumberLeftMessage(KeyKind::Person).text);
        QCOMPARE(textOf(*target, "select group_concat(PersonNumber || ':' || LastName) from People"),
                 QStringLiteral("32766:Timer,32767:One"));
        QCOMPARE(textOf(*target, "select group_concat(TeamNumber || ':' || PersonNumber) from Roster"),
                 QStringLiteral("1:32767"));
        QCOMPARE(counts(*target, {"Teams", "GameStats", "PlayerStats"}), QStringLiteral("1,2,2"));
    }

    // Game types are added before any team: without a number for one, the
    // file is refused before anything is written.
    void gameTypesWithoutANumberLeftRefuseTheFileWhole()
    {
        addGameType(Db(), 1, QStringLiteral("League"));
        addGameType(Db(), 2, QStringLiteral("Cup"));
        addTransferTeam(Db(), 1, QStringLiteral("Cup Team"), {{1, QStringLiteral("A"), QStringLiteral("B")}}, 1, 2);
        auto file = openFile(exportTeams({{1, QStringLiteral("Cup Team")}}));

        auto target = otherProgram();
        addGameType(*target, 32766, QStringLiteral("Old"));
        const QByteArray before = readBytes(target->path());
        ScriptedQuestions ask;
        try {
            ImportTeams(*target, *file, *program, 1, ask);
            QFAIL("imported");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.description(), NoNumberLeftMessage(KeyKind::GameType).text);
        }
        QVERIFY(readBytes(target->path()) == before);
        QVERIFY(ask.addedTypes.isEmpty());

        target->execute(QStringLiteral("update GameTypes set GameTypeNumber = 32765"));
        QCOMPARE(ImportTeams(*target, *file, *program, 1, ask).teamsImported, 1);
        QCOMPARE(textOf(*target, "select group_concat(GameTypeNumber || '=' || GameTypeDescription) from GameTypes"),
                 QStringLiteral("32765=Old,32766=League,32767=Cup"));
        QCOMPARE(textOf(*target, "select GameType from GameStats"), QStringLiteral("32767"));
    }

    // Import holds category names in three characters: a longer name in the
    // file is offered whole and taken cut, one of three stays whole.
    void longCategoryNamesAreTakenCutToThreeCharacters()
    {
        const QString path = exportTeams({});
        openFile(path)->execute(QStringLiteral("insert into NameYourOwnCats (CategoryType, CategoryNumber, "
                                               "CategoryDescription) values ('H', 1, 'Hitting'), ('G', 2, 'Saves'), "
                                               "('H', 3, 'Blk')"));
        auto target = otherProgram();
        ScriptedQuestions ask;
        ask.answers = {true, true, true};
        const ImportResult r = ImportTeams(*target, *openFile(path), *program, 1, ask);
        QVERIFY(r.categoryNamesChanged);
        QCOMPARE(ask.asked, (QStringList{QStringLiteral("H Hitting for [H1 ]"), QStringLiteral("G Saves for [G2 ]"),
                                         QStringLiteral("H Blk for [H3 ]")}));
        QCOMPARE(textOf(*target, "select group_concat(c) from (select CategoryType || CategoryNumber || '=' || "
                                 "CategoryDescription as c from NameYourOwnCats where CategoryNumber in (1, 2, 3) "
                                 "order by CategoryType, CategoryNumber)"),
                 QStringLiteral("G1=G1,G2=Sav,G3=G3,H1=Hit,H2=H2,H3=Blk"));
    }

    // Tables and fields the program does not have are left out of an
    // import, whatever the file or the live database holds besides them.
    void tablesAndFieldsOfTheirOwnAreLeftOut()
    {
        addTransferTeam(Db(), 1, QStringLiteral("Ice Hawks"), {{1, QStringLiteral("Sean"), QStringLiteral("Ek")}});
        const QString path = exportTeams({{1, QStringLiteral("Ice Hawks")}});
        for (const char* sql : {"alter table Teams add column Zzz text default 'zz'", "create table Extra (a)",
                                "insert into Extra values (1)"})
            openFile(path)->execute(QLatin1String(sql));
        auto target = otherProgram();
        target->execute(QStringLiteral("alter table Teams add column Yyy smallint not null default 7"));
        const OpenedTransferFile opened = OpenTransferFile(path, data());
        QCOMPARE(opened.status, TransferFileCheck::Ok);
        ScriptedQuestions ask;
        QCOMPARE(ImportTeams(*target, *opened.db, *program, 1, ask).teamsImported, 1);
        QCOMPARE(textOf(*target, "select group_concat(LongTeamName || Yyy) from Teams"), QStringLiteral("Ice Hawks7"));
        QCOMPARE(textOf(*target, "select count(*) from sqlite_master where name = 'Extra' or sql like '%Zzz%'"),
                 QStringLiteral("0"));
    }

    // Nothing of such a file is written, not even its game types.
    void aFileWithValuesThatDoNotFitIsRefusedWhole()
    {
        const std::pair<const char*, const char*> kinds[] = {
            {"update Teams set LongTeamName = printf('%.5000c', 'x')",
             "xxx...\" cannot be imported: its Teams.LongTeamName is longer"},
            {"update Roster set UniformNumber = '12345678'", "Hawks\" cannot be imported: its Roster.UniformNumber is longer"},
            {"update Teams set notes = printf('%.70000c', 'n')", "Teams.notes"},
            {"update People set FirstName = printf('%.21c', 'p')", "People.FirstName"},
            {"update GameTypes set GameTypeDescription = printf('%.26c', 't')", "The file's GameTypes cannot be imported"},
            {"update GameStats set GameNumber = 40000 where GameNumber = 2",
             "GameStats.GameNumber is not a whole number from -32768 to 32767"},
            {"update PlayerStats set G = 'many'", "PlayerStats.G is not a number"},
            {"update GameStats set GameDate = '2026-02-30'", "GameStats.GameDate is not a date"},
            {"update GameStats set HomeTeam = 5", "GameStats.HomeTeam is neither"},
            // Bytes are no value of any field, even when they spell one.
            {"update Teams set ShortTeamName = x'00FF00FF'", "Hawks\" cannot be imported: its Teams.ShortTeamName is "
                                                              "binary data, not text"},
            {"insert into NameYourOwnCats (CategoryType, CategoryNumber, CategoryDescription) values ('H', 1, x'00FF')",
             "The file's NameYourOwnCats cannot be imported: its NameYourOwnCats.CategoryDescription is binary data"},
            {"update PlayerStats set G = cast('12' as blob)", "PlayerStats.G is not a number"},
            // Nor are bytes stored as text: a NUL, or no UTF-8.
            {"update Teams set ShortTeamName = cast(x'00FF00FF' as text)",
             "Hawks\" cannot be imported: its Teams.ShortTeamName is binary data, not text"},
            {"update People set City = 'Ou' || char(0) || 'lu'", "People.City is binary data"},
            // Read in 32 bits, this number would pass as 0.
            {"update GameStats set GStatNumber = 4294967296", "GameStats.GStatNumber is not a whole number"},
            {"update GameStats set GameDate = cast('2026-11-05' as blob)", "GameStats.GameDate is not a date"},
            {"update GameStats set Overtime = cast('0' as blob)", "GameStats.Overtime is neither"},
            // Keys and numbers a window reads may not be empty; game types
            // are matched by their names.
            {"update GameStats set GameNumber = null where GameNumber = 2",
             "Hawks\" cannot be imported: its GameStats.GameNumber is empty. Nothing was imported."},
            {"update Roster set PersonNumber = null", "Hawks\" cannot be imported: its Roster.PersonNumber is empty"},
            {"update GoalieStats set PlayerNumber = null", "its GoalieStats.PlayerNumber is empty"},
            {"insert into GameTypes values (null, null)",
             "The file's GameTypes cannot be imported: its GameTypes.GameTypeNumber is empty"},
            {"insert into GameTypes values (7, null)", "its GameTypes.GameTypeDescription is empty"}};
        addGameType(Db(), 1, QStringLiteral("League"));
        addTransferTeam(Db(), 1, QStringLiteral("Ice Hawks"), {{1, QStringLiteral("Sean"), QStringLiteral("Ek")}}, 2, 1);
        const QString sound = exportTeams({{1, QStringLiteral("Ice Hawks")}});
        auto target = otherProgram();
        const QByteArray before = readBytes(target->path());
        for (const auto& [change, refusal] : kinds) {
            const QString file = exported(QStringLiteral("bad.mdb"));
            QFile::remove(file);
            QFile::copy(sound, file);
            openFile(file)->execute(QLatin1String(change));
            ScriptedQuestions ask;
            try {
                ImportTeams(*target, *openFile(file), *program, 1, ask);
                QFAIL(change);
            } catch (const RuntimeError& e) {
                QVERIFY2(e.description().contains(QLatin1String(refusal)), qPrintable(e.description()));
            }
            QVERIFY2(readBytes(target->path()) == before, change);
        }
    }
};

VH_TEST_MAIN(TstTransfer)
#include "tst_transfer.moc"
