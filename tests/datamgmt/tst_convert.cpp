// The older version's record readers and the conversion core, against files
// written byte by byte from the layouts and a database the test builds.

#include "datamgmt/ConvertCore.h"
#include "datamgmt/OldDataFiles.h"
#include "shell/Globals.h"
#include "support/OldDataWriter.h"
#include "support/Seed.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"

#include <algorithm>
#include <array>

using namespace vh;
using namespace vh::test;

namespace {

QString text(const QString& sql, const QVariantList& params = {}) { return Db().scalar(sql, params).toString(); }
int rows(const QString& table, const QString& where = {}, const QVariantList& params = {})
{
    return seed::countRows(Db(), table, where, params);
}

OldTeamInput sampleInput(const QString& name = QStringLiteral("Ice Hawks"))
{
    const OldTeamBytes t = sampleOldTeam();
    OldTeamInput in;
    in.longName = name;
    in.shortName = QStringLiteral("Hawks");
    in.files = {t.names, t.info, t.games, t.stats};
    in.gameTypeMap = {11, 12, 0, 0, 15, 0, 0};
    in.keepPlayerNumbers = true;
    in.teamNumber = 1;
    return in;
}

}  // namespace

class TestConvert : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env_;

private slots:
    void init()
    {
        env_ = TestEnv::withNewDatabase();
        g.MsgStyleWarn = 48;
    }
    void cleanup() { env_.reset(); }

    void recordCountsAndPartialRecords()
    {
        QCOMPARE(OldRecordCount(0, 134), 0);
        QCOMPARE(OldRecordCount(201, 134), 2);  // one and a half
        QCOMPARE(OldRecordCount(335, 134), 2);  // two and a half: to the even count
        QCOMPARE(OldRecordCount(67, 134), 0);
        QCOMPARE(OldRecordCount(68, 134), 1);
        // The part past the end of the file reads as zero bytes, a text as blanks.
        const QByteArray rec = OldRecord(QByteArray("ab"), 4, 1);
        QCOMPARE(rec, QByteArray("ab\0\0", 4));
        QCOMPARE(DecodeOldText(rec), QStringLiteral("ab  "));
        QCOMPARE(OldRecord(QByteArray("ab"), 4, 2), QByteArray(4, '\0'));
        const auto stats = ReadOldStats(oldStat(4, 7, 'P', {{2, 12}}).left(70));
        QCOMPARE(stats.size(), size_t(1));
        QCOMPARE(stats[0].counters[2], int16_t(12));
        QCOMPARE(stats[0].counters[37], int16_t(0));
    }

    void textsAreCp1252()
    {
        QCOMPARE(DecodeOldText("\x80\x92\xe9\x96\x9f\xff"), QString::fromUtf8("€’é–Ÿÿ"));
        // Slot numbers are little-endian and signed.
        QByteArray r = oldName(0, "x");
        putInt(r, 0, -2);
        QCOMPARE(ReadOldPlayerNames(r)->at(0).slot, int16_t(-2));
    }

    void teamListNeedsExactLength()
    {
        const QByteArray blank = oldTeamList({});
        const auto teams = ReadOldTeamList(blank);
        QVERIFY(teams);
        QCOMPARE(teams->size(), size_t(100));
        QVERIFY(std::all_of(teams->begin(), teams->end(), [](const OldTeam& t) { return t.longName.isEmpty(); }));
        const auto named = ReadOldTeamList(oldTeamList({{100, {"  Last Team ", "Last"}}}));
        QCOMPARE(named->at(99).longName, QStringLiteral("Last Team"));
        QCOMPARE(named->at(99).shortName, QStringLiteral("Last"));
        QVERIFY(!ReadOldTeamList(blank + ' '));  // a byte more; the window test tries one less
        QVERIFY(!ReadOldTeamList(QByteArray()));
        // A name file of another length than whole records gives no names.
        QVERIFY(!ReadOldPlayerNames(sampleOldTeam().names.left(202)));
        QVERIFY(ReadOldPlayerNames(QByteArray())->empty());
    }

    void settingsSlotsAndCategories()
    {
        const QByteArray file = oldSettings(sampleOldSettings());
        const auto s = ReadOldSettings(file);
        QVERIFY(s);
        // Names pad to their width; the placeholder names of unused slots read as none.
        QCOMPARE(s->gameTypeNames[0], QStringLiteral("League    "));
        QVERIFY(s->gameTypeNames[2].isEmpty() && s->gameTypeNames[3].isEmpty() && s->gameTypeNames[6].isEmpty());
        QCOMPARE(s->gameTypeNames[4], QStringLiteral("GAMETYPE 5"));
        QCOMPARE(s->playerCategories[2], QStringLiteral("Tk "));
        QCOMPARE(s->goalieCategories[0], QStringLiteral("Scr"));
        // Empty or shorter than half a record: no record 1; a longer file is
        // read with the rest as zero bytes.
        QVERIFY(!ReadOldSettings(QByteArray()));
        QVERIFY(!ReadOldSettings(file.left(533)));
        const auto cut = ReadOldSettings(file.left(578));
        QVERIFY(cut);
        QCOMPARE(cut->playerCategories[0], QStringLiteral("Blk"));
        QCOMPARE(cut->goalieCategories[0], QStringLiteral("S  "));  // cut after the first letter of "Scr"
        QVERIFY(ReadOldSettings(file + QByteArray(5000, 'x')));
    }

    // Two-digit years fall in 1930-2029; day and month in the region's order.
    void gameDatesAndCentury()
    {
        const struct {
            const char* region;
            const char* digits;
            QDate date;
        } cases[] = {{"en_US", "120398", {1998, 12, 3}}, {"en_US", "010529", {2029, 1, 5}},
                     {"en_US", "010530", {1930, 1, 5}},  {"en_GB", "120398", {1998, 3, 12}},
                     {"de_DE", "120398", {1998, 3, 12}}, {"hu_HU", "120398", {1998, 12, 3}},
                     {"fr_FR", "120302", {2002, 3, 12}}, {"C", "120398", {1998, 12, 3}},
                     {"en_US", "130398", {}},            {"en_US", "12AB98", {}},
                     {"en_US", "      ", {}}};
        for (const auto& c : cases) {
            RegionalSettings region(QLatin1String(c.region));
            QCOMPARE(OldGameDate(QLatin1String(c.digits)).value_or(QDate()), c.date);
        }
    }

    void everyRecordKindArrives()
    {
        // A person already stored keeps the fields the old files don't name.
        Db().execute(QStringLiteral("insert into People (PersonNumber, FirstName, LastName, Country, WorkPhone, "
                                    "EmailAddress, notes, BirthDate) values (4, 'Smith', 'Smith', 'CA', '555-9', "
                                    "'s@x.org', 'kept', '1980-02-03')"));
        const OldTeamOutcome out = ConvertOldTeam(Db(), sampleInput());
        QVERIFY(out.added);
        QCOMPARE(out.teamNumber, int16_t(1));
        QCOMPARE(out.skipped, 0);
        QCOMPARE(text(QStringLiteral("select LongTeamName || '|' || ShortTeamName || '|' || ContactPerson || notes "
                                     "from Teams")),
                 QStringLiteral("Ice Hawks|Hawks|"));

        // People: split at the first blank; new ones numbered on from the largest.
        QCOMPARE(rows(QStringLiteral("People")), 4);
        QCOMPARE(out.peopleAdded, 3);
        QCOMPARE(text(QStringLiteral("select FirstName || PersonNumber || '|' || Address1 || '|' || Address2 || '|' || "
                                     "City || '|' || State || '|' || Zip || '|' || HomePhone || '|' || Country || '|' || "
                                     "coalesce(BirthDate, 'null') from People where LastName = 'Ann Smith'")),
                 QStringLiteral("Mary5|1 Main St|Apt 2|Springfield|IL|62701|555-0107||null"));
        QCOMPARE(text(QStringLiteral("select City from People where FirstName = ? and LastName = ?"),
                      {QString::fromUtf8("Seán"), QStringLiteral("O'Brien")}),
                 QString::fromUtf8("Québec"));
        QCOMPARE(rows(QStringLiteral("People"), QStringLiteral("FirstName = ? and LastName = ?"),
                      {QString::fromUtf8("Zoë"), QString::fromUtf8("Ångström")}),
                 1);
        QCOMPARE(text(QStringLiteral("select Country || WorkPhone || EmailAddress || notes || BirthDate from People "
                                     "where PersonNumber = 4")),
                 QStringLiteral("CA555-9s@x.orgkept1980-02-03"));

        // Roster: the slot as uniform number, the note from the information file.
        QCOMPARE(text(QStringLiteral("select group_concat(UniformNumber || ':' || PersonNumber || ':' || notes, ',') from "
                                     "(select * from Roster where PlayerIndicator = -1 order by PersonNumber)")),
                 QString::fromUtf8("9:4:,7:5:Captain,12:6:Left shot – fast,14:7:"));

        // Games keep their numbers, gaps included; the deleted one is left out.
        QCOMPARE(text(QStringLiteral("select group_concat(GameNumber || '/' || GStatNumber, ',') from GameStats")),
                 QStringLiteral("1/1,2/2,5/5"));
        QCOMPARE(text(QStringLiteral("select GameDate || '|' || GameType || '|' || Periods || '|' || Location || '|' || "
                                     "HomeTeam || '|' || Opponent || '|' || OpponentTeamNumber || OpponentGStatNumber || "
                                     "'|' || Goals || '=' || GoalsPeriod1 || GoalsPeriod2 || GoalsPeriod3 || "
                                     "GoalsPeriod4 || GoalsOT || '|' || OppGoals || '=' || OppGoalsPeriod1 || "
                                     "OppGoalsPeriod2 || OppGoalsPeriod3 || OppGoalsPeriod4 || OppGoalsOT || '|' || PP || "
                                     "PPG || SH || Kills || '|' || Overtime from GameStats where GameNumber = 1")),
                 QStringLiteral("1998-12-03|11|3|Home Rink|-1|Rivals|00|3=11100|1=01000|4132|0"));
        // Fourth-period goals make a four-period game; overtime goals count in the score.
        QCOMPARE(text(QStringLiteral("select Periods || '|' || HomeTeam || '|' || Overtime || '|' || GameType || '|' || "
                                     "Goals || '-' || OppGoals || '|' || GoalsOT || '-' || OppGoalsOT from GameStats "
                                     "where GameNumber = 2")),
                 QStringLiteral("4|0|-1|12|5-3|3-2"));
        QCOMPARE(text(QStringLiteral("select coalesce(GameDate, 'null') || '|' || GameType || '|' || notes from "
                                     "GameStats where GameNumber = 5")),
                 QStringLiteral("null|15|Snow day"));

        // Statistics: counter 2 is shots for a player, seconds for a goalie;
        // the type from the row's own digit, home or away from its game.
        QCOMPARE(rows(QStringLiteral("PlayerStats")), 5);
        QCOMPARE(rows(QStringLiteral("GoalieStats")), 2);
        QCOMPARE(text(QStringLiteral("select EventNumber || GameType || HomeTeam || Position || '|' || Per || Min || "
                                     "Sec || '|' || SOG || G || Ast || PIM || Plus || Minus || '|' || U1 || U5 || U6 || "
                                     "GT || Unused1 || notes from PlayerStats where GameNumber = 1 and PlayerNumber = 5")),
                 QStringLiteral("111-10|3450|1221421|59000"));
        QCOMPARE(text(QStringLiteral("select Sec || '|' || W || L || T || '|' || GA1 || Sv1 || GA2 || Sv2 || GA3 || "
                                     "Sv3 || GAO || SvO || '|' || G || Ast || GA4 || Sv4 || EN from GoalieStats where "
                                     "GameNumber = 1")),
                 QStringLiteral("12|100|110080712|00000"));
        QCOMPARE(text(QStringLiteral("select (select GameType || HomeTeam from PlayerStats where GameNumber = 1 and "
                                     "PlayerNumber = 6) || ',' || (select GameType || HomeTeam from GoalieStats where "
                                     "GameNumber = 2)")),
                 QStringLiteral("12-1,120"));
        // The old season's totals come through: goals of slot 7 in games 1, 2, 5.
        QCOMPARE(text(QStringLiteral("select (select sum(G) from PlayerStats where PlayerNumber = 5) || ',' || "
                                     "(select sum(Goals) || '-' || sum(OppGoals) from GameStats)")),
                 QStringLiteral("6,12-7"));
    }

    void keepPlayerNumbersAndFilledAddresses()
    {
        // Unticked, uniform numbers stay empty.
        OldTeamInput in = sampleInput();
        in.keepPlayerNumbers = false;
        // A stored person's empty address fields are filled, the others kept.
        Db().execute(QStringLiteral("insert into People (PersonNumber, FirstName, LastName, Address1, City, HomePhone) "
                                    "values (1, 'MARY', 'ann smith', 'Elm Rd 4', '', NULL)"));
        ConvertOldTeam(Db(), in);
        QCOMPARE(rows(QStringLiteral("Roster"), QStringLiteral("UniformNumber <> ''")), 0);
        QCOMPARE(rows(QStringLiteral("People"), QStringLiteral("FirstName = 'Mary'")), 1);
        QCOMPARE(text(QStringLiteral("select Address1 || '|' || Address2 || '|' || City || '|' || HomePhone || '|' || "
                                     "FirstName from People where PersonNumber = 1")),
                 QStringLiteral("Elm Rd 4|Apt 2|Springfield|555-0107|MARY"));
        // An old slot whose information is blank changes nothing stored.
        QCOMPARE(rows(QStringLiteral("Roster"), QStringLiteral("PersonNumber = 1")), 1);
    }

    void convertingTwice()
    {
        const std::array<QString, 7> names = {QStringLiteral("League    "), QStringLiteral("playoff"), QString(),
                                              QString(), QStringLiteral("GAMETYPE 5"), QString(), QString()};
        // "Playoff" is known already under another case.
        const std::vector<GameTypeEntry> known = {{3, QStringLiteral("PLAYOFF")}};
        Db().execute(QStringLiteral("insert into GameTypes values (3, 'PLAYOFF')"));
        const OldGameTypesOutcome first = AddOldGameTypes(Db(), names, known);
        QCOMPARE(first.map, (OldGameTypeMap{4, 3, 0, 0, 5, 0, 0}));
        QCOMPARE(first.added.size(), size_t(2));
        QCOMPARE(first.added[0].description, QStringLiteral("League"));
        std::vector<GameTypeEntry> after = known;
        after.insert(after.end(), first.added.begin(), first.added.end());
        const OldGameTypesOutcome second = AddOldGameTypes(Db(), names, after);
        QCOMPARE(second.map, first.map);
        QVERIFY(second.added.empty());
        QCOMPARE(rows(QStringLiteral("GameTypes")), 3);

        // The same team again is refused by its exact name and nothing is added;
        // another case of the name is another team.
        QVERIFY(ConvertOldTeam(Db(), sampleInput()).added);
        const OldTeamOutcome again = ConvertOldTeam(Db(), sampleInput());
        QVERIFY(!again.added);
        QCOMPARE(again.storedName, QStringLiteral("Ice Hawks"));
        QCOMPARE(rows(QStringLiteral("Teams")), 1);
        QCOMPARE(rows(QStringLiteral("GameStats")), 3);
        const OldTeamOutcome upper = ConvertOldTeam(Db(), sampleInput(QStringLiteral("ICE HAWKS")));
        QVERIFY(upper.added);
        QCOMPARE(upper.teamNumber, int16_t(2));  // number 1 is taken
        // The people are found by name, not added twice.
        QCOMPARE(rows(QStringLiteral("People")), 4);
        QCOMPARE(rows(QStringLiteral("Roster")), 8);
    }

    void namesWithApostrophesAndCategories()
    {
        Db().execute(QStringLiteral("insert into NameYourOwnCats values ('H', 1, 'H1'), ('G', 5, 'G5'), ('H', 6, 'H6'), "
                                    "('h', 2, 'x')"));
        NameOldCategories(Db(), {QStringLiteral("Blk"), QStringLiteral("Hit"), QStringLiteral("Tk "),
                                 QStringLiteral("H4 "), QStringLiteral("H5 ")},
                          {QStringLiteral("Scr"), QString(), QString(), QString(), QStringLiteral("S'v")});
        QCOMPARE(text(QStringLiteral("select group_concat(CategoryType || CategoryNumber || '=' || CategoryDescription, ',') "
                                     "from NameYourOwnCats")),
                 QStringLiteral("H1=Blk,G5=S'v,H6=H6,h2=x"));

        OldTeamInput in = sampleInput(QStringLiteral("O'Neill's Stars"));
        in.files.names = oldName(1, "D'Arcy O'Neill") + oldName(2, "D'Arcy O'Neill");
        Db().execute(QStringLiteral("insert into People (PersonNumber, FirstName, LastName) values (3, ?, ?)"),
                     {QStringLiteral("D'Arcy"), QStringLiteral("O'Neill")});
        const OldTeamOutcome out = ConvertOldTeam(Db(), in);
        QVERIFY(out.added);
        QCOMPARE(out.peopleAdded, 0);
        // Two slots that find one person: one roster row.
        QCOMPARE(out.rosterRows, 1);
        QCOMPARE(text(QStringLiteral("select LongTeamName from Teams")), QStringLiteral("O'Neill's Stars"));
        QCOMPARE(ConvertOldTeam(Db(), in).storedName, QStringLiteral("O'Neill's Stars"));
    }

    void badRecordsSkippedAndCounted()
    {
        OldTeamInput in = sampleInput();
        OldGameSpec badType;
        badType.number = 8;
        badType.gameType = '9';
        OldGameSpec twice;  // game 1 again
        OldGameSpec zero;
        zero.number = 0;
        OldGameSpec overflow;
        overflow.number = 9;
        overflow.goals[0] = 32767;
        in.files.games += oldGame(badType) + oldGame(twice) + oldGame(zero) + oldGame(overflow);
        in.files.names += oldName(0, "Zero Slot") + oldName(100, "Too High") + oldName(7, "Second Seven") +
                          oldName(20, "   ");
        in.files.info += oldInfo({-1, "x", "", "", "", "", "", ""}) + oldInfo({100, "x", "", "", "", "", "", ""});
        in.files.stats += oldStat(1, 0, 'P', {{3, 1}}) + oldStat(1, 100, 'G', {}) + oldStat(1, 7, 'P', {}, '0') +
                          oldStat(4, 7, 'P', {{3, 1}}) + oldStat(8, 7, 'P', {}) +
                          // not marked for conversion, or of no known kind: left out, not counted
                          oldStat(1, 7, 'X', {}) + oldStat(1, 7, 'P', {}, '1', ' ');
        const OldTeamOutcome out = ConvertOldTeam(Db(), in);
        QVERIFY(out.added);
        QCOMPARE(out.skipped, 4 + 4 + 2 + 5);
        QCOMPARE(out.games, 3);
        QCOMPARE(out.playerRows, 5);
        QCOMPARE(rows(QStringLiteral("People"), QStringLiteral("FirstName = 'Second'")), 0);
        QCOMPARE(ConvertCompleteText(2, 15), QStringLiteral("2 Teams Added\r\r15 damaged records were skipped."));

        // A name file of the wrong length: no people, its records counted, and
        // the statistics rows kept without a person.
        OldTeamInput cut = sampleInput(QStringLiteral("Cut Names"));
        cut.files.names.chop(1);
        const OldTeamOutcome cutOut = ConvertOldTeam(Db(), cut);
        QCOMPARE(cutOut.skipped, 4);
        QCOMPARE(cutOut.rosterRows, 0);
        QCOMPARE(rows(QStringLiteral("PlayerStats"), QStringLiteral("TeamNumber = ? and PlayerNumber = 0"),
                      {int(cutOut.teamNumber)}),
                 5);
    }

    // A game's goals are the sum of its five periods, kept in a 16-bit
    // field: a sum at either end of its range comes through, one past it is
    // skipped as damaged, for the team's goals and the opponent's alike.
    void goalSumsAtTheEndsOfTheirField()
    {
        OldTeamInput in = sampleInput();
        in.files.games.clear();
        in.files.stats.clear();
        const auto game = [&in](int16_t number, std::array<int16_t, 2> goals, std::array<int16_t, 2> oppGoals) {
            OldGameSpec spec;
            spec.number = number;
            std::copy(goals.begin(), goals.end(), spec.goals);
            std::fill(spec.goals + 2, spec.goals + 5, int16_t(0));
            std::copy(oppGoals.begin(), oppGoals.end(), spec.oppGoals);
            std::fill(spec.oppGoals + 2, spec.oppGoals + 5, int16_t(0));
            in.files.games += oldGame(spec);
        };
        game(1, {32767, 0}, {-32768, 0});
        game(2, {-32768, 0}, {32766, 1});
        game(3, {32767, 1}, {0, 0});
        game(4, {-32768, -1}, {0, 0});
        game(5, {0, 0}, {32767, 1});
        game(6, {0, 0}, {-32768, -1});
        const OldTeamOutcome out = ConvertOldTeam(Db(), in);
        QCOMPARE(out.games, 2);
        QCOMPARE(out.skipped, 4);
        QCOMPARE(text(QStringLiteral("select group_concat(GameNumber || ':' || Goals || ':' || OppGoals, ' ') from "
                                     "(select * from GameStats order by GameNumber)")),
                 QStringLiteral("1:32767:-32768 2:-32768:32767"));
    }

    // A goal in the fourth period by either side makes a four-period game
    // (Game Scores shows only the periods a game has, while its total counts
    // them all); goals in overtime alone do not.
    void fourthPeriodGoalsOfEitherSide()
    {
        OldTeamInput in = sampleInput();
        in.files.games.clear();
        in.files.stats.clear();
        const int16_t fourth[][2] = {{0, 2}, {3, 0}, {0, 0}};  // own, opponent's
        for (int16_t k = 0; k < 3; ++k) {
            OldGameSpec spec;
            spec.number = int16_t(k + 1);
            spec.goals[3] = fourth[k][0];
            spec.oppGoals[3] = fourth[k][1];
            spec.goals[4] = spec.oppGoals[4] = int16_t(k + 1);
            in.files.games += oldGame(spec);
        }
        QCOMPARE(ConvertOldTeam(Db(), in).games, 3);
        QCOMPARE(text(QStringLiteral("select group_concat(GameNumber || ':' || Periods || ':' || OppGoalsPeriod4 || ':' "
                                     "|| OppGoals, ' ') from (select * from GameStats order by GameNumber)")),
                 QStringLiteral("1:4:2:4 2:4:0:3 3:3:0:4"));
    }

    void missingAndEmptyFiles()
    {
        OldTeamInput in = sampleInput();
        in.files = {};
        const OldTeamOutcome out = ConvertOldTeam(Db(), in);
        QVERIFY(out.added);
        for (const char* table : {"Roster", "GameStats", "PlayerStats"})
            QCOMPARE(rows(QLatin1String(table)), 0);
        // Without names the information file is not read at all.
        in = sampleInput(QStringLiteral("No Names"));
        in.files.names.clear();
        in.files.info += oldInfo({0, "x", "", "", "", "", "", ""});
        const OldTeamOutcome noNames = ConvertOldTeam(Db(), in);
        QCOMPARE(noNames.skipped, 0);
        QCOMPARE(noNames.games, 3);
    }

    // Team or person numbers used up: the team is refused whole, saying which.
    void failureLeavesNoHalfTeam_data()
    {
        QTest::addColumn<QString>("taken");
        QTest::addColumn<QString>("said");
        QTest::newRow("person") << "insert into People (PersonNumber, FirstName, LastName) values (32767, 'Last', 'One')"
                                << "No more players can be added";
        QTest::newRow("team") << "insert into Teams (TeamNumber, LongTeamName) values (32767, 'Last Team')"
                              << "No more teams can be added";
    }
    void failureLeavesNoHalfTeam()
    {
        QFETCH(QString, taken);
        QFETCH(QString, said);
        Db().execute(taken);
        QString refusal;
        try {
            ConvertOldTeam(Db(), sampleInput());
        } catch (const RuntimeError& e) {
            refusal = e.description();
        }
        QVERIFY2(refusal.startsWith(said), qPrintable(refusal));
        QCOMPARE(rows(QStringLiteral("Teams")) + rows(QStringLiteral("People")), 1);
        for (const char* table : {"Roster", "GameStats", "PlayerStats", "GoalieStats"})
            QCOMPARE(rows(QLatin1String(table)), 0);
    }

    // The window test converts a sample written in mixed case; here, the
    // settings file is looked for drive by drive, past one that can't be read.
    void filesFoundWithoutRegardToCase()
    {
        const QString folder = env_->root() + QStringLiteral("/old");
        const QString driveC = env_->root() + QStringLiteral("/c");
        const QString driveD = env_->root() + QStringLiteral("/d");
        writeSampleOldData(folder, driveD);
        QDir().mkpath(driveC + QStringLiteral("/WINDOWS"));
        writeBytes(driveC + QStringLiteral("/WINDOWS/MUQN.INI"), QByteArray());  // can't be read: empty
        QCOMPARE(FindFileNoCase(folder, QStringLiteral("QNTEAMS.DAT")), folder + QStringLiteral("/qnteams.dat"));
        QVERIFY(FindFileNoCase(folder, QStringLiteral("QNGS2.DAT")).isEmpty());
        QCOMPARE(FindOldSettingsFile({driveC, driveD}), driveD + QStringLiteral("/Windows/muqn.ini"));
        QVERIFY(FindOldSettingsFile({driveC}).isEmpty());
    }
};

VH_TEST_MAIN(TestConvert)
#include "tst_convert.moc"
