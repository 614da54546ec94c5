#include "app/frmOptions.h"

#include "shell/Controls.h"
#include "shell/Frame.h"
#include "shell/Globals.h"
#include "shell/MenuState.h"
#include "shell/Procedures.h"
#include "teams/frmSelectTeam.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace vh {

namespace {

void setTicked(QCheckBox* box, int16_t option) { box->setChecked(option != 0); }
int16_t ticked(const QCheckBox* box) { return VbBool(box->isChecked()); }

// The entry at `position`; an option outside the list chooses no entry.
void choose(QComboBox* box, int position)
{
    box->setCurrentIndex(position >= 0 && position < box->count() ? position : -1);
}

// A list with no entry chosen keeps its option as it was: only the list's own
// values are ever stored.
void takeOver(const QComboBox* box, int16_t& option, int offset)
{
    if (box->currentIndex() >= 0)
        option = int16_t(box->currentIndex() + offset);
}

}  // namespace

frmOptions::frmOptions() : Form(FormNo::Options)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    setDesignSize(7815, 5160);

    tabOptions = new QTabWidget(this);
    tabOptions->setObjectName(QStringLiteral("tabOptions"));
    place(tabOptions, 120, 120, 7575, 4290);

    // Statistics
    auto* stats = new QWidget;
    tabOptions->addTab(stats, QStringLiteral("Statistics"));
    chkShowCommas = makeCheckBox(stats, QStringLiteral("chkShowCommas"), QStringLiteral("Format numbers with commas"), 240, 240, 6400);
    chkShowNA = makeCheckBox(stats, QStringLiteral("chkShowNA"),
                         QStringLiteral("Show \"na\" instead of 0 for stats that can not be computed"), 240, 660, 6500);
    makeLabel(stats, QString(), QStringLiteral("(for example, Sh% when there are 0 Shots on Goal)"), 540, 960, 6000);
    chkShowPlayerSeconds = makeCheckBox(stats, QStringLiteral("chkShowPlayerSeconds"),
                                    QStringLiteral("Show seconds with minutes on Player Report"), 240, 1380, 6400);
    chkShowGoalieSeconds = makeCheckBox(stats, QStringLiteral("chkShowGoalieSeconds"),
                                    QStringLiteral("Show seconds with minutes on Goalie Report"), 240, 1800, 6400);
    QLabel* lblMinutes =
        makeLabel(stats, QString(), QStringLiteral("Minutes per Game for computing GAA"), 240, 2400, 3600);
    cmbMinutesPerGame = makeComboBox(stats, QStringLiteral("cmbMinutesPerGame"), 3960, 2340, 900);
    nameBoxByLabel(lblMinutes, cmbMinutesPerGame);

    // Game Update
    auto* games = new QWidget;
    tabOptions->addTab(games, QStringLiteral("Game Update"));
    QLabel* lblPeriods =
        makeLabel(games, QString(), QStringLiteral("Periods to show on the Add Game Entry Screen"), 240, 300, 4300);
    cmbPeriods = makeComboBox(games, QStringLiteral("cmbPeriods"), 4620, 240, 780);
    nameBoxByLabel(lblPeriods, cmbPeriods);
    cmbPeriods->addItems({QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});
    chkEditGoalsFor = makeCheckBox(games, QStringLiteral("chkEditGoalsFor"),
                               QStringLiteral("Warn when goals scored on Game Screen don't match Player Screen"), 240,
                               900, 7100);
    chkEditGoalsAgainst = makeCheckBox(games, QStringLiteral("chkEditGoalsAgainst"),
                                   QStringLiteral("Warn when goals against on Game Screen don't match Player Screen"),
                                   240, 1320, 7100);

    // Reports
    auto* reports = new QWidget;
    tabOptions->addTab(reports, QStringLiteral("Reports"));
    QGroupBox* fraName =
        makeFrame(reports, QStringLiteral("fraName"), QStringLiteral("Display Player Name"), 180, 180, 3240, 2160);
    const QString names[] = {QStringLiteral("First and Last Name"), QStringLiteral("First Initial and Last Name"),
                             QStringLiteral("Just Last Name")};
    for (int i = 0; i < 3; ++i) {
        optFormatName[i] =
            makeOption(fraName, QStringLiteral("optFormatName_%1").arg(i), names[i], 180, 360 + 390 * i, 2940);
    }
    chkShowPlayerNumber = makeCheckBox(fraName, QStringLiteral("chkShowPlayerNumber"), QStringLiteral("Show Player Number"), 180, 1620,
                                   2940);

    QGroupBox* fraPoints =
        makeFrame(reports, QStringLiteral("fraPoints"), QStringLiteral("Standings Points"), 3600, 180, 3720, 2160);
    const QString columns[] = {QStringLiteral("Regulation"), QStringLiteral("Overtime")};
    makeLabel(fraPoints, QString(), columns[0], 1200, 330, 1100);
    makeLabel(fraPoints, QString(), columns[1], 2400, 330, 1100);
    const QString rows[] = {QStringLiteral("Win"), QStringLiteral("Loss"), QStringLiteral("Tie")};
    for (int r = 0; r < 3; ++r)
        makeLabel(fraPoints, QString(), rows[r], 180, 720 + 420 * r, 720);
    const QStringList points = {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                                QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")};
    for (int i = 0; i < 6; ++i) {
        const int column = i / 3;
        const int row = i % 3;
        cmbPoints[i] = makeComboBox(fraPoints, QStringLiteral("cmbPoints_%1").arg(i), 1200 + 1200 * column,
                               660 + 420 * row, 780);
        cmbPoints[i]->addItems(points);
        // Named after its column and row heads: "Overtime Loss".
        nameBox(cmbPoints[i], columns[column] + QLatin1Char(' ') + rows[row]);
    }

    // General
    auto* general = new QWidget;
    tabOptions->addTab(general, QStringLiteral("General"));
    chkShowFilters = makeCheckBox(general, QStringLiteral("chkShowFilters"), QStringLiteral("Show Filters on Select Teams Screen"), 240,
                              300, 6000);
    chkShowToolBar = makeCheckBox(general, QStringLiteral("chkShowToolBar"), QStringLiteral("Show Tool Bar"), 240, 720, 6000);

    cmdClose = makeButton(this, QStringLiteral("cmdClose"), QStringLiteral("Close"), 6360, 4560, 1335, 420);
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    ButtonKeys::setDefaultButton(this, cmdClose);
    ButtonKeys::setCancelButton(this, cmdClose);
}

