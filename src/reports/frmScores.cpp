#include "reports/frmScores.h"

#include "reports/ScoresReport.h"
#include "shell/Controls.h"
#include "shell/Globals.h"
#include "shell/Help.h"

#include <QCheckBox>
#include <QPushButton>

namespace vh {

namespace {
constexpr int kColumns = 11;
constexpr int kDashColumn = 8;  // Col9, the "-" between the period goals and the total
}  // namespace

frmScores::frmScores() : TeamReportWindow(FormNo::Scores, QStringLiteral("RptScores"), HelpTopic::GameScores)
{
    setObjectName(QStringLiteral("frmScores"));
    setWindowTitle(QStringLiteral("Game Scores"));
    setDesignSize(9480, 5640);
    placeGrid(120, 120, 9240, 4200);
    std::vector<ReportColumn> columns;
    for (int i = 1; i <= kColumns; ++i)
        columns.push_back({QStringLiteral("Col%1").arg(i), QString(), -1, Qt::AlignLeft});
    // The "-" column is never underlined: a line of dashes would run into it.
    columns[kDashColumn].underline = false;
    grid()->setColumns(std::move(columns));
    grid()->setCaption(QStringLiteral("Game Scores"));
    setPrintTitle(QStringLiteral("Game Scores Report"));
    hideHeadings();
    setHeadingStyle({true, false, false});

    const auto rewrite = [this] {
        Format();
        recompute();
    };
    chkShowGameType = optionBox("chkShowGameType", QStringLiteral("Show Game Type"), 120, 4440, 2100, rewrite);
    chkShowLocation = optionBox("chkShowLocation", QStringLiteral("Show Location"), 2340, 4440, 1900, rewrite);
    chkShowNotes = optionBox("chkShowNotes", QStringLiteral("Show Notes"), 4360, 4440, 1600, rewrite);
    chkShowPeriods = optionBox("chkShowPeriods", QStringLiteral("Show Periods"), 6080, 4440, 1800,
                               [this] { ShowPeriodColumns(); });
    cmdShort = makeButton(this, QStringLiteral("cmdShort"), QStringLiteral("&Short"), 4230, 4980, 1215);
    cmdShort->setToolTip(QStringLiteral("Show 1 line for each game"));
    connect(cmdShort, &QPushButton::clicked, this, [this] { cmdShort_Click(); });
    cmdLong = makeButton(this, QStringLiteral("cmdLong"), QStringLiteral("&Long"), 4230, 4980, 1215);
    cmdLong->setToolTip(QStringLiteral("Show multi-lines for each game"));
    cmdLong->hide();
    connect(cmdLong, &QPushButton::clicked, this, [this] { cmdLong_Click(); });
    addCloseButtons(5565, 4980);
}

void frmScores::Form_Load()
{
    resetLookFlags();
    loadReport(QStringLiteral("Game Scores - ") + g.SelectedTeamCaption, QStringLiteral("Game Scores"));
}

void frmScores::setLayoutBoxesVisible(bool visible)
{
    for (QCheckBox* box : {chkShowGameType, chkShowLocation, chkShowNotes, chkShowPeriods})
        box->setVisible(visible);
    cmdShort->setVisible(visible);
    cmdLong->setVisible(!visible);
}

void frmScores::cmdShort_Click()
{
    shortLayout_ = true;
    setLayoutBoxesVisible(false);
    Format();
    recompute();
}

void frmScores::cmdLong_Click()
{
    shortLayout_ = false;
    Format();
    recompute();
    setLayoutBoxesVisible(true);
}

void frmScores::Format()
{
    if (shortLayout_) {
        applyWidths({{{8, 10}, {550, 1100, 2520, 700, 660}},
                     {{12}, {750, 1300, 3200, 850, 1000}},
                     {{14}, {800, 1600, 3500, 850, 1000}},
                     {{18}, {900, 1800, 4500, 1200, 1300}},
                     {{24}, {900, 2200, 5400, 1200, 1300}}});
        return;
    }
    // Col2 is wide enough for what the second lines carry.
    const int col2 = chkShowNotes->isChecked() || chkShowLocation->isChecked() ? 0
                     : chkShowGameType->isChecked()                             ? 1
                                                                                : 2;
    const auto row = [col2](int c1, std::array<int, 3> c2, int c3, int period, int dash, int total, int result) {
        return std::vector<int>{c1, c2[size_t(col2)], c3, period, period, period, period, period, dash, total, result};
    };
    applyWidths({{{8, 10}, row(550, {2800, 2350, 1100}, 2520, 300, 200, 400, 660)},
                 {{12}, row(750, {3400, 2600, 1200}, 2800, 380, 210, 500, 800)},
                 {{14}, row(800, {3500, 3000, 1500}, 3400, 420, 220, 600, 900)},
                 {{18}, row(900, {4800, 4000, 2000}, 4000, 550, 270, 650, 1100)},
                 {{24}, row(900, {5000, 4000, 2200}, 5000, 600, 300, 800, 1350)}});
}

void frmScores::ShowPeriodColumns()
{
    const bool on = chkShowPeriods->isChecked();
    setColumnVisible(3, on);
    setColumnVisible(4, on);
    setColumnVisible(5, on && maxPeriods_ > 2);
    setColumnVisible(6, on && maxPeriods_ > 3);
    setColumnVisible(7, on && anyOvertime_);
    setColumnVisible(kDashColumn, on);
}

void frmScores::computeReport()
{
    ScoresInput in;
    in.team = g.CurrentTeam;
    in.teamCaption = g.SelectedTeamCaption;
    in.criteria = g.Criteria;
    in.shortLayout = shortLayout_;
    in.showGameType = chkShowGameType->isChecked();
    in.showLocation = chkShowLocation->isChecked();
    in.showNotes = chkShowNotes->isChecked();
    in.style = NumberStyleFromOptions();
    in.gameTypes = GameTypeNamesFromState();
    const ScoresReport report = ComputeScores(Db(), in);
    maxPeriods_ = report.maxPeriods;
    anyOvertime_ = report.anyOvertime;

    QStringList fields;
    for (int i = 1; i <= kColumns; ++i)
        fields << QStringLiteral("Col%1").arg(i);
    std::vector<QVariantList> rows;
    for (const ScoresLine& line : report.lines)
        rows.emplace_back(line.begin(), line.end());
    writeRows(fields, std::move(rows));

    for (int c = 2; c < kColumns; ++c)
        setColumnVisible(c, report.anyGame && !(shortLayout_ && c >= 5));
    if (report.anyGame && !shortLayout_)
        ShowPeriodColumns();
}

}  // namespace vh
