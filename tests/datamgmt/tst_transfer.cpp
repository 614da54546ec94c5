#include "datamgmt/TeamExport.h"
#include "datamgmt/TeamImport.h"
#include "datamgmt/TransferChecks.h"
#include "datamgmt/TransferTables.h"
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

    // Gives every transferred field of `table` that no key or name depends on
    // a value of its own in each row, so that a field copied from another
    // shows.
    void fillEveryField(Database& db, const QString& table)
    {
        static const QStringList kept{QStringLiteral("TeamNumber"), QStringLiteral("PersonNumber"),
                                      QStringLiteral("PlayerNumber"), QStringLiteral("GameNumber"),
                                      QStringLiteral("GStatNumber"), QStringLiteral("GameType"),
                                      QStringLiteral("FirstName"), QStringLiteral("LastName"),
                                      QStringLiteral("LongTeamName"), QStringLiteral("GameDate")};
        QStringList sets;
        int i = 0;
        for (const FieldInfo& f : program->tableFields(table)) {
            ++i;
            if (kept.contains(f.name) || !transfer::transferTables().at(table).contains(f.name))
                continue;
            if (f.type == FieldType::Integer)
                sets << QStringLiteral("%1 = (rowid * 53 + %2) % 997").arg(f.name).arg(i);
            else if (f.type == FieldType::Boolean)
                sets << QStringLiteral("%1 = -((rowid + %2) % 2)").arg(f.name).arg(i);
            else if (f.type == FieldType::Text || f.type == FieldType::Memo)
                sets << QStringLiteral("%1 = substr(char(64 + %2) || rowid || 'x%2', 1, %3)")
                            .arg(f.name)
                            .arg(i)
                            .arg(f.size > 0 ? f.size : 99);
        }
        db.execute(QStringLiteral("update %1 set %2").arg(table, sets.join(QStringLiteral(", "))));
    }

    // Every row of `table` with each transferred field, its keys given as the
    // names they stand for, sorted: what an import must bring unchanged.
    QStringList rowsByName(Database& db, const QString& table)
    {
        static const QStringList translated{QStringLiteral("TeamNumber"), QStringLiteral("PersonNumber"),
                                            QStringLiteral("PlayerNumber"), QStringLiteral("GameType"),
                                            QStringLiteral("OpponentTeamNumber"),
                                            QStringLiteral("OpponentGStatNumber")};
        const QStringList& fields = transfer::transferTables().at(table);
        QStringList cells{QStringLiteral("coalesce(t.LongTeamName, '-')"), QStringLiteral("coalesce(gt.GameTypeDescription, '-')")};
        const QString person = fields.contains(QStringLiteral("PlayerNumber")) ? QStringLiteral("x.PlayerNumber")
                                                                                : QStringLiteral("x.PersonNumber");
        cells << QStringLiteral("coalesce(p.FirstName || ' ' || p.LastName, '-')");
        for (const QString& f : fields)
            if (!translated.contains(f))
                cells << QStringLiteral("coalesce(x.%1, 'null')").arg(f);
        const bool hasTeam = fields.contains(QStringLiteral("TeamNumber"));
        const bool hasType = fields.contains(QStringLiteral("GameType"));
        const bool hasPerson = fields.contains(QStringLiteral("PlayerNumber")) || fields.contains(QStringLiteral("PersonNumber"));
        const QString sql =
            QStringLiteral("select %1 as r from %2 x left join Teams t on %3 left join GameTypes gt on %4 left join "
                           "People p on %5 order by r")
                .arg(cells.join(QStringLiteral(" || '|' || ")), table,
                     hasTeam ? QStringLiteral("t.TeamNumber = x.TeamNumber") : QStringLiteral("0"),
                     hasType ? QStringLiteral("gt.GameTypeNumber = x.GameType") : QStringLiteral("0"),
                     hasPerson ? QStringLiteral("p.PersonNumber = ") + person : QStringLiteral("0"));
        QStringList rows;
        Recordset rs = db.openRecordset(sql);
        for (; !rs.eof(); rs.moveNext())
            rows << rs.value(QStringLiteral("r")).toString();
        return rows;
    }

    // Why the import of `file` was refused, with what the database lacked a
    // number for; "imported" when it was not.
    QString refusalOf(Database& target, const QString& file, ScriptedQuestions& ask,
                      std::optional<KeyKind>* noNumber = nullptr)
    {
        try {
            ImportTeams(target, *openFile(file), *program, 2, ask);
        } catch (const ImportRefused& e) {
            if (noNumber)
                *noNumber = e.noNumberFor();
            return e.description();
        }
        return QStringLiteral("imported");
    }

    static void addSourceCategoryNames()
    {
        Db().execute(QStringLiteral("insert into NameYourOwnCats (CategoryType, CategoryNumber, CategoryDescription) "
                                    "values ('H', 1, 'Hit'), ('H', 2, 'H2'), ('G', 1, 'G1'), ('H', 6, 'Six')"));
    }

    // Pines (Ann, Bo and Cy; three League games) and Oaks (Di; three League
    // games) exported in that order, with the game types League and Cup and
    // category names of their own; the database to import into holds a team
    // named Pines, so that a question would show. Returns the file's path.
    QString exportPinesAndOaks()
    {
        addGameType(Db(), 1, QStringLiteral("League"));
        addGameType(Db(), 2, QStringLiteral("Cup"));
        addSourceCategoryNames();
        addTransferTeam(Db(), 1, QStringLiteral("Pines"),
                        {{1, QStringLiteral("Ann"), QStringLiteral("One")}, {2, QStringLiteral("Bo"), QStringLiteral("Two")},
                         {3, QStringLiteral("Cy"), QStringLiteral("Three")}},
                        3, 1);
        addTransferTeam(Db(), 2, QStringLiteral("Oaks"), {{4, QStringLiteral("Di"), QStringLiteral("Four")}}, 3, 1);
        auto target = otherProgram();
        addTransferTeam(*target, 1, QStringLiteral("Pines"), {{5, QStringLiteral("Old"), QStringLiteral("Five")}});
        return exportTeams({{1, QStringLiteral("Pines")}, {2, QStringLiteral("Oaks")}});
    }

    // Imports `sound` with `changes` made to a copy of it (SQL statements
    // run one by one) into the database exportPinesAndOaks made. Empty when
    // the file was refused with `refusal` before anything was asked or added,
    // the database file unchanged byte for byte; else what became of it.
    QString notRefusedAs(const QString& sound, const QStringList& changes, const QString& refusal)
    {
        const QString file = exported(QStringLiteral("bad.mdb"));
        QFile::remove(file);
        QFile::copy(sound, file);
        for (const QString& sql : changes)
            openFile(file)->execute(sql);
        const QString targetPath = out.path() + QStringLiteral("/other.mdb");
        const QByteArray before = readBytes(targetPath);
        auto target = openFile(targetPath);
        ScriptedQuestions ask;  // fails the test on any question
        const QString outcome = refusalOf(*target, file, ask);
        target->close();
        if (outcome != refusal || !ask.addedTypes.isEmpty() || readBytes(targetPath) != before) {
            QFile::remove(targetPath);
            writeBytes(targetPath, before);
            return changes.join(QLatin1Char(';')) + QStringLiteral(" -> ") + outcome;
        }
        return {};
    }

    // The statements that make `table` of a transfer file again with
    // `field` declared as `type` (none when empty), rows copied in order.
    QStringList retyped(const QString& path, const QString& table, const QString& field, const QString& type)
    {
        QStringList columns;
        auto file = openFile(path);
        Recordset info =
            file->openRecordset(QStringLiteral("select name, type from pragma_table_info('%1')").arg(table));
        for (; !info.eof(); info.moveNext()) {
            const QString name = info.getText(QStringLiteral("name"));
            columns << name + QLatin1Char(' ') + (name == field ? type : info.getText(QStringLiteral("type")));
        }
        return {QStringLiteral("create table Remade (%1)").arg(columns.join(QStringLiteral(", "))),
                QStringLiteral("insert into Remade select * from %1").arg(table),
                QStringLiteral("drop table %1").arg(table), QStringLiteral("alter table Remade rename to %1").arg(table)};
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
        QVERIFY(r.numberRanOut == KeyKind::Team);
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
        QVERIFY(r.numberRanOut == KeyKind::Person);
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
        } catch (const ImportRefused& e) {
            QCOMPARE(e.description(), NoNumberLeftMessage(KeyKind::GameType).text);
            QVERIFY(e.noNumberFor() == KeyKind::GameType);
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
             "Its Teams.LongTeamName is longer than 50 characters for the team \"xxx"},
            {"update Roster set UniformNumber = '12345678'",
             "Its Roster.UniformNumber is longer than 3 characters for the team \"Ice Hawks\"."},
            {"update Teams set notes = printf('%.70000c', 'n')", "Teams.notes"},
            {"update People set FirstName = printf('%.21c', 'p')", "People.FirstName"},
            {"update GameTypes set GameTypeDescription = printf('%.26c', 't')",
             "Its GameTypes.GameTypeDescription is longer than 25 characters in one row."},
            {"update GameStats set GameNumber = 40000 where GameNumber = 2",
             "GameStats.GameNumber is not a whole number from -32768 to 32767"},
            {"update PlayerStats set G = 'many'", "PlayerStats.G is not a number"},
            {"update GameStats set GameDate = '2026-02-30'", "GameStats.GameDate is not a date"},
            {"update GameStats set HomeTeam = 5", "GameStats.HomeTeam is neither"},
            // Bytes are no value of any field, even when they spell one.
            {"update Teams set ShortTeamName = x'00FF00FF'",
             "Its Teams.ShortTeamName is binary data, not text for the team \"Ice Hawks\"."},
            {"insert into NameYourOwnCats (CategoryType, CategoryNumber, CategoryDescription) values ('H', 1, x'00FF')",
             "Its NameYourOwnCats.CategoryDescription is binary data, not text in one row."},
            {"update PlayerStats set G = cast('12' as blob)", "PlayerStats.G is not a number"},
            // Nor are bytes stored as text: a NUL, or no UTF-8.
            {"update Teams set ShortTeamName = cast(x'00FF00FF' as text)",
             "Its Teams.ShortTeamName is binary data, not text for the team \"Ice Hawks\"."},
            {"update People set City = 'Ou' || char(0) || 'lu'", "People.City is binary data"},
            // Read in 32 bits, this number would pass as 0.
            {"update GameStats set GStatNumber = 4294967296", "GameStats.GStatNumber is not a whole number"},
            {"update GameStats set GameDate = cast('2026-11-05' as blob)", "GameStats.GameDate is not a date"},
            {"update GameStats set Overtime = cast('0' as blob)", "GameStats.Overtime is neither"},
            // Keys and numbers a window reads may not be empty; game types
            // are matched by their names.
            {"update GameStats set GameNumber = null where GameNumber = 2",
             "Its GameStats.GameNumber is empty for the team \"Ice Hawks\"."},
            {"update Roster set PersonNumber = null", "Its Roster.PersonNumber is empty for the team \"Ice Hawks\"."},
            {"update GoalieStats set PlayerNumber = null", "Its GoalieStats.PlayerNumber is empty for the team"},
            {"insert into GameTypes values (null, null)",
             "Its GameTypes.GameTypeNumber is empty in one row."},
            {"insert into GameTypes values (7, null)", "Its GameTypes.GameTypeDescription is empty in one row."}};
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
            } catch (const ImportRefused& e) {
                QVERIFY2(e.description().contains(QLatin1String(refusal)), qPrintable(e.description()));
            }
            QVERIFY2(readBytes(target->path()) == before, change);
        }
    }

    // A file this program exports comes back field for field: a team with
    // games, players and goalies, a player who left the roster but keeps his
    // statistics, a shared person and statistics of nobody (person 0).
    void anExportedFileComesBackFieldForField()
    {
        addGameType(Db(), 1, QStringLiteral("League"));
        addGameType(Db(), 2, QStringLiteral("Cup"));
        const Person shared{1, QStringLiteral("Ann"), QStringLiteral("O'Neil")};
        addTransferTeam(Db(), 1, QStringLiteral("Pines"), {shared, {2, QStringLiteral("Bo"), QStringLiteral("Two")},
                                                          {3, QStringLiteral("Cy"), QStringLiteral("Three")}},
                        3, 1);
        addTransferTeam(Db(), 2, QStringLiteral("Oaks"), {{4, QStringLiteral("Di"), QStringLiteral("Four")}, shared}, 2, 2);
        Db().execute(QStringLiteral("update GameStats set GameType = 2 where TeamNumber = 1 and GameNumber = 2"));
        Db().execute(QStringLiteral("delete from Roster where PersonNumber = 2"));
        Db().execute(QStringLiteral("insert into PlayerStats (TeamNumber, GameNumber, PlayerNumber, EventNumber, "
                                    "GameType, HomeTeam) values (1, 3, 0, 1, 1, 0)"));
        for (const char* table : {"Teams", "People", "Roster", "GameStats", "PlayerStats", "GoalieStats"})
            fillEveryField(Db(), QLatin1String(table));
        const QString path = exportTeams({{1, QStringLiteral("Pines")}, {2, QStringLiteral("Oaks")}});

        auto target = otherProgram();
        ScriptedQuestions ask;
        const ImportResult r = ImportTeams(*target, *openFile(path), *program, 1, ask);
        QCOMPARE(r.teamsImported, 2);
        QVERIFY(!r.failure);
        QCOMPARE(counts(*target, {"Teams", "People", "Roster", "GameStats", "PlayerStats", "GoalieStats"}),
                 QStringLiteral("2,4,4,5,14,5"));
        for (const char* table : {"Teams", "People", "Roster", "GameStats", "PlayerStats", "GoalieStats"})
            QCOMPARE(rowsByName(*target, QLatin1String(table)), rowsByName(Db(), QLatin1String(table)));
        QCOMPARE(textOf(*target, "select count(*) from GameStats where OpponentTeamNumber <> 0 or OpponentGStatNumber <> 0"),
                 QStringLiteral("0"));
    }

    // A team of the file that would lose rows, or bring rows belonging to no
    // team, game or person, refuses the file before anything is written or
    // asked: no team replaced, no game type added, no category offered.
    void aFileWhoseRowsDoNotHangTogetherIsRefusedWhole()
    {
        const std::pair<const char*, const char*> kinds[] = {
            {"delete from People", "The team \"Pines\" has player 1 on its roster, but the file holds no such person."},
            {"delete from People where PersonNumber = 2",
             "The team \"Pines\" has player 2 on its roster, but the file holds no such person."},
            {"update People set PersonNumber = null where PersonNumber = 2", "Its People.PersonNumber is empty in one row."},
            {"update People set PersonNumber = -32768 where PersonNumber = 2",
             "The team \"Pines\" has player 2 on its roster, but the file holds no such person."},
            {"update People set PersonNumber = x'02' where PersonNumber = 2",
             "Its People.PersonNumber is not a number in one row."},
            {"update Roster set PersonNumber = 31000 where PersonNumber = 2",
             "The team \"Pines\" has player 31000 on its roster, but the file holds no such person."},
            {"update Roster set PersonNumber = -1 where PersonNumber = 2",
             "The team \"Pines\" has player -1 on its roster, but the file holds no such person."},
            {"update Roster set PersonNumber = -32768 where PersonNumber = 4",
             "The team \"Oaks\" has player -32768 on its roster, but the file holds no such person."},
            // A row without its team number is one import would never read.
            {"update Roster set TeamNumber = null where PersonNumber = 2", "Its Roster.TeamNumber is empty in one row."},
            {"update PlayerStats set TeamNumber = null where PlayerNumber = 2 and GameNumber = 1",
             "Its PlayerStats.TeamNumber is empty in one row."},
            {"update GoalieStats set TeamNumber = null where TeamNumber = 1 and GameNumber = 2",
             "Its GoalieStats.TeamNumber is empty in one row."},
            {"update GameStats set TeamNumber = null where TeamNumber = 1 and GameNumber = 2",
             "Its GameStats.TeamNumber is empty in one row."},
            {"update Teams set TeamNumber = null where TeamNumber = 2", "Its Teams.TeamNumber is empty for the team \"Oaks\"."},
            // The other team's game 3 is no game of this one.
            {"delete from GameStats where TeamNumber = 1 and GameNumber = 3",
             "The team \"Pines\" has player statistics for game 3, but the file holds no game 3 of that team."},
            {"delete from GameStats where TeamNumber = 1 and GameNumber = 3; delete from PlayerStats where TeamNumber = 1 "
             "and GameNumber = 3",
             "The team \"Pines\" has goalie statistics for game 3, but the file holds no game 3 of that team."},
            {"delete from Teams where TeamNumber = 2", "Its Roster holds rows of team number 2, but the file holds no such team."},
            {"update PlayerStats set TeamNumber = 7 where PlayerNumber = 3 and GameNumber = 1",
             "Its PlayerStats holds rows of team number 7, but the file holds no such team."},
            {"update GameStats set TeamNumber = 7 where TeamNumber = 2 and GameNumber = 1",
             "Its GameStats holds rows of team number 7, but the file holds no such team."},
            {"update GoalieStats set TeamNumber = 8 where TeamNumber = 2 and GameNumber = 3",
             "Its GoalieStats holds rows of team number 8, but the file holds no such team."},
            // Two teams or people of one number would share their rows.
            {"update Teams set TeamNumber = 1", "Its Teams.TeamNumber is 1 in more than one row."},
            {"update People set PersonNumber = 2 where PersonNumber = 3", "Its People.PersonNumber is 2 in more than one row."},
            {"update GameStats set GameNumber = 1 where TeamNumber = 2 and GameNumber = 3",
             "The team \"Oaks\" has more than one game 1."},
            {"update Teams set LongTeamName = ' ' where TeamNumber = 2; update Roster set PersonNumber = 9 where TeamNumber = 2",
             "Team number 2 has player 9 on its roster, but the file holds no such person."}};
        const QString sound = exportPinesAndOaks();
        QStringList wrong;  // each change with what became of it, when that was not its refusal
        for (const auto& [change, refusal] : kinds)
            if (const QString w = notRefusedAs(sound, QString::fromLatin1(change).split(QLatin1Char(';')),
                                               QLatin1String(refusal));
                !w.isEmpty())
                wrong << w;
        QCOMPARE(wrong, QStringList());
    }

    // Import selects a team's rows by a key bound as a whole number, and the
    // checks join and group rows by their keys: a key the field check would
    // read as a number, but stored as text or as a real, refuses the file,
    // named by its first row in table order.
    void keysNotStoredAsWholeNumbersRefuseTheFile_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("type");   // the field's column made again with this declared type
        QTest::addColumn<QString>("value");  // what the first row then holds (%1 the field), if it changes
        QTest::addColumn<QString>("where");
        const char* const keys[] = {"Teams.TeamNumber",        "Roster.TeamNumber",      "Roster.PersonNumber",
                                    "People.PersonNumber",     "GameStats.TeamNumber",   "GameStats.GameNumber",
                                    "PlayerStats.TeamNumber",  "PlayerStats.GameNumber", "PlayerStats.PlayerNumber",
                                    "GoalieStats.TeamNumber",  "GoalieStats.GameNumber", "GoalieStats.PlayerNumber",
                                    "GameTypes.GameTypeNumber"};
        const std::pair<const char*, const char*> forms[] = {
            {"text", ""}, {"", "cast(%1 as text)"}, {"", "'0' || %1"}, {"", "%1 || '.0'"},
            {"", "'+' || %1"}, {"", "cast(%1 as real)"}, {"blob", "cast(%1 as text)"}};
        for (const char* key : keys) {
            const QStringList part = QString::fromLatin1(key).split(QLatin1Char('.'));
            const bool ofTeam = part[0] != QLatin1String("People") && part[0] != QLatin1String("GameTypes");
            for (const auto& [type, value] : forms)
                QTest::addRow("%s %s %s", key, type, value)
                    << part[0] << part[1] << QString::fromLatin1(type) << QString::fromLatin1(value)
                    << (ofTeam ? QStringLiteral(" for the team \"Pines\"") : QStringLiteral(" in one row"));
        }
    }
    void keysNotStoredAsWholeNumbersRefuseTheFile()
    {
        QFETCH(QString, table);
        QFETCH(QString, field);
        QFETCH(QString, type);
        QFETCH(QString, value);
        QFETCH(QString, where);
        const QString sound = exportPinesAndOaks();
        QStringList changes = retyped(sound, table, field, type);
        if (!value.isEmpty())
            changes << QStringLiteral("update %1 set %2 = %3 where rowid = (select min(rowid) from %1)")
                           .arg(table, field, value.arg(field));
        QCOMPARE(notRefusedAs(sound, changes,
                              QStringLiteral("Its %1.%2 is not stored as a whole number%3.").arg(table, field, where)),
                 QString());
    }

    // Person 0 is nobody, and game types are matched by their names and
    // their numbers: such a file is refused as a whole.
    void keysThatNameNothingRefuseTheFile_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("person 0 in People") << "update People set PersonNumber = 0 where PersonNumber = 2"
                                            << "Its People.PersonNumber is 0 in one row.";
        QTest::newRow("person 0 in People and Roster")
            << "update People set PersonNumber = 0 where PersonNumber = 2; update Roster set PersonNumber = 0 where "
               "PersonNumber = 2"
            << "Its People.PersonNumber is 0 in one row.";
        QTest::newRow("person 0 on a roster") << "update Roster set PersonNumber = 0 where PersonNumber = 4"
                                              << "Its Roster.PersonNumber is 0 for the team \"Oaks\".";
        QTest::newRow("game type number twice") << "update GameTypes set GameTypeNumber = 1"
                                                << "Its GameTypes.GameTypeNumber is 1 in more than one row.";
        QTest::newRow("game type named ''") << "update GameTypes set GameTypeDescription = '' where GameTypeNumber = 2"
                                            << "Its GameTypes.GameTypeDescription is empty in one row.";
        QTest::newRow("game type named blanks")
            << "update GameTypes set GameTypeDescription = '   ' where GameTypeNumber = 1"
            << "Its GameTypes.GameTypeDescription is empty in one row.";
    }
    void keysThatNameNothingRefuseTheFile()
    {
        QFETCH(QString, change);
        QFETCH(QString, refusal);
        QCOMPARE(notRefusedAs(exportPinesAndOaks(), change.split(QLatin1Char(';')), refusal), QString());
    }

    // A key of any declared type that holds whole numbers is read by the
    // import as the check read it: every row comes in.
    void keysOfAnyDeclaredTypeHoldingWholeNumbersComeInRowForRow()
    {
        const QString path = exportPinesAndOaks();
        const std::pair<const char*, const char*> remade[] = {
            {"Teams", "TeamNumber"},      {"Roster", "PersonNumber"},    {"People", "PersonNumber"},
            {"GameStats", "GameNumber"},  {"PlayerStats", "TeamNumber"}, {"PlayerStats", "PlayerNumber"},
            {"GoalieStats", "GameNumber"}, {"GameTypes", "GameTypeNumber"}};
        for (const auto& [table, field] : remade)
            for (const QString& sql : retyped(path, QLatin1String(table), QLatin1String(field),
                                              QLatin1String(table == QLatin1String("Roster") ? "blob" : "")))
                openFile(path)->execute(sql);
        auto target = otherProgram();
        ScriptedQuestions ask;
        ask.answers = {true};  // the name offered for the first player category
        QCOMPARE(ImportTeams(*target, *openFile(path), *program, 1, ask).teamsImported, 2);
        for (const char* table : {"Teams", "People", "Roster", "GameStats", "PlayerStats", "GoalieStats"})
            QCOMPARE(rowsByName(*target, QLatin1String(table)), rowsByName(Db(), QLatin1String(table)));
    }

    // Export leaves out the people of no exported roster: a player who left
    // the team keeps his statistics in the file without his People row, and
    // they come in under person 0 (nobody), as do those of a number no row
    // of People holds. A person that another team of the file lists is that
    // person. Every other row comes in field for field.
    void statisticsOfAPersonTheFileLacksComeInUnderNobody()
    {
        exportPinesAndOaks();
        // Bo left Pines for Oaks; Cy left Pines and is on no roster.
        Db().execute(QStringLiteral("update Roster set TeamNumber = 2 where PersonNumber = 2"));
        Db().execute(QStringLiteral("delete from Roster where PersonNumber = 3"));
        for (const char* table : {"Teams", "People", "Roster", "GameStats", "PlayerStats", "GoalieStats"})
            fillEveryField(Db(), QLatin1String(table));
        auto file = openFile(
            exportTeams({{1, QStringLiteral("Pines")}, {2, QStringLiteral("Oaks")}}, QStringLiteral("left.mdb")));
        file->execute(QStringLiteral("delete from People where PersonNumber = 3"));
        file->execute(
            QStringLiteral("update GoalieStats set PlayerNumber = 31000 where TeamNumber = 2 and GameNumber = 2"));
        file->execute(QStringLiteral("update PlayerStats set PlayerNumber = -1 where TeamNumber = 1 and GameNumber = 3 "
                                     "and PlayerNumber = 1"));
        // What the import should make of them, in the source's terms.
        Db().execute(QStringLiteral("update PlayerStats set PlayerNumber = 0 where PlayerNumber = 3 or (TeamNumber = 1 "
                                    "and GameNumber = 3 and PlayerNumber = 1)"));
        Db().execute(QStringLiteral("update GoalieStats set PlayerNumber = 0 where TeamNumber = 2 and GameNumber = 2"));
        Db().execute(QStringLiteral("delete from People where PersonNumber = 3"));

        auto target = otherProgram();
        ScriptedQuestions ask;
        ask.answers = {true};  // the name offered for the first player category
        const ImportResult r = ImportTeams(*target, *file, *program, 1, ask);
        QCOMPARE(r.teamsImported, 2);
        QVERIFY(!r.failure);
        QCOMPARE(counts(*target, {"People", "PlayerStats", "GoalieStats"}), QStringLiteral("3,12,6"));
        QCOMPARE(countRows(*target, QStringLiteral("PlayerStats"), QStringLiteral("PlayerNumber = 0")), 4);
        for (const char* table : {"Teams", "People", "Roster", "GameStats", "PlayerStats", "GoalieStats"})
            QCOMPARE(rowsByName(*target, QLatin1String(table)), rowsByName(Db(), QLatin1String(table)));
    }

    // With no team number left at all, a file bringing a team is refused
    // before its game types come in; a file without teams still brings them,
    // and one number left takes the team.
    void noTeamNumberLeftRefusesTheFileBeforeItsGameTypes()
    {
        addGameType(Db(), 1, QStringLiteral("League"));
        addTransferTeam(Db(), 1, QStringLiteral("Pines"), {{1, QStringLiteral("Ann"), QStringLiteral("One")}}, 1, 1);
        const QString withTeam = exportTeams({{1, QStringLiteral("Pines")}});
        const QString withoutTeam = exportTeams({}, QStringLiteral("none.mdb"));
        auto target = otherProgram();
        addTransferTeam(*target, 32767, QStringLiteral("Last"), {}, 0);
        const QByteArray before = readBytes(target->path());
        ScriptedQuestions ask;
        std::optional<KeyKind> noNumber;
        QCOMPARE(refusalOf(*target, withTeam, ask, &noNumber), NoNumberLeftMessage(KeyKind::Team).text);
        QVERIFY(noNumber == KeyKind::Team);
        QVERIFY(readBytes(target->path()) == before);
        QVERIFY(ask.addedTypes.isEmpty());

        QVERIFY(ImportTeams(*target, *openFile(withoutTeam), *program, 1, ask).gameTypesAdded);
        target->execute(QStringLiteral("update Teams set TeamNumber = 32766"));
        QCOMPARE(ImportTeams(*target, *openFile(withTeam), *program, 1, ask).teamsImported, 1);
        QCOMPARE(textOf(*target, "select group_concat(TeamNumber || ':' || LongTeamName) from Teams"),
                 QStringLiteral("32766:Last,32767:Pines"));
    }
};

VH_TEST_MAIN(TstTransfer)
#include "tst_transfer.moc"
