// The game scores and team scoring computations against a database the test
// fills.
#include "TeamReportTestData.h"
#include "reports/ScoresReport.h"
#include "reports/TeamScoringReport.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"

using namespace vh;
using namespace vh::test;

namespace {

ScoresInput scoresFor(int16_t team)
{
    ScoresInput in;
    in.team = team;
    in.teamCaption = QStringLiteral("Home Team");
    in.gameTypes = {{2, QStringLiteral("League                   ")}};
    return in;
}

TeamScoringInput scoringFor(int16_t team)
{
    TeamScoringInput in;
    in.team = team;
    in.teamCaption = QStringLiteral("Lakers");
    return in;
}

// Each line's cells joined by "|", without the empty cells at its end.
template <class Line>
QStringList joined(const std::vector<Line>& lines)
{
    static const QRegularExpression emptyEnd(QStringLiteral("\\|+$"));
    QStringList out;
    for (const Line& line : lines)
        out << QStringList(line.begin(), line.end()).join(QLatin1Char('|')).remove(emptyEnd);
    return out;
}

// Col2 of every line: what the long layout puts under each game.
QStringList secondColumn(const ScoresReport& r)
{
    QStringList out;
    for (const ScoresLine& l : r.lines)
        out << l[1];
    return out;
}

}  // namespace

