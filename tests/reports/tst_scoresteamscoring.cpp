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

template <size_t N>
QStringList cells(const std::array<QString, N>& line)
{
    return QStringList(line.begin(), line.end());
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
        GameSpec home = scored(3, 2, {1, 1, 1, 0, 0}, {1, 0, 1, 0, 0});
        home.gameType = 2;
        home.location = QStringLiteral(" North Rink ");
        home.notes = QStringLiteral("Bring pucks");
        addGame(1, 1, home);
        const ScoresReport r = ComputeScores(Db(), scoresFor(1));
        QCOMPARE(r.lines.size(), size_t(5));
        QCOMPARE(cells(r.lines[0]), (QStringList{"1.", "10/1/2026", "Rivals", "1", "0", "1", "", "", "-", "2", "Won"}));
        QCOMPARE(cells(r.lines[1]), (QStringList{"", "League", "Home Team", "1", "1", "1", "", "", "-", "3", ""}));
        QCOMPARE(secondColumn(r), (QStringList{"10/1/2026", "League", "North Rink", "Bring pucks", ""}));
        QCOMPARE(cells(r.lines[4]), QStringList(11, QString()));
        QVERIFY(r.anyGame);
        QCOMPARE(r.maxPeriods, 3);
        QVERIFY(!r.anyOvertime);
    }

    void periodsAndOvertimeCellsFollowEachGame()
    {
        GameSpec fourWithOvertime = scored(4, 3, {1, 1, 0, 1, 1}, {0, 1, 1, 1, 0}, 4);
        fourWithOvertime.home = false;
        fourWithOvertime.overtime = true;
        addGame(1, 1, fourWithOvertime);
        GameSpec two = scored(1, 1, {1, 0, 9, 9, 9}, {0, 1, 9, 9, 9}, 2);
        two.date = QDate();
        addGame(1, 2, two);
        const ScoresReport r = ComputeScores(Db(), scoresFor(1));
        // Away: the team itself is the visitor.
        QCOMPARE(cells(r.lines[0]), (QStringList{"1.", "10/1/2026", "Home Team", "1", "1", "0", "1", "1", "-", "4", "Won"}));
        QCOMPARE(cells(r.lines[1]), (QStringList{"", "No Game Type", "Rivals", "0", "1", "1", "1", "0", "-", "3", ""}));
        QCOMPARE(cells(r.lines[3]), (QStringList{"2.", "", "Rivals", "0", "1", "", "", "", "-", "1", "Tied"}));
        QCOMPARE(cells(r.lines[4]), (QStringList{"", "No Game Type", "Home Team", "1", "0", "", "", "", "-", "1", ""}));
        QCOMPARE(r.maxPeriods, 4);
        QVERIFY(r.anyOvertime);
    }

    void secondLineCarriesTypeLocationOrNotes()
    {
        GameSpec g = scored(2, 5, {}, {});
        g.location = QStringLiteral("Arena");
        g.notes = QString(120, QLatin1Char('n'));
        addGame(1, 1, g);
        GameSpec blank = scored(0, 1, {}, {});
        blank.location = QStringLiteral("   ");
        blank.notes = QStringLiteral("  ");
        addGame(1, 2, blank);
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

    void shortLayoutOneLinePerListedGame()
    {
        GameSpec away = scored(5, 3, {}, {});
        away.home = false;
        away.opponent = QStringLiteral("Away Side");
        addGame(1, 1, scored(2, 4, {}, {}));
        addGame(1, 2, scored(9, 0, {}, {}));
        addGame(1, 3, away);
        ScoresInput in = scoresFor(1);
        in.shortLayout = true;
        in.criteria.excludedGames = {2};
        const ScoresReport r = ComputeScores(Db(), in);
        QCOMPARE(r.lines.size(), size_t(2));
        QCOMPARE(cells(r.lines[0]), (QStringList{"1.", "10/1/2026", "Rivals", "2-4", "Lost", "", "", "", "", "", ""}));
        QCOMPARE(cells(r.lines[1]), (QStringList{"2.", "10/1/2026", "Away Side", "5-3", "Won", "", "", "", "", "", ""}));
    }

    void datesByTheRegionalSettings()
    {
        addGame(1, 1, scored(1, 0, {}, {}));
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const ScoresReport r = ComputeScores(Db(), scoresFor(1));
        QLocale::setDefault(before);
        QCOMPARE(r.lines[0][1], QStringLiteral("01.10.2026"));
    }

    void noListedGameGivesOneLine()
    {
        addGame(1, 1, scored(1, 0, {}, {}));
        ScoresInput in = scoresFor(1);
        in.criteria.includeHome = false;
        const ScoresReport r = ComputeScores(Db(), in);
        QCOMPARE(r.lines.size(), size_t(1));
        QCOMPARE(cells(r.lines[0]), (QStringList{"", "No Games", "", "", "", "", "", "", "", "", ""}));
        QVERIFY(!r.anyGame);
        QCOMPARE(ComputeScores(Db(), scoresFor(2)).lines.size(), size_t(1));
    }

    void teamScoringRowsAndRatios()
    {
        GameSpec a = scored(4, 2, {1, 2, 1, 0, 0}, {0, 1, 1, 0, 0});
        a.pp = 7;
        a.ppg = 2;
        a.sh = 5;
        a.kills = 5;
        GameSpec b = scored(1, 3, {0, 1, 0, 0, 0}, {1, 1, 1, 0, 0});
        b.pp = 5;
        b.ppg = 1;
        b.sh = 7;
        b.kills = 7;
        addGame(1, 1, a);
        addGame(1, 2, b);
        const TeamScoringReport r = ComputeTeamScoring(Db(), scoringFor(1));
        QCOMPARE(r.rows.size(), size_t(15));
        const QStringList expected[] = {
            {"Record:", "Won 1", "Lost 1", "", "", "", "", "", "", ""},
            {"", "", "", "", "", "", "", "", "", ""},
            {"Scoring by Period:", "1st", "2nd", "3rd", "4th", "OT", "Total", "", "", ""},
            {"   Opponents", "1", "2", "2", "0", "0", "5", "", "", ""},
            {"   Lakers", "1", "3", "1", "0", "0", "5", "", "", ""},
            {"", "", "", "", "", "", "", "", "", ""},
            {"Power Play:", "", "", "", "", "", "", "", "", ""},
            {"   Goals", "3", "", "", "", "", "", "", "", ""},
            {"   Attempts", "12", "", "", "", "", "", "", "", ""},
            {"   Percent", ".250", "", "", "", "", "", "", "", ""},
            {"", "", "", "", "", "", "", "", "", ""},
            {"Penalty Killing:", "", "", "", "", "", "", "", "", ""},
            {"   Kills", "12", "", "", "", "", "", "", "", ""},
            {"   Attempts", "12", "", "", "", "", "", "", "", ""},
            {"   Percent", "1.000", "", "", "", "", "", "", "", ""},
        };
        for (size_t i = 0; i < r.rows.size(); ++i)
            QCOMPARE(cells(r.rows[i]), expected[i]);
        QCOMPARE(r.maxPeriods, 3);
        QVERIFY(!r.anyOvertime);
    }

    void teamScoringEmptyRatiosAndPlainCounts()
    {
        GameSpec g = scored(1, 2, {}, {});
        g.ppg = -2;  // counts are written as stored, without the "na" rule
        g.sh = 3;
        g.kills = -3;
        addGame(1, 1, g);
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
        const auto tiedColumn = [] {
            const TeamScoringRow record = ComputeTeamScoring(Db(), scoringFor(1)).rows[0];
            for (int i = 3; i < 10; ++i)
                if (!record[size_t(i)].isEmpty())
                    return i + 1;  // the field number, Col4 .. Col10
            return 0;
        };
        addGame(1, 1, scored(2, 2, {}, {}, 2));
        QCOMPARE(tiedColumn(), 7);  // under "Total"
        GameSpec overtime = scored(3, 3, {}, {}, 2);
        overtime.overtime = true;
        addGame(1, 2, overtime);
        QCOMPARE(tiedColumn(), 6);  // under "OT"
        QCOMPARE(ComputeTeamScoring(Db(), scoringFor(1)).rows[0][5], QStringLiteral("Tied 2"));
        addGame(1, 3, scored(1, 0, {}, {}, 3));
        QCOMPARE(tiedColumn(), 4);  // under "3rd"
    }

    void teamScoringWithoutCountedGames()
    {
        addGame(1, 1, scored(2, 1, {}, {}, 4));
        addGame(1, 2, scored(2, 1, {}, {}, 3));
        TeamScoringInput in = scoringFor(1);
        in.criteria.lowGame = 5;
        TeamScoringReport r = ComputeTeamScoring(Db(), in);
        QCOMPARE(r.rows.size(), size_t(1));
        QCOMPARE(cells(r.rows[0]), (QStringList{"No Games", "", "", "", "", "", "", "", "", ""}));
        QVERIFY(!r.anyGame);
        // A game of a type missing from the list counts when others are left out.
        Db().execute(QStringLiteral("update GameStats set GameType = 8 where GameNumber = 2"));
        in.criteria = {};
        in.criteria.allGameTypes = false;
        in.criteria.gameTypes = {{0, false}, {3, true}};
        r = ComputeTeamScoring(Db(), in);
        QCOMPARE(r.rows[0][1], QStringLiteral("Won 1"));
        QCOMPARE(r.maxPeriods, 3);
    }
};

VH_TEST_MAIN(TstScoresTeamScoring)
#include "tst_scoresteamscoring.moc"
