#include "shell/Globals.h"
#include "stats/StatsReport.h"
#include "support/StatsTestData.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"

Q_DECLARE_METATYPE(vh::ReportCriteria)

using namespace vh;
using namespace vh::test;

namespace {

// A small season of two teams, Hawks (1) and Owls (2). Bob plays for both.
void seedSmallSeason(Database& db)
{
    seed::addPerson(1, QStringLiteral("Ann"), QStringLiteral("Lee"));
    seed::addPerson(2, QStringLiteral("Bob"), QStringLiteral("Smith-Jones"));
    seed::addPerson(3, QStringLiteral("Cal"), QStringLiteral("Young"));
    seed::addPerson(9, QStringLiteral("Gus"), QStringLiteral("Stone"));
    seed::addRoster(1, 1, -1, QStringLiteral("12"));
    seed::addRoster(1, 2, -1, QStringLiteral("7"));
    seed::addRoster(1, 9, -1, QStringLiteral("30"));
    seed::addRoster(2, 2, -1, QStringLiteral("9"));
    seed::addRoster(2, 3, -1, QStringLiteral("4"));
    addGame(db, 1, 1, QStringLiteral("Owls"), true, 0);
    addGame(db, 1, 2, QStringLiteral("Bears"), false, 5);
    addGame(db, 2, 1, QStringLiteral("Hawks"), true, 0);
    addPlayerRow(db, 1, 1, 1, {{"HomeTeam", -1}, {"Min", 10}, {"Sec", 40}, {"G", 3}, {"Ast", 1}, {"SOG", 5},
                               {"Plus", 2}, {"FOW", 3}, {"FOL", 1}, {"Pen", 1}, {"PIM", 2}});
    addPlayerRow(db, 1, 1, 2, {{"HomeTeam", -1}, {"Min", 12}, {"Sec", 30}, {"Ast", 2}, {"Minus", 1}});
    addPlayerRow(db, 1, 2, 1, {{"HomeTeam", 0}, {"GameType", 5}, {"Min", 11}, {"G", 1}, {"SOG", 2}, {"Minus", 1}});
    addPlayerRow(db, 2, 1, 2, {{"HomeTeam", -1}, {"Min", 9}, {"Sec", 50}, {"G", 2}, {"SOG", 4}, {"Plus", 1}});
    addPlayerRow(db, 2, 1, 3, {{"HomeTeam", -1}, {"Min", 8}, {"Sec", 15}, {"Ast", 1}, {"SOG", 1}});
    addGoalieRow(db, 1, 1, 9, {{"HomeTeam", -1}, {"Min", 60}, {"W", 1}, {"GA1", 1}, {"GA3", 1}, {"Sv1", 10},
                               {"Sv2", 8}, {"Sv3", 7}, {"EN", 1}});
    addGoalieRow(db, 1, 2, 9, {{"HomeTeam", 0}, {"GameType", 5}, {"Min", 58}, {"Sec", 30}, {"L", 1}, {"GA1", 2},
                               {"GA2", 1}, {"Sv1", 5}, {"Sv2", 5}, {"Sv3", 5}, {"EN", 1}});
}

StatsInput makeInput(char kind, std::vector<int16_t> teams, const char* scope = "N", ReportCriteria criteria = {})
{
    StatsInput in;
    in.kind = kind;
    for (int16_t t : teams)
        in.teams.push_back({t, t == 1 ? QStringLiteral("Hawks") : QStringLiteral("Owls")});
    in.criteria = criteria;
    in.criteria.playerScope = QString::fromLatin1(scope);
    in.options.showPlayerNumber = true;
    in.options.showNA = true;
    in.options.showPlayerSeconds = true;
    in.options.showGoalieSeconds = true;
    in.format.line = {1, 3, 5, 15, 16};
    in.format.sortCategory = 16;
    in.format.sortDirection = QStringLiteral("D");
    return in;
}

// The report's rows, each as the chosen fields joined by "|".
QStringList rowsOf(const StatsReport& r, const QString& fieldList)
{
    const QStringList all = statsReportFields(r.input.kind);
    QStringList out;
    for (const QVariantList& row : statsReportRows(r)) {
        QStringList parts;
        for (const QString& f : fieldList.split(QLatin1Char('|')))
            parts << row[all.indexOf(f)].toString();
        out << parts.join(QLatin1Char('|'));
    }
    return out;
}

StatsReport collectSorted(const StatsInput& in)
{
    StatsReport r = collectStats(Db(), in);
    if (!r.gameLog())
        sortStats(r, in.format.sortCategory, in.format.sortDirection);
    return r;
}

// A report built by hand: persons with the given values, in slots 1.. .
StatsReport handReport(char kind, std::vector<StatsSlot> persons)
{
    StatsReport r;
    r.input.kind = kind;
    r.slotList.push_back(StatsSlot{});
    r.slotList[0].name = QStringLiteral("TOTALS");
    for (StatsSlot& s : persons)
        r.slotList.push_back(s);
    for (size_t i = 0; i < r.slotList.size(); ++i)
        r.sortOrder.push_back(int(i));
    return r;
}

StatsSlot person(const char* name, int32_t minutes = 0)
{
    StatsSlot s;
    s.name = QString::fromLatin1(name).leftJustified(25);
    s.minutesPlayed = minutes;
    return s;
}

// The persons' order once `r` is sorted by the category in the direction.
QStringList sortedOrder(StatsReport& r, int16_t category, const char* direction)
{
    sortStats(r, category, QString::fromLatin1(direction));
    QStringList out;
    for (size_t p = 1; p < r.sortOrder.size(); ++p)
        out << r.slotList[size_t(r.sortOrder[p])].name.trimmed();
    return out;
}

}  // namespace

