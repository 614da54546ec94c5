#include "reports/frmTeamScores.h"

#include "reports/TeamScoringReport.h"
#include "shell/Globals.h"
#include "shell/Help.h"

namespace vh {

namespace {
// Columns: the labels, then 1st, 2nd, 3rd, 4th, OT and Total.
enum Column { Labels, First, Second, Third, Fourth, OT, Total, ColumnCount };
}

frmTeamScores::frmTeamScores()
    : TeamReportWindow(FormNo::TeamScores, QStringLiteral("RptTeamScores"), HelpTopic::TeamScoring)
{
    setObjectName(QStringLiteral("frmTeamScores"));
    setWindowTitle(QStringLiteral("Team Scoring"));
    setDesignSize(9960, 6240);
    placeGrid(120, 120, 9720, 5340);
    std::vector<ReportColumn> columns;
    for (int i = 0; i < ColumnCount; ++i)
        columns.push_back(
            {QStringLiteral("Col%1").arg(i + 1), QString(), -1, i == Labels ? Qt::AlignLeft : Qt::AlignRight});
    grid()->setColumns(std::move(columns));
    grid()->setCaption(QStringLiteral("Team Scoring"));
    setPrintTitle(QStringLiteral("Team Scoring Report"));
    hideHeadings();
    setHeadingStyle({true, false, false});
    addCloseButtons(7170, 5640);
}

void frmTeamScores::Form_Load()
{
    resetLookFlags();
    loadReport(QStringLiteral("Team Scoring - ") + g.SelectedTeamCaption, QStringLiteral("Team Scoring"));
}

void frmTeamScores::Format()
{
    const auto row = [](int labels, int values) {
        return std::vector<int>{labels, values, values, values, values, values, values};
    };
    applyWidths({{{8, 10}, row(3400, 1000)},
                 {{12}, row(3800, 1100)},
                 {{14}, row(4200, 1400)},
                 {{18}, row(4800, 1420)},
                 {{24}, row(5900, 1800)}});
}

void frmTeamScores::computeReport()
{
    TeamScoringInput in;
    in.team = g.CurrentTeam;
    in.teamCaption = g.SelectedTeamCaption;
    in.criteria = g.Criteria;
    in.style = NumberStyleFromOptions();
    const TeamScoringReport report = ComputeTeamScoring(Db(), in);

    QStringList fields;
    for (int i = 1; i <= 10; ++i)
        fields << QStringLiteral("Col%1").arg(i);
    std::vector<QVariantList> rows;
    for (const TeamScoringRow& r : report.rows)
        rows.emplace_back(r.begin(), r.end());
    writeRows(fields, std::move(rows));

    for (int c : {First, Second, Total})
        setColumnVisible(c, report.anyGame);
    setColumnVisible(Third, report.anyGame && report.maxPeriods >= 3);
    setColumnVisible(Fourth, report.anyGame && report.maxPeriods >= 4);
    setColumnVisible(OT, report.anyGame && report.anyOvertime);
}

}  // namespace vh