void frmOptions::Form_Load()
{
    CenterForm(this);
    for (int minutes = 10; minutes <= 60; ++minutes)
        cmbMinutesPerGame->addItem(QString::number(minutes));

    setTicked(chkShowFilters, g.ShowFiltersOption);
    setTicked(chkShowToolBar, g.ShowToolBarOption);
    setTicked(chkShowPlayerNumber, g.ShowPlayerNumberOption);
    setTicked(chkShowCommas, g.ShowCommasOption);
    setTicked(chkShowNA, g.ShowNAOption);
    setTicked(chkEditGoalsFor, g.EditGoalsForOption);
    setTicked(chkEditGoalsAgainst, g.EditGoalsAgainstOption);
    setTicked(chkShowPlayerSeconds, g.ShowPlayerSecondsOption);
    setTicked(chkShowGoalieSeconds, g.ShowGoalieSecondsOption);
    choose(cmbPeriods, g.PeriodsOption - 2);
    if (g.NameFormatOption >= 0 && g.NameFormatOption <= 2)
        optFormatName[g.NameFormatOption]->setChecked(true);
    for (int i = 0; i < 6; ++i)
        choose(cmbPoints[i], g.option(11 + i));
    choose(cmbMinutesPerGame, g.MinutesPerGameOption - 10);

    loadedShowFilters_ = g.ShowFiltersOption;
    loadedShowToolBar_ = g.ShowToolBarOption;
    tabOptions->setCurrentIndex(0);
}

void frmOptions::cmdClose_Click()
{
    g.ShowFiltersOption = ticked(chkShowFilters);
    takeOver(cmbPeriods, g.PeriodsOption, 2);
    g.ShowToolBarOption = ticked(chkShowToolBar);
    g.NameFormatOption = optFormatName[0]->isChecked() ? 0 : optFormatName[1]->isChecked() ? 1 : 2;
    for (int i = 0; i < 6; ++i)
        takeOver(cmbPoints[i], g.option(11 + i), 0);
    g.ShowPlayerNumberOption = ticked(chkShowPlayerNumber);
    g.ShowCommasOption = ticked(chkShowCommas);
    g.ShowNAOption = ticked(chkShowNA);
    g.EditGoalsForOption = ticked(chkEditGoalsFor);
    g.EditGoalsAgainstOption = ticked(chkEditGoalsAgainst);
    g.ShowPlayerSecondsOption = ticked(chkShowPlayerSeconds);
    g.ShowGoalieSecondsOption = ticked(chkShowGoalieSeconds);
    takeOver(cmbMinutesPerGame, g.MinutesPerGameOption, 10);

    const bool filtersChanged = g.ShowFiltersOption != loadedShowFilters_;
    const bool toolbarChanged = g.ShowToolBarOption != loadedShowToolBar_;
    unloadForm();
    // The team-selection window lays out its filter box when it loads.
    if (filtersChanged)
        Unload<frmSelectTeam>();
    if (toolbarChanged && g.Frame)
        g.Frame->setToolbarVisible(g.ShowToolBarOption != 0);
    Load<frmSelectTeam>();
    SetMenus(g.SelectedTeamCount, QStringLiteral("Select"));
}

}  // namespace vh
