// The record and standings computations against a database the test fills.
#include "TeamReportTestData.h"
#include "reports/RecordReport.h"
#include "reports/StandingsReport.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"

using namespace vh;
using namespace vh::test;

namespace {

// Distinct points for every result, so that a wrong option shows.
const PointsOptions kPoints{2, 0, 1, 5, 1, 3};

RecordInput recordFor(int16_t team)
{
    RecordInput in;
    in.team = team;
    in.points = kPoints;
    in.gameTypes = {{2, QStringLiteral("League")}, {5, QStringLiteral("Playoff")}};
    return in;
}

StandingsInput standingsFor(std::initializer_list<std::pair<int16_t, const char*>> teams)
{
    StandingsInput in;
    for (const auto& [number, name] : teams)
        in.teams.push_back({number, QString::fromUtf8(name)});
    in.points = kPoints;
    return in;
}

// Each row's shown cells joined by "|", for comparing at a glance.
QStringList rows(const RecordReport& r)
{
    QStringList out;
    for (const RecordRow& x : r.rows)
        out << QStringList{x.gameTypeDescription, x.gamesWon, x.gamesLost, x.gamesTied, x.winPct, x.goalsFor,
                           x.goalsAgainst, x.points}.join(QLatin1Char('|'));
    return out;
}

QStringList rows(const StandingsReport& r)
{
    QStringList out;
    for (const StandingsRow& x : r.rows)
        out << QStringList{x.teamName.trimmed(), x.gamesWon, x.gamesLost, x.gamesTied, x.streak, x.winPct,
                           x.goalsFor, x.goalsAgainst, x.points}.join(QLatin1Char('|'));
    return out;
}

}  // namespace

