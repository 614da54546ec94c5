#include "reports/frmStandings.h"

#include "platform/basic/Basic.h"
#include "reports/StandingsReport.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/TextFormat.h"

#include <QCheckBox>

namespace vh {

namespace {
enum Column { Team, Won, Lost, Tie, Streak, Pct, GF, GA, Points };
}

frmStandings::frmStandings()
    : TeamReportWindow(FormNo::Standings, QStringLiteral("RptStandings"), HelpTopic::Standings)
{
    setObjectName(QStringLiteral("frmStandings"));
    setWindowTitle(QStringLiteral("Standings"));
    setDesignSize(8880, 5160);
    placeGrid(120, 120, 8640, 3780);
    const auto number = &TeamReportWindow::numberColumn;
    grid()->setColumns({{QStringLiteral("TeamName"), QStringLiteral("Team"), -1, Qt::AlignLeft},
                        number("GamesWon", "Won"), number("GamesLost", "Lost"), number("GamesTied", "Tie"),
                        number("Streak", "Streak"), number("WinPct", "Pct"), number("GoalsFor", "GF"),
                        number("GoalsAgainst", "GA"), number("Points", "Points")});
    grid()->setCaption(QStringLiteral("Team Standings"));
    setPrintTitle(QStringLiteral("Standings Report"));
    grid()->setFrozen(true);
    setHeadingStyle({true, true, true});
    setFormatBeforeCompute(true);

    chkShowGoals = columnBox("chkShowGoals", QStringLiteral("Show Goals For/Goals Against"), 120, 4020, 3000, {GF, GA});
    chkShowStreak = columnBox("chkShowStreak", QStringLiteral("Show Streak"), 3240, 4020, 1700, {Streak});
    chkShowPct = columnBox("chkShowPct", QStringLiteral("Show Pct"), 5060, 4020, 1500, {Pct});
    addCloseButtons(6210, 4560);
}

void frmStandings::Form_Load()
{
    resetLookFlags();
    // The designed caption "Team Standings" stays.
    loadReport(QString(), QStringLiteral("Standings"));
}

void frmStandings::Format()
{
    const auto row = [](int team, int pct, int streak, int points, int common) {
        return std::vector<int>{team, common, common, common, streak, pct, common, common, points};
    };
    applyWidths({{{8}, row(1900, 650, 900, 750, 600)},
                 {{10}, row(2300, 700, 1000, 850, 625)},
                 {{12}, row(2650, 825, 1100, 975, 725)},
                 {{14}, row(2800, 1000, 1200, 1100, 850)},
                 {{18}, row(3400, 1200, 1400, 1350, 1000)},
                 {{24}, row(4500, 1450, 1900, 1750, 1325)}});
}

void frmStandings::computeReport()
{
    StandingsInput in;
    for (int i = 1; i <= g.NumTeams && i <= g.TeamSelected.upper(); ++i) {
        if (g.TeamSelected[i] == True)
            in.teams.push_back({g.TeamNumbers[i], GetLongTeamName(g.TeamNumbers[i])});
    }
    in.criteria = g.Criteria;
    in.points = PointsFromOptions();
    in.style = NumberStyleFromOptions();
    const StandingsReport report = ComputeStandings(Db(), in);
    std::vector<QVariantList> rows;
    for (const StandingsRow& r : report.rows)
        rows.push_back({r.teamNumber, r.teamName, r.gamesWon, r.gamesLost, r.gamesTied, r.streak, r.winPct, r.goalsFor,
                        r.goalsAgainst, r.points});
    writeRows({QStringLiteral("TeamNumber"), QStringLiteral("TeamName"), QStringLiteral("GamesWon"),
               QStringLiteral("GamesLost"), QStringLiteral("GamesTied"), QStringLiteral("Streak"),
               QStringLiteral("WinPct"), QStringLiteral("GoalsFor"), QStringLiteral("GoalsAgainst"),
               QStringLiteral("Points")},
              std::move(rows));
    setColumnVisible(Tie, report.anyTie);
}

}  // namespace vh
