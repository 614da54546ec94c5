#include "reports/frmRecord.h"

#include "reports/RecordReport.h"
#include "shell/Globals.h"
#include "shell/Help.h"

#include <QCheckBox>

namespace vh {

namespace {
enum Column { GameType, Won, Lost, Tie, GF, GA, Pct, Points };
}

frmRecord::frmRecord() : TeamReportWindow(FormNo::Record, QStringLiteral("RptRecord"), HelpTopic::Record)
{
    setObjectName(QStringLiteral("frmRecord"));
    setWindowTitle(QStringLiteral("Record"));
    setDesignSize(8640, 5160);
    placeGrid(120, 120, 8400, 3780);
    const auto number = &TeamReportWindow::numberColumn;
    grid()->setColumns({{QStringLiteral("GameTypeDescription"), QStringLiteral("Game Type"), -1, Qt::AlignLeft},
                        number("GamesWon", "Won"), number("GamesLost", "Lost"), number("GamesTied", "Tie"),
                        number("GoalsFor", "GF"), number("GoalsAgainst", "GA"), number("WinPct", "Pct"),
                        number("Points", "Points")});
    grid()->setCaption(QStringLiteral("Won/Lost Record"));
    setPrintTitle(QStringLiteral("Record Report"));
    grid()->setFrozen(true);
    setHeadingStyle({true, true, true});
    setFormatBeforeCompute(true);

    chkShowGoals = columnBox("chkShowGoals", QStringLiteral("Show Goals For/Goals Against"), 120, 4020, 3000, {GF, GA});
    chkShowPct = columnBox("chkShowPct", QStringLiteral("Show Percent"), 3240, 4020, 1800, {Pct});
    chkShowPoints = columnBox("chkShowPoints", QStringLiteral("Show Points"), 5160, 4020, 1800, {Points});
    addCloseButtons(5970, 4560);
}

void frmRecord::Form_Load()
{
    resetLookFlags();
    loadReport(QStringLiteral("Won/Lost Record - ") + g.SelectedTeamCaption, QStringLiteral("Record"));
}

void frmRecord::Format()
{
    // "Points" is always 1.33 times the "Won" group.
    applyWidths({{{8}, {2000, 600, 600, 600, 600, 600, 700, 798}},
                 {{10}, {2450, 700, 700, 700, 700, 700, 750, 931}},
                 {{12}, {2700, 850, 850, 850, 850, 850, 900, 1131}},
                 {{14}, {2800, 850, 850, 850, 850, 850, 900, 1131}},
                 {{18}, {3200, 1000, 1000, 1000, 1000, 1000, 1050, 1330}},
                 {{24}, {3700, 1325, 1325, 1325, 1325, 1325, 1350, 1762}}});
}

void frmRecord::computeReport()
{
    RecordInput in;
    in.team = g.CurrentTeam;
    in.criteria = g.Criteria;
    in.points = PointsFromOptions();
    in.style = NumberStyleFromOptions();
    in.gameTypes = GameTypeNamesFromState();
    const RecordReport report = ComputeRecord(Db(), in);
    std::vector<QVariantList> rows;
    for (const RecordRow& r : report.rows)
        rows.push_back({int(r.teamNumber), int(r.gameType), r.gameTypeDescription, r.gamesWon, r.gamesLost,
                        r.gamesTied, r.winPct, r.goalsFor, r.goalsAgainst, r.points});
    writeRows({QStringLiteral("TeamNumber"), QStringLiteral("GameType"), QStringLiteral("GameTypeDescription"),
               QStringLiteral("GamesWon"), QStringLiteral("GamesLost"), QStringLiteral("GamesTied"),
               QStringLiteral("WinPct"), QStringLiteral("GoalsFor"), QStringLiteral("GoalsAgainst"),
               QStringLiteral("Points")},
              std::move(rows));
    setColumnVisible(Tie, report.anyTie);
}

}  // namespace vh