class TstRecordStandings : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
    void init() { env = TestEnv::withNewDatabase(); }
    void cleanup() { env.reset(); }

    void recordRowsByTypeWithOvertimePoints()
    {
        // Entered as types 5, 0, 2; a row per type in number order follows.
        addScore(1, 1, 4, 1, false, 5);
        addScore(1, 2, 2, 2, true, 0);   // overtime tie
        addScore(1, 3, 0, 0, false, 0);  // 0-0 is a tie too
        addScore(1, 4, 3, 2, true, 2);   // overtime win
        addScore(1, 5, 1, 3, true, 2);   // overtime loss
        addScore(1, 6, 5, 0, false, 7);  // a type not in the table keeps its own row
        const RecordReport r = ComputeRecord(Db(), recordFor(1));
        QCOMPARE(rows(r), (QStringList{"No Game Type|0|0|2|.500|2|2|4", "League|1|1|0|.500|4|5|6",
                                       "Playoff|1|0|0|1.000|4|1|2", "No Game Type|1|0|0|1.000|5|0|2",
                                       "TOTALS|3|1|2|.667|15|8|14"}));
        QVERIFY(r.anyTie);
    }

    // Which games count is the game selection's; here a left-out game takes
    // its type's row along, and an empty range still gives the totals.
    void recordFollowsTheGameSelection()
    {
        addScore(1, 1, 1, 0, false, 2);
        addScore(1, 2, 2, 0, false, 5);
        RecordInput in = recordFor(1);
        in.criteria.excludedGames = {2};  // type 5's only game, gone with its row
        QCOMPARE(rows(ComputeRecord(Db(), in)), (QStringList{"League|1|0|0|1.000|1|0|2", "TOTALS|1|0|0|1.000|1|0|2"}));
        in.criteria.lowGame = 10;
        const RecordReport none = ComputeRecord(Db(), in);
        QCOMPARE(rows(none), QStringList{QStringLiteral("TOTALS|0|0|0|.000|0|0|0")});
        QVERIFY(!none.anyTie);
    }

    void longSeasonSumsPassTheShortRange()
    {
        // Three games of 30000 goals: the sums pass the 16-bit range.
        for (int n = 1; n <= 3; ++n)
            addScore(1, n, 30000, 1);
        RecordInput in = recordFor(1);
        QCOMPARE(ComputeRecord(Db(), in).rows.back().goalsFor, QStringLiteral("90000"));
        in.style.showCommas = true;
        QCOMPARE(rows(ComputeRecord(Db(), in)).last(), QStringLiteral("TOTALS|3|0|0|1.000|90,000|3|6"));
    }

    void standingsRankByPointsThenWinsThenTableOrder()
    {
        // A: 2 wins = 4; B: 4 ties = 4 points with no win; C: 2 wins and a
        // loss = 4; D: nothing; E: an overtime win = 5.
        addScore(1, 1, 3, 1);
        addScore(1, 2, 3, 1);
        for (int n = 1; n <= 4; ++n)
            addScore(2, n, 1, 1);
        addScore(3, 1, 2, 1);
        addScore(3, 2, 0, 1);
        addScore(3, 3, 2, 1);
        addScore(5, 1, 2, 1, true);
        const StandingsReport r =
            ComputeStandings(Db(), standingsFor({{1, "A"}, {2, "B"}, {3, "C"}, {4, "D"}, {5, "E"}}));
        // A and C equal: table order.
        QCOMPARE(rows(r), (QStringList{"E|1|0|0|Won 1|1.000|2|1|5", "A|2|0|0|Won 2|1.000|6|2|4",
                                       "C|2|1|0|Won 1|.667|4|3|4", "B|0|0|4|-|.500|4|4|4", "D|0|0|0|-|.000|0|0|0"}));
        QVERIFY(r.anyTie);
    }

    void streakFollowsGameNumbersWhateverTheStoredOrder()
    {
        // Stored out of order; by number: win, win, loss.
        addScore(1, 3, 0, 1);
        addScore(1, 1, 2, 1);
        addScore(1, 2, 2, 1);
        // By number: loss, loss, win, win.
        addScore(2, 4, 3, 0);
        addScore(2, 2, 0, 3);
        addScore(2, 3, 3, 0);
        addScore(2, 1, 0, 3);
        // A tie last.
        addScore(3, 2, 1, 1);
        addScore(3, 1, 5, 1);
        // Three losses after a tie.
        for (int n : {4, 2, 3})
            addScore(4, n, 0, 2);
        addScore(4, 1, 2, 2);
        QStringList streaks;
        for (const StandingsRow& row :
             ComputeStandings(Db(), standingsFor({{1, "One"}, {2, "Two"}, {3, "Three"}, {4, "Four"}})).rows)
            streaks << row.teamName.trimmed() + QLatin1Char(' ') + row.streak;
        QCOMPARE(streaks, (QStringList{"One Lost 1", "Two Won 2", "Three -", "Four Lost 3"}));
    }

    void standingsApplyRangeAndTypesOnly()
    {
        addScore(1, 1, 3, 1, false, 2);
        addScore(1, 2, 1, 1, false, 5);  // the only tie
        addGame(1, 3, {.goals = 4, .home = false});
        addScore(2, 1, 0, 1);
        StandingsInput in = standingsFor({{1, "One"}, {2, "Two"}});
        in.criteria.includeAway = false;  // neither offered for the standings
        in.criteria.excludedGames = {1, 3};
        QCOMPARE(rows(ComputeStandings(Db(), in)),
                 (QStringList{"One|2|0|1|Won 1|.833|8|2|5", "Two|0|1|0|Lost 1|.000|0|1|0"}));

        in.criteria.allGameTypes = false;
        in.criteria.gameTypes = {{5, false}};
        StandingsReport r = ComputeStandings(Db(), in);
        QVERIFY(!r.anyTie);  // a left-out tie does not show the column
        QCOMPARE(rows(r).first(), QStringLiteral("One|2|0|0|Won 2|1.000|7|1|4"));  // nor breaks the run
    }

    void exactHalvesRoundUpAtTheThirdDecimal()
    {
        // One tie in eight games is .0625; three wins and a tie in forty games
        // is .0875 exactly, which single precision holds as .08749999.
        addScore(1, 1, 1, 1);
        for (int n = 2; n <= 8; ++n)
            addScore(1, n, 0, 1);
        for (int n = 1; n <= 40; ++n)
            addScore(2, n, n <= 3 ? 1 : 0, n <= 4 ? 0 : 1);
        const StandingsReport r = ComputeStandings(Db(), standingsFor({{1, "Eight"}, {2, "Forty"}}));
        QCOMPARE(r.rows[1].winPct, QStringLiteral(".063"));
        QCOMPARE(r.rows[0].winPct, QStringLiteral(".088"));
        QCOMPARE(ComputeRecord(Db(), recordFor(1)).rows.back().winPct, QStringLiteral(".063"));
        QCOMPARE(ComputeRecord(Db(), recordFor(2)).rows.back().winPct, QStringLiteral(".088"));

        NumberStyle na;
        na.showNA = true;
        QCOMPARE(threeDecimalRatio(-5, 5, na), QStringLiteral("na"));
        QCOMPARE(threeDecimalRatio(-5, 5, NumberStyle{}), QStringLiteral(".000"));
        QCOMPARE(threeDecimalRatio(-1, 16, NumberStyle{}), QStringLiteral("-.063"));  // away from zero
        QCOMPARE(threeDecimalRatio(1, 2000, NumberStyle{}), QStringLiteral(".001"));
        QCOMPARE(threeDecimalRatio(1, 2001, NumberStyle{}), QStringLiteral(".000"));
    }
};

VH_TEST_MAIN(TstRecordStandings)
#include "tst_recordstandings.moc"
