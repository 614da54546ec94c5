#include "app/frmOptions.h"

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

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, int left, int top, int width)
{
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(QLatin1String(name));
    place(c, left, top, width, 300);
    return c;
}

QComboBox* listBox(QWidget* parent, const QString& name, int left, int top, int width)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    place(c, left, top, width, 330);
    return c;
}

QLabel* label(QWidget* parent, const QString& text, int left, int top, int width)
{
    auto* l = new QLabel(text, parent);
    place(l, left, top, width, 255);
    return l;
}

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
    chkShowCommas = checkBox(stats, "chkShowCommas", QStringLiteral("Format numbers with commas"), 240, 240, 6400);
    chkShowNA = checkBox(stats, "chkShowNA",
                         QStringLiteral("Show \"na\" instead of 0 for stats that can not be computed"), 240, 660, 6500);
    label(stats, QStringLiteral("(for example, Sh% when there are 0 Shots on Goal)"), 540, 960, 6000);
    chkShowPlayerSeconds = checkBox(stats, "chkShowPlayerSeconds",
                                    QStringLiteral("Show seconds with minutes on Player Report"), 240, 1380, 6400);
    chkShowGoalieSeconds = checkBox(stats, "chkShowGoalieSeconds",
                                    QStringLiteral("Show seconds with minutes on Goalie Report"), 240, 1800, 6400);
    label(stats, QStringLiteral("Minutes per Game for computing GAA"), 240, 2400, 3600);
    cmbMinutesPerGame = listBox(stats, QStringLiteral("cmbMinutesPerGame"), 3960, 2340, 900);

    // Game Update
    auto* games = new QWidget;
    tabOptions->addTab(games, QStringLiteral("Game Update"));
    label(games, QStringLiteral("Periods to show on the Add Game Entry Screen"), 240, 300, 4300);
    cmbPeriods = listBox(games, QStringLiteral("cmbPeriods"), 4620, 240, 780);
    cmbPeriods->addItems({QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});
    chkEditGoalsFor = checkBox(games, "chkEditGoalsFor",
                               QStringLiteral("Warn when goals scored on Game Screen don't match Player Screen"), 240,
                               900, 7100);
    chkEditGoalsAgainst = checkBox(games, "chkEditGoalsAgainst",
                                   QStringLiteral("Warn when goals against on Game Screen don't match Player Screen"),
                                   240, 1320, 7100);

    // Reports
    auto* reports = new QWidget;
    tabOptions->addTab(reports, QStringLiteral("Reports"));
    auto* fraName = new QGroupBox(QStringLiteral("Display Player Name"), reports);
    fraName->setObjectName(QStringLiteral("fraName"));
    place(fraName, 180, 180, 3240, 2160);
    const QString names[] = {QStringLiteral("First and Last Name"), QStringLiteral("First Initial and Last Name"),
                             QStringLiteral("Just Last Name")};
    for (int i = 0; i < 3; ++i) {
        optFormatName[i] = new QRadioButton(names[i], fraName);
        optFormatName[i]->setObjectName(QStringLiteral("optFormatName_%1").arg(i));
        place(optFormatName[i], 180, 360 + 390 * i, 2940, 300);
    }
    chkShowPlayerNumber = checkBox(fraName, "chkShowPlayerNumber", QStringLiteral("Show Player Number"), 180, 1620,
                                   2940);

    auto* fraPoints = new QGroupBox(QStringLiteral("Standings Points"), reports);
    fraPoints->setObjectName(QStringLiteral("fraPoints"));
    place(fraPoints, 3600, 180, 3720, 2160);
    label(fraPoints, QStringLiteral("Regulation"), 1200, 330, 1100);
    label(fraPoints, QStringLiteral("Overtime"), 2400, 330, 1100);
    const QString rows[] = {QStringLiteral("Win"), QStringLiteral("Loss"), QStringLiteral("Tie")};
    for (int r = 0; r < 3; ++r)
        label(fraPoints, rows[r], 180, 720 + 420 * r, 720);
    const QStringList points = {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                                QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")};
    for (int i = 0; i < 6; ++i) {
        const int column = i / 3;
        const int row = i % 3;
        cmbPoints[i] = listBox(fraPoints, QStringLiteral("cmbPoints_%1").arg(i), 1200 + 1200 * column,
                               660 + 420 * row, 780);
        cmbPoints[i]->addItems(points);
    }

    // General
    auto* general = new QWidget;
    tabOptions->addTab(general, QStringLiteral("General"));
    chkShowFilters = checkBox(general, "chkShowFilters", QStringLiteral("Show Filters on Select Teams Screen"), 240,
                              300, 6000);
    chkShowToolBar = checkBox(general, "chkShowToolBar", QStringLiteral("Show Tool Bar"), 240, 720, 6000);

    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    place(cmdClose, 6360, 4560, 1335, 420);
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
