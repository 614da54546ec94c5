#include "stats/frmStats.h"

#include "platform/MsgBox.h"
#include "shell/Controls.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/Procedures.h"
#include "stats/frmCompute.h"
#include "stats/frmMinimum.h"
#include "stats/frmSort.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <algorithm>

namespace vh {

namespace {

frmStats::FormatChooser& formatChooser()
{
    static frmStats::FormatChooser chooser;
    return chooser;
}

Qt::Alignment alignmentOf(QChar code)
{
    if (code == QLatin1Char('C'))
        return Qt::AlignHCenter;
    if (code == QLatin1Char('R'))
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

}  // namespace

void frmStats::setFormatChooser(FormatChooser chooser) { formatChooser() = std::move(chooser); }

frmStats::frmStats() : ReportWindow(FormNo::Stats, QStringLiteral("RptPlayer"))
{
    setObjectName(QStringLiteral("frmStats"));
    setDesignSize(11250, 6600);
    tdbStats = grid();
    tdbStats->setObjectName(QStringLiteral("tdbStats"));
    place(tdbStats, 120, 120, 11010, 5280);

    lblPlayers = makeLabel(this, QStringLiteral("lblPlayers"), QStringLiteral("Players"), 120, 5580, 1500);
    cmbPlayers = makeComboBox(this, QStringLiteral("cmbPlayers"), 1680, 5520, 2640);
    cmbPlayers->setEditable(true);
    cmbPlayers->setInsertPolicy(QComboBox::NoInsert);
    nameBoxByLabel(lblPlayers, cmbPlayers);
    cmdMinus = makeButton(this, QStringLiteral("cmdMinus"), QStringLiteral("-"), 4440, 5520, 375, 345);
    cmdMinus->setToolTip(QStringLiteral("Decrease first column width"));
    cmdPlus = makeButton(this, QStringLiteral("cmdPlus"), QStringLiteral("+"), 4860, 5520, 375, 345);
    cmdPlus->setToolTip(QStringLiteral("Increase first column width"));
    cmdCompute = makeButton(this, QStringLiteral("cmdCompute"), QStringLiteral("&Compute"), 5400, 5520, 1080);
    cmdCompute->setToolTip(QStringLiteral("Compute report for any games"));
    cmdSort = makeButton(this, QStringLiteral("cmdSort"), QStringLiteral("&Sort"), 6540, 5520, 1080);
    cmdSort->setToolTip(QStringLiteral("Sort on any category"));
    cmdFormat = makeButton(this, QStringLiteral("cmdFormat"), QStringLiteral("&Format"), 7680, 5520, 1080);
    cmdFormat->setToolTip(QStringLiteral("Customize any number of reports"));
    cmdMin = makeButton(this, QStringLiteral("cmdMin"), QStringLiteral("&Minimum"), 8820, 5520, 1080);
    cmdMin->setToolTip(QStringLiteral("Divide report based on minimum"));
    cmdExit = makeButton(this, QStringLiteral("cmdExit"), QStringLiteral("Close"), 10050, 5520, 1080);
    lblClickFormat = makeLabel(this, QStringLiteral("lblClickFormat"), QString(), 120, 6060, 7000);
    lblClickFormat->setStyleSheet(QStringLiteral("color: gray;"));
    ButtonKeys::setCancelButton(this, cmdExit);
    InstallHelpKey(this, HelpTopic::StatsReport);

    connect(cmbPlayers, &QComboBox::activated, this, [this] { cmbPlayers_Click(); });
    connect(cmdCompute, &QPushButton::clicked, this, &frmStats::cmdCompute_Click);
    connect(cmdFormat, &QPushButton::clicked, this, &frmStats::cmdFormat_Click);
    connect(cmdSort, &QPushButton::clicked, this, &frmStats::cmdSort_Click);
    connect(cmdMin, &QPushButton::clicked, this, &frmStats::cmdMin_Click);
    connect(cmdMinus, &QPushButton::clicked, this, &frmStats::cmdMinus_Click);
    connect(cmdPlus, &QPushButton::clicked, this, &frmStats::cmdPlus_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmStats::cmdExit_Click);
}

bool frmStats::goalies() const { return g.ReportCode == "G"; }

void frmStats::setCaption(const QString& caption) { setPlainWindowTitle(this, caption); }

// ---------------------------------------------------------------- load and unload

void frmStats::Form_Load()
{
    CenterForm(this);
    ShowHourglass();
    PlayersListFilled = false;
    ColumnAlignment = QLatin1Char('R');
    SelectedPlayer = 0;
    resetLookFlags();
    report_ = StatsReport();
    const bool goalie = goalies();
    setWorkTable(goalie ? QStringLiteral("RptGoalie") : QStringLiteral("RptPlayer"));
    const QString kind = goalie ? QStringLiteral("Goalie Statistics") : QStringLiteral("Player Statistics");
    setCaption(windowCaption());
    tdbStats->setCaption(g.SelectedTeamCount < 2 ? kind + QStringLiteral(" - ") + g.SelectedTeamCaption : kind);
    lblPlayers->setText(g.SelectedTeamCount < 2 ? QStringLiteral("Players") : QStringLiteral("Career Statistics"));
    cmdFormat->setEnabled(bool(formatChooser()));
    cmdMin->setEnabled(true);
    cmdSort->setEnabled(true);
    applyLook();

    showForm();
    FormLoading = true;
    setReportFontSize(8);
    SelectFontSize(8);
    SelectFontName(reportDesignFontName());
    FormLoading = false;

    runComputation([this] {
        CollectStats();
        layOutSortAndWrite();
    });

    showAlignmentOnToolbar();
    lblClickFormat->setText(QStringLiteral("Click Format to change report (%1 categories to choose from)")
                                .arg(goalie ? 30 : 28));
    ShowArrowPointer();
    if (g.StatsHintOption != 0) {
        MsgBox(QStringLiteral("Not all categories are on this report.\r\rClick FORMAT to select the categories you "
                              "want.\r\rMany more categories to choose from."),
               g.MsgStyleWarn, QStringLiteral("Important Hint"));
    }
    g.StatsHintOption = 0;
}

void frmStats::Form_Unload() { report_ = StatsReport(); }

// ---------------------------------------------------------------- the steps

StatsFormat frmStats::formatFromState() const
{
    StatsFormat f;
    const auto& line = goalies() ? g.GoalieReportLine : g.PlayerReportLine;
    for (int i = 1; i <= line.upper(); ++i)
        f.line.push_back(line[i]);
    f.sortCategory = goalies() ? g.GoalieSortCategory : g.PlayerSortCategory;
    f.sortDirection = (goalies() ? g.GoalieSortDirection : g.PlayerSortDirection).str();
    const auto& nyo = goalies() ? g.GoalieNyoAbbrev : g.PlayerNyoAbbrev;
    for (int i = 1; i <= 5 && i <= nyo.upper(); ++i)
        f.userAbbrev[size_t(i - 1)] = nyo[i].str();
    return f;
}

StatsInput frmStats::inputFromState() const
{
    StatsInput in;
    in.kind = goalies() ? 'G' : 'P';
    for (int t = 1; t <= g.NumTeams && t <= g.TeamSelected.upper(); ++t) {
        if (g.TeamSelected[t] == True)
            in.teams.push_back({g.TeamNumbers[t], t <= g.ShortTeamNames.upper() ? g.ShortTeamNames[t].str() : QString()});
    }
    in.criteria = g.Criteria;
    in.selectedPlayer = SelectedPlayer;
    StatsOptions& o = in.options;
    o.nameFormat = g.NameFormatOption;
    o.showPlayerNumber = g.ShowPlayerNumberOption == True;
    o.showCommas = g.ShowCommasOption != 0;
    o.showNA = g.ShowNAOption != 0;
    o.showPlayerSeconds = g.ShowPlayerSecondsOption != 0;
    o.showGoalieSeconds = g.ShowGoalieSecondsOption != 0;
    o.minutesPerGame = g.MinutesPerGameOption;
    in.format = formatFromState();
    return in;
}

void frmStats::CollectStats()
{
    report_ = collectStats(Db(), inputFromState());
    if (PlayersListFilled)
        return;
    const QSignalBlocker block(cmbPlayers);
    cmbPlayers->clear();
    for (const PlayerListEntry& e : report_.playerList)
        cmbPlayers->addItem(e.text, e.itemData);
    // Nothing is chosen: the report opens for every person.
    cmbPlayers->setCurrentIndex(-1);
    PlayersListFilled = true;
}

void frmStats::BuildColumns()
{
    QFont font = currentLook().cellFont();
    font.setBold(true);
    const QFontMetricsF metrics(font);
    // Twips at the grid's 15 to a pixel.
    const TextMeasurer measure = [&metrics](const QString& text) { return metrics.horizontalAdvance(text) * 15; };
    const ColumnLayout layout =
        buildColumns(report_, formatFromState(), ColumnStyle{reportFontSize(), ColumnAlignment}, measure);
    std::vector<ReportColumn> columns;
    for (const StatsColumn& c : layout.columns)
        columns.push_back({c.dataField, c.caption, c.width, alignmentOf(c.alignment)});
    ColumnCount = layout.columnCount;
    // The grid keeps its look: the new columns take it as they come.
    tdbStats->setFrozen(false);
    tdbStats->setColumns(std::move(columns));
}

void frmStats::SortStats()
{
    const StatsFormat f = formatFromState();
    sortStats(report_, f.sortCategory, f.sortDirection);
}

void frmStats::WriteToDB()
{
    writeStatsReport(Db(), report_);
    // The minimum's footnote reads as one line wherever it is shown.
    tdbStats->model()->setUnbrokenTexts({RTrim(report_.minimumFootnote)});
}

void frmStats::SetSplits() { tdbStats->setFrozen(true); }

// The tail of a run after new criteria or a new format: the sort is left out
// in one person's game log, whose rows stay in game order.
void frmStats::layOutSortAndWrite()
{
    BuildColumns();
    if (g.Criteria.playerScope != QLatin1String("Y"))
        SortStats();
    WriteToDB();
    SetSplits();
}

QString frmStats::windowCaption() const
{
    return goalies() ? QStringLiteral("Goalie Statistics - ") + g.GoalieRptDescription.str().trimmed()
                     : QStringLiteral("Player Statistics - ") + g.PlayerRptDescription.str().trimmed();
}

// ---------------------------------------------------------------- buttons

void frmStats::cmbPlayers_Click()
{
    const int index = cmbPlayers->currentIndex();
    if (index < 0 || isComputing())
        return;
    SelectedPlayer = int16_t(cmbPlayers->itemData(index).toInt());
    if (g.SelectedTeamCount >= 2)
        g.Criteria.playerScope = SelectedPlayer == -1 ? QStringLiteral("N") : SelectedPlayer == 0 ? QStringLiteral("A") : QStringLiteral("Y");
    else
        g.Criteria.playerScope = SelectedPlayer == 0 ? QStringLiteral("N") : QStringLiteral("Y");
    const bool onePerson = g.Criteria.playerScope == QLatin1String("Y");
    cmdMin->setEnabled(!onePerson);
    cmdSort->setEnabled(!onePerson);
    runComputation(
        [this, onePerson] {
            CollectStats();
            if (!onePerson)
                SortStats();
            BuildColumns();
            WriteToDB();
            SetSplits();
        },
        false);
}

void frmStats::cmdCompute_Click()
{
    if (isComputing())
        return;
    g.CancelFlag = "N";
    g.Criteria.title = tdbStats->caption();
    if (!ShowComputeDialog())
        return;
    tdbStats->setCaption(g.Criteria.title);
    runComputation(
        [this] {
            CollectStats();
            layOutSortAndWrite();
        },
        false);
    showForm();
}

void frmStats::cmdFormat_Click()
{
    if (isComputing() || !formatChooser())
        return;
    g.CancelFlag = "N";
    formatChooser()();
    if (g.CancelFlag == "Y")
        return;
    setCaption(windowCaption());
    runComputation(
        [this] {
            clearMinimum(report_);
            layOutSortAndWrite();
        },
        false);
}

void frmStats::cmdSort_Click()
{
    if (isComputing())
        return;
    g.CancelFlag = "N";
    SortInput in;
    in.reportCode = g.ReportCode.str();
    in.current.category = goalies() ? g.GoalieSortCategory : g.PlayerSortCategory;
    in.current.direction = (goalies() ? g.GoalieSortDirection : g.PlayerSortDirection).str();
    in.abbrev = ReportCategoryAbbrev();
    const std::optional<SortChoice> choice = frmSort::ask(in);
    if (!choice) {
        g.CancelFlag = "Y";
        return;
    }
    if (goalies()) {
        g.GoalieSortCategory = choice->category;
        g.GoalieSortDirection = choice->direction;
    } else {
        g.PlayerSortCategory = choice->category;
        g.PlayerSortDirection = choice->direction;
    }
    runComputation(
        [this] {
            clearMinimum(report_);
            SortStats();
            WriteToDB();
        },
        false);
}

void frmStats::cmdMin_Click()
{
    if (isComputing())
        return;
    g.CancelFlag = "N";
    const std::optional<MinimumChoice> choice = frmMinimum::ask({g.Criteria.minimumValue, g.Criteria.minimumBasis});
    if (!choice) {
        g.CancelFlag = "Y";
        return;
    }
    g.Criteria.minimumValue = choice->value;
    g.Criteria.minimumBasis = choice->basis;
    runComputation(
        [this] {
            SortStats();
            applyMinimum(report_, g.Criteria.minimumBasis, g.Criteria.minimumValue);
            WriteToDB();
        },
        false);
}

void frmStats::cmdMinus_Click() { stepNameColumn(-50); }
void frmStats::cmdPlus_Click() { stepNameColumn(50); }

// Within what the grid can show: a press past either end changes nothing and
// is not counted, so the first press back shows at once.
void frmStats::stepNameColumn(int twips)
{
    const int narrowest = tdbStats->narrowestColumnWidth(0);
    const int widest = std::max(narrowest, tdbStats->widestColumnWidth());
    const int from = std::clamp(tdbStats->columnWidth(0), narrowest, widest);
    tdbStats->setColumnWidth(0, std::clamp(from + twips, narrowest, widest));
}

void frmStats::cmdExit_Click()
{
    if (!isComputing())
        closeReport();
}

// ---------------------------------------------------------------- report-window members

void frmStats::SetFontSize(int16_t size)
{
    if (FormLoading)
        return;
    ReportWindow::SetFontSize(size);
}

void frmStats::fontSizeChanged()
{
    BuildColumns();
    SetSplits();
}

Qt::Alignment frmStats::valueAlignment() const { return alignmentOf(ColumnAlignment); }

// New layouts align the value columns the same way.
void frmStats::alignmentChanged(Qt::Alignment alignment)
{
    ColumnAlignment = alignment == Qt::AlignLeft      ? QLatin1Char('L')
                      : alignment == Qt::AlignHCenter ? QLatin1Char('C')
                                                      : QLatin1Char('R');
}

void frmStats::BoldFont()
{
    if (isComputing())
        return;
    ReportWindow::BoldFont();
    // Bold text needs the room: every column grows or shrinks by 50 twips.
    const int step = g.ReportBold == True ? 50 : -50;
    std::vector<int> widths;
    for (int i = 0; i < tdbStats->columnCount(); ++i)
        widths.push_back(tdbStats->columnWidth(i) + step);
    tdbStats->setColumnWidths(widths);
}

void frmStats::PrintStatsReport() { ReportWindow::PrintReport(); }

}  // namespace vh