class TstStatsReport : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
    void init()
    {
        env = TestEnv::withNewDatabase();
        seedSmallSeason(Db());
    }
    void cleanup() { env.reset(); }

    // Hand-computed rows of the small season: `player` is the person of a
    // game log, `sort` the category sorted by, most first.
    void reportsOfTheSmallSeason_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QList<int>>("teams");
        QTest::addColumn<QString>("scope");
        QTest::addColumn<int>("player");
        QTest::addColumn<int>("sort");
        QTest::addColumn<ReportCriteria>("criteria");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QStringList>("rows");
        const ReportCriteria all;
        QTest::newRow("one line per person and team")
            << "P" << QList<int>{1, 2} << "N" << 0 << 16 << all
            << "SortKey|TeamNumber|PlayerName|TeamName|GP|Min|G|Ast|Pts|ShPct|PPG|Hat|FOPct|PlusMinus|PIM"
            << QStringList{"1|1|Ann Lee-12|Hawks|2|21:40|4|1|5|.571|2.5|1|.750|+1|2",
                           "2|1|Bob Smith-Jones-7|Hawks|1|12:30|0|2|2|na|2.0|0|na|-1|0",
                           "3|2|Bob Smith-Jones-9|Owls|1|9:50|2|0|2|.500|2.0|0|na|+1|0",
                           "4|2|Cal Young-4|Owls|1|8:15|0|1|1|.000|1.0|0|na|0|0",
                           "5|99999|TOTALS||3|52:15|6|4|10|.500|3.3|1|.750|+1|2"};
        // The name loses only the uniform number, never a hyphen of its own.
        QTest::newRow("career") << "P" << QList<int>{1, 2} << "A" << 0 << 16 << all
                                << "TeamNumber|PlayerName|GP|Min|G|Ast|Pts|PlusMinus"
                                << QStringList{"1|Ann Lee|2|21:40|4|1|5|+1", "2|Bob Smith-Jones|2|22:20|2|2|4|0",
                                               "2|Cal Young|1|8:15|0|1|1|0", "99999|TOTALS|3|52:15|6|4|10|+1"};
        // Own GA leaves empty-net goals out; the team's counts them, and its rates use them.
        QTest::newRow("goalies") << "G" << QList<int>{1} << "N" << 0 << 25 << all
                                 << "PlayerName|TeamName|GP|Min|W|L|GA1|GA|Sv|EN|SvPct|GAA"
                                 << QStringList{"Gus Stone-30||2|118:30|1|1|3|5|40|2|.889|2.53",
                                                "TOTALS||2|118:30|1|1|3|7|40|2|.851|3.54"};
        QTest::newRow("game log") << "P" << QList<int>{1} << "Y" << 1 << 16 << all
                                  << "PlayerName|Opponent|GP|Per|Min|G|PlusMinus"
                                  << QStringList{"Game 1|Owls|1|0|10:40|3|+2", "Game 2|Bears|1|0|11:00|1|-1",
                                                 "TOTALS||2|na|na|4|na"};
        QTest::newRow("game log of nobody") << "P" << QList<int>{1} << "Y" << 55 << 16 << all << "PlayerName|GP|G"
                                            << QStringList{"TOTALS|0|0"};
        QTest::newRow("one person over two teams")
            << "P" << QList<int>{1, 2} << "Y" << 2 << 16 << all << "PlayerName|TeamName|GP|Min|PlusMinus"
            << QStringList{"Bob Smith-Jones-7|Hawks|1|12:30|-1", "Bob Smith-Jones-9|Owls|1|9:50|+1", "TOTALS||2|na|na"};
        ReportCriteria leftOut;
        leftOut.excludedGames = {1};
        QTest::newRow("game 1 of each team left out") << "P" << QList<int>{1, 2} << "N" << 0 << 16 << leftOut
                                                      << "PlayerName|TeamName|GP"
                                                      << QStringList{"Ann Lee-12|Hawks|1", "TOTALS||1"};
    }
    void reportsOfTheSmallSeason()
    {
        QFETCH(QString, kind);
        QFETCH(QList<int>, teams);
        QFETCH(QString, scope);
        QFETCH(int, player);
        QFETCH(int, sort);
        QFETCH(ReportCriteria, criteria);
        QFETCH(QString, fields);
        QFETCH(QStringList, rows);
        StatsInput in = makeInput(kind.at(0).toLatin1(), std::vector<int16_t>(teams.begin(), teams.end()),
                                  qPrintable(scope), criteria);
        in.selectedPlayer = int16_t(player);
        in.format.sortCategory = int16_t(sort);
        QCOMPARE(rowsOf(collectSorted(in), fields), rows);
    }

    // The person list: the all-player entries, then persons from the last slot down, once each.
    void personListOfTwoTeams()
    {
        QStringList list;
        for (const PlayerListEntry& e : collectSorted(makeInput('P', {1, 2})).playerList)
            list << e.text + QLatin1Char('=') + QString::number(e.itemData);
        QCOMPARE(list, QStringList({"All Players (NON-CAREER)=-1", "All Players (CAREER)=0", "Cal Young=3",
                                    "Bob Smith-Jones=2", "Ann Lee=1"}));
    }

    // Rows a person has no name for, seconds of a minute or more, hat tricks.
    void sumsOfStoredRows()
    {
        addPlayerRow(Db(), 1, 3, 77, {{"Min", 1}, {"Sec", 125}, {"G", 2}});
        addPlayerRow(Db(), 1, 3, 1, {{"Min", 0}, {"Sec", 40}, {"G", 4}});
        StatsInput in = makeInput('P', {1});
        in.format.sortCategory = 5;
        const StatsReport r = collectSorted(in);
        QCOMPARE(rowsOf(r, "PlayerName|PlayerNumber|GP|Min|G|Hat"),
                 QStringList({"Ann Lee-12|1|3|22:20|8|2", "Unknown|77|1|3:05|2|0", "Bob Smith-Jones-7|2|1|12:30|0|0",
                              "TOTALS|0|3|37:55|10|2"}));
        for (const PlayerListEntry& e : r.playerList)
            QVERIFY(e.itemData != 77);  // nobody to list under that number

        in.options.showPlayerSeconds = false;  // 30 seconds and more make a further minute
        QCOMPARE(rowsOf(collectSorted(in), "Min"), QStringList({"22", "3", "13", "38"}));
    }

    // Seconds summed over a person's games carry at 60, not before; hidden,
    // 30 and more round up. Each game has 12 minutes; the TOTALS row agrees.
    void secondsCarryAtTheMinute_data()
    {
        QTest::addColumn<QList<int>>("seconds");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("min");
        QTest::newRow("59 stays") << QList<int>{25, 34} << true << "24:59";
        QTest::newRow("60 carries") << QList<int>{25, 35} << true << "25:00";
        QTest::newRow("60 in one row") << QList<int>{60} << true << "13:00";
        QTest::newRow("29 hidden, dropped") << QList<int>{14, 15} << false << "24";
        QTest::newRow("30 hidden, a minute") << QList<int>{15, 15} << false << "25";
    }
    void secondsCarryAtTheMinute()
    {
        QFETCH(QList<int>, seconds);
        QFETCH(bool, shown);
        QFETCH(QString, min);
        for (int game = 0; game < seconds.size(); ++game)
            addPlayerRow(Db(), 3, game + 1, 1, {{"Min", 12}, {"Sec", seconds[game]}});
        StatsInput in = makeInput('P', {3});
        in.options.showPlayerSeconds = shown;
        QCOMPARE(rowsOf(collectSorted(in), "Min"), QStringList({min, min}));
    }

    void topX()
    {
        for (int p = 1; p <= 10; ++p) {
            seed::addPerson(100 + p, QStringLiteral("P%1").arg(p), QStringLiteral("Ten"));
            addPlayerRow(Db(), 2, 1 + p % 2, 100 + p, {{"G", p}});
        }
        StatsInput in = makeInput('P', {2});
        in.options.showPlayerNumber = false;
        in.format.sortCategory = 5;
        in.criteria.topX = 3;
        const StatsReport r = collectSorted(in);
        QCOMPARE(rowsOf(r, "PlayerName|G|GP"),
                 QStringList({"P10 Ten|10|1", "P9 Ten|9|1", "P8 Ten|8|1", "TOTALS|27|2"}));
        QCOMPARE(int(r.playerList.size()), 1 + 12);  // the list keeps everybody the first pass met

        // Several teams, one line per person and team: the top places are pairs.
        in = makeInput('P', {1, 2});
        in.format.sortCategory = 5;
        in.criteria.topX = 2;
        QCOMPARE(rowsOf(collectSorted(in), "PlayerName|TeamName|G"),
                 QStringList({"P10 Ten|Owls|10", "P9 Ten|Owls|9", "TOTALS||19"}));
        in.criteria.topX = 0;
        QCOMPARE(collectSorted(in).personCount(), 0);
    }

    void minimumDivision()
    {
        const int games[] = {7, 3, 5, 2};
        StatsReport r = handReport('P', {});
        for (int i = 0; i < 4; ++i) {
            StatsSlot s = person(QByteArray::number(games[i]).constData());
            s.gamesPlayed = games[i];
            s.minutesPlayed = 10 * i;
            r.slotList.push_back(s);
            r.sortOrder.push_back(i + 1);
        }
        applyMinimum(r, QStringLiteral("G"), 5);
        QCOMPARE(rowsOf(r, "SortKey|PlayerName|GP|Min"),
                 QStringList({"1|7|7|0", "2|5|5|20", "3|* Min  5 Games *|-----|-----", "4|3|3|10", "5|2|2|30",
                              "6|TOTALS|0|0"}));
        applyMinimum(r, QStringLiteral("O"), 100);  // nobody: the separator comes first
        QCOMPARE(rowsOf(r, "PlayerName").first(), QStringLiteral("* Min  100 Minutes *"));
        applyMinimum(r, QStringLiteral("G"), 0);  // everybody: no separator
        QCOMPARE(rowsOf(r, "PlayerName").size(), 5);
        applyMinimum(r, QStringLiteral("G"), 5);
        clearMinimum(r);
        QCOMPARE(rowsOf(r, "PlayerName").size(), 5);

        StatsReport empty = handReport('P', {});
        applyMinimum(empty, QStringLiteral("G"), 5);
        QCOMPARE(rowsOf(empty, "PlayerName"), QStringList({"TOTALS"}));
    }

    // Derived categories that cannot be taken and stored values that would divide by zero.
    void derivedLimits()
    {
        seed::addPerson(20, QStringLiteral("Ned"), QStringLiteral("Odd"));
        addGoalieRow(Db(), 2, 1, 20, {{"Min", 1}, {"GA1", 2}});
        addGoalieRow(Db(), 2, 2, 21, {{"Sv1", 3}, {"GA1", -3}});
        StatsInput in = makeInput('G', {2});
        in.options.showNA = false;
        in.options.showPlayerNumber = false;
        in.format.sortCategory = -1;
        in.format.sortDirection = QStringLiteral("A");
        QCOMPARE(rowsOf(collectSorted(in), "PlayerName|GA|Sv|SvPct|GAA"),
                 QStringList({"Ned Odd|2|0|.000|99.99", "Unknown|-3|3|.000|0.00", "TOTALS|0|3|1.500|-60.00"}));

        addPlayerRow(Db(), 2, 1, 20, {{"FOW", 2}, {"FOL", -2}, {"G", 25}, {"SOG", 2}});
        in = makeInput('P', {2});
        in.options.showNA = false;
        QCOMPARE(rowsOf(collectSorted(in), "PlayerName|ShPct|FOPct").first(), QStringLiteral("Ned Odd|9.999|.000"));
    }

    void textOfFigures()
    {
        StatsSlot a = person("A");
        a.shootingPct = 12.5f;
        a.pointsPerGame = 100.0f;
        a.faceOffPct = -1.0f;
        a.minutesPlayed = 12;
        a.secondsPlayed = 30;
        a.plusMinusSum = -1;
        StatsSlot b = person("B");
        b.shootingPct = -1.0f;
        b.pointsPerGame = -1.0f;
        b.faceOffPct = 0.5f;
        b.minutesPlayed = 1250;
        b.secondsPlayed = 7;
        b.plusMinusSum = 1234;
        StatsReport r = handReport('P', {a, b});
        r.slotList[0].minutesPlayed = 12;
        r.slotList[0].secondsPlayed = 29;
        r.slotList[0].plusMinusSum = 7;
        const QString fields = QStringLiteral("ShPct|PPG|FOPct|Min|PlusMinus");
        QCOMPARE(rowsOf(r, fields),
                 QStringList({"9.999|99.9|.000|13|-1", ".000|0.0|.500|1250|+1234", ".000|0.0|.000|12|+7"}));
        r.input.options.showNA = true;
        r.input.options.showCommas = true;
        r.input.options.showPlayerSeconds = true;
        QCOMPARE(rowsOf(r, fields),
                 QStringList({"9.999|99.9|na|12:30|-1", "na|na|.500|1,250:07|+1,234", ".000|0.0|.000|12:29|+7"}));
        {
            // Separators follow the user's locale.
            RegionalSettings german(QStringLiteral("de_DE"));
            QCOMPARE(rowsOf(r, fields)[1], QStringLiteral("na|na|,500|1.250:07|+1.234"));
            QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
            QCOMPARE(rowsOf(r, "PPG")[2], QStringLiteral("0,0"));
        }

        StatsSlot keeper = person("K");
        keeper.goalsAgainstAvg = 150.0f;
        keeper.savePct = -1.0f;
        StatsSlot exact = person("E");
        exact.goalsAgainstAvg = 99.99f;
        exact.savePct = 0.9f;
        StatsReport g = handReport('G', {keeper, exact});
        QCOMPARE(rowsOf(g, "GAA|SvPct"), QStringList({"99.99|.000", "99.99|.900", "0.00|.000"}));
    }

    // The order the sort gives, equal persons included.
    void sortOrders()
    {
        const std::pair<const char*, int> people[] = {{"A", 1}, {"B", 1}, {"C", 2}, {"D", 1}};
        auto report = [&](std::vector<int32_t> minutes) {
            std::vector<StatsSlot> persons;
            for (size_t i = 0; i < 4; ++i) {
                StatsSlot s = person(people[i].first, minutes[i]);
                s.goalsScored = people[i].second;
                persons.push_back(s);
            }
            return handReport('P', persons);
        };
        StatsReport r = report({0, 0, 0, 0});
        QCOMPARE(sortedOrder(r, 5, "D"), QStringList({"C", "B", "A", "D"}));
        QCOMPARE(r.sortOrder[0], 0);
        r = report({0, 0, 0, 0});
        QCOMPARE(sortedOrder(r, 5, "A"), QStringList({"A", "B", "D", "C"}));
        r = report({5, 7, 0, 9});
        QCOMPARE(sortedOrder(r, 5, "A"), QStringList({"D", "B", "A", "C"}));
        QCOMPARE(sortedOrder(r, 5, "A"), QStringList({"D", "B", "A", "C"}));  // sorted already: nothing moves

        r = report({5, 7, 0, 9});  // no key for the category: most minutes first, whatever the direction
        QCOMPARE(sortedOrder(r, 24, "A"), QStringList({"D", "B", "A", "C"}));
        QCOMPARE(sortedOrder(r, 0, "D"), QStringList({"D", "B", "A", "C"}));

        StatsSlot x = person("X", 10), y = person("Y", 10);  // minutes tie: the seconds decide, most first
        x.secondsPlayed = 15;
        y.secondsPlayed = 30;
        r = handReport('P', {x, y});
        QCOMPARE(sortedOrder(r, 3, "A"), QStringList({"Y", "X"}));

        StatsSlot na = person("N"), rate = person("R");  // not applicable counts as -1
        na.shootingPct = -1.0f;
        rate.shootingPct = 0.25f;
        r = handReport('P', {rate, na});
        QCOMPARE(sortedOrder(r, 14, "A"), QStringList({"N", "R"}));
        QCOMPARE(sortedOrder(r, 14, "D"), QStringList({"R", "N"}));

        // By name: letter case does not count, the blanks after a short name sort first.
        r = handReport('P', {person("Smith-12"), person("smithson"), person("SMITH", 3), person("Smith", 8)});
        QCOMPARE(sortedOrder(r, -1, "A"), QStringList({"Smith", "SMITH", "Smith-12", "smithson"}));
        QCOMPARE(sortedOrder(r, -1, "D"), QStringList({"smithson", "Smith-12", "Smith", "SMITH"}));
        QCOMPARE(r.currentSortCategory, int16_t(-1));
    }
};

VH_TEST_MAIN(TstStatsReport)
#include "tst_statsreport.moc"