class TstScoresTeamScoring : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
    void init() { env = TestEnv::withNewDatabase(); }
    void cleanup() { env.reset(); }

    void longLayoutPutsTheVisitorFirst()
    {
        addGame(1, 1, {.goals = 3, .oppGoals = 2, .gameType = 2, .byPeriod = {1, 1, 1}, .oppByPeriod = {1, 0, 1},
                       .location = " North Rink ", .notes = "Bring pucks"});
        addGame(1, 2, {.goals = 4, .oppGoals = 3, .overtime = true, .home = false, .periods = 4,
                       .byPeriod = {1, 1, 0, 1, 1}, .oppByPeriod = {0, 1, 1, 1, 0}});
        addGame(1, 3, {.goals = 1, .oppGoals = 1, .periods = 2, .byPeriod = {1, 0, 9, 9, 9},
                       .oppByPeriod = {0, 1, 9, 9, 9}, .date = QDate()});
        const ScoresReport r = ComputeScores(Db(), scoresFor(1));
        // Away, the team itself is the visitor; periods a game did not have
        // stay empty.
        QCOMPARE(joined(r.lines), (QStringList{"1.|10/1/2026|Rivals|1|0|1|||-|2|Won", "|League|Home Team|1|1|1|||-|3",
                                               "|North Rink", "|Bring pucks", "",
                                               "2.|10/1/2026|Home Team|1|1|0|1|1|-|4|Won",
                                               "|No Game Type|Rivals|0|1|1|1|0|-|3", "",
                                               "3.||Rivals|0|1||||-|1|Tied", "|No Game Type|Home Team|1|0||||-|1", ""}));
        QVERIFY(r.anyGame && r.anyOvertime);
        QCOMPARE(r.maxPeriods, 4);
    }

    void secondLineCarriesTypeLocationOrNotes()
    {
        addGame(1, 1, {.goals = 2, .oppGoals = 5, .location = "Arena", .notes = QString(120, QLatin1Char('n'))});
        addGame(1, 2, {.oppGoals = 1, .location = "   ", .notes = "  "});
        ScoresInput in = scoresFor(1);
        const QString cut(100, QLatin1Char('n'));
        QCOMPARE(secondColumn(ComputeScores(Db(), in)),
                 (QStringList{"10/1/2026", "No Game Type", "Arena", cut, "", "10/1/2026", "No Game Type", ""}));
        in.showGameType = false;
        QCOMPARE(secondColumn(ComputeScores(Db(), in)), (QStringList{"10/1/2026", "Arena", cut, "", "10/1/2026", "", ""}));
        in.showLocation = false;
        QCOMPARE(secondColumn(ComputeScores(Db(), in)), (QStringList{"10/1/2026", cut, "", "10/1/2026", "", ""}));
        in.showNotes = false;
        QCOMPARE(secondColumn(ComputeScores(Db(), in)), (QStringList{"10/1/2026", "", "", "10/1/2026", "", ""}));
    }

    // A line break in the notes (LF, CR LF or a lone CR) shows as one blank;
    // the cut still takes the first 100 stored characters, CR LF being two.
    void lineBreaksInNotesShowAsBlanks()
    {
        addGame(1, 1, {.notes = "Bus at 6\nBring sticks\r\nSnacks\rafter"});
        for (int n = 97; n <= 99; ++n)
            addGame(1, n - 95, {.notes = QString(n, QLatin1Char('a' + n - 97)) + "\r\nxy"});
        ScoresInput in = scoresFor(1);
        in.showLocation = false;
        QCOMPARE(secondColumn(ComputeScores(Db(), in)).mid(2, 13),
                 (QStringList{"Bus at 6 Bring sticks Snacks after", "", "10/1/2026", "No Game Type",
                              QString(97, QLatin1Char('a')) + " x", "", "10/1/2026", "No Game Type",
                              QString(98, QLatin1Char('b')) + " ", "", "10/1/2026", "No Game Type",
                              QString(99, QLatin1Char('c')) + " "}));
    }

    void shortLayoutAndDatesByTheRegionalSettings()
    {
        addScore(1, 1, 2, 4);
        addScore(1, 2, 9, 0);
        addGame(1, 3, {.goals = 5, .oppGoals = 3, .home = false, .opponent = "Away Side"});
        ScoresInput in = scoresFor(1);
        in.shortLayout = true;
        in.criteria.excludedGames = {2};
        QCOMPARE(joined(ComputeScores(Db(), in).lines),
                 (QStringList{"1.|10/1/2026|Rivals|2-4|Lost", "2.|10/1/2026|Away Side|5-3|Won"}));
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const ScoresReport german = ComputeScores(Db(), in);
        QLocale::setDefault(before);
        QCOMPARE(german.lines[0][1], QStringLiteral("01.10.2026"));
    }

    void noCountedGameGivesOneLine()
    {
        addScore(1, 1, 2, 1);
        ScoresInput scores = scoresFor(1);
        scores.criteria.includeHome = false;
        QCOMPARE(joined(ComputeScores(Db(), scores).lines), QStringList{QStringLiteral("|No Games")});
        QVERIFY(!ComputeScores(Db(), scores).anyGame);
        QCOMPARE(ComputeScores(Db(), scoresFor(2)).lines.size(), size_t(1));
        TeamScoringInput scoring = scoringFor(1);
        scoring.criteria.lowGame = 5;
        QCOMPARE(joined(ComputeTeamScoring(Db(), scoring).rows), QStringList{QStringLiteral("No Games")});
        QVERIFY(!ComputeTeamScoring(Db(), scoring).anyGame);
    }

    void teamScoringRowsAndRatios()
    {
        addGame(1, 1, {.goals = 4, .oppGoals = 2, .byPeriod = {1, 2, 1}, .oppByPeriod = {0, 1, 1},
                       .pp = 7, .ppg = 2, .sh = 5, .kills = 5});
        addGame(1, 2, {.goals = 1, .oppGoals = 3, .byPeriod = {0, 1}, .oppByPeriod = {1, 1, 1},
                       .pp = 5, .ppg = 1, .sh = 7, .kills = 7});
        // A game of a type missing from the list counts when others are left
        // out; its periods count for the columns shown.
        addGame(1, 3, {.gameType = 8, .periods = 4});
        addScore(1, 4, 9, 0, false, 3);  // left out
        TeamScoringInput in = scoringFor(1);
        in.criteria.allGameTypes = false;
        in.criteria.gameTypes = {{0, true}, {3, false}};
        TeamScoringReport r = ComputeTeamScoring(Db(), in);
        QCOMPARE(joined(r.rows), (QStringList{"Record:|Won 1|Lost 1|Tied 1", "",
                                              "Scoring by Period:|1st|2nd|3rd|4th|OT|Total",
                                              "   Opponents|1|2|2|0|0|5", "   Lakers|1|3|1|0|0|5", "", "Power Play:",
                                              "   Goals|3", "   Attempts|12", "   Percent|.250", "", "Penalty Killing:",
                                              "   Kills|12", "   Attempts|12", "   Percent|1.000"}));
        QCOMPARE(r.maxPeriods, 4);
        QVERIFY(!r.anyOvertime);
    }

    void teamScoringEmptyRatiosAndPlainCounts()
    {
        // Counts are written as stored, without the "na" rule.
        addGame(1, 1, {.goals = 1, .oppGoals = 2, .ppg = -2, .sh = 3, .kills = -3});
        TeamScoringInput in = scoringFor(1);
        in.style.showNA = true;
        TeamScoringReport r = ComputeTeamScoring(Db(), in);
        QCOMPARE(r.rows[7][1], QStringLiteral("-2"));
        QCOMPARE(r.rows[9][1], QString());  // no power play
        QCOMPARE(r.rows[14][1], QStringLiteral("na"));
        in.style.showNA = false;
        QCOMPARE(ComputeTeamScoring(Db(), in).rows[14][1], QStringLiteral(".000"));
    }

    void teamScoringTiesStandInTheFirstShownColumnAfterLost()
    {
        const auto record = [] { return joined(ComputeTeamScoring(Db(), scoringFor(1)).rows).first(); };
        addGame(1, 1, {.goals = 2, .oppGoals = 2, .periods = 2});
        QCOMPARE(record(), QStringLiteral("Record:|Won 0|Lost 0||||Tied 1"));  // under "Total"
        addGame(1, 2, {.goals = 3, .oppGoals = 3, .overtime = true, .periods = 2});
        QCOMPARE(record(), QStringLiteral("Record:|Won 0|Lost 0|||Tied 2"));  // under "OT"
        addScore(1, 3, 1, 0);
        QCOMPARE(record(), QStringLiteral("Record:|Won 1|Lost 0|Tied 2"));  // under "3rd"
    }
};

VH_TEST_MAIN(TstScoresTeamScoring)
#include "tst_scoresteamscoring.moc"
