#include "teams/frmSelectTeam.h"

#include "shell/Frame.h"
#include "shell/Controls.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/MenuState.h"
#include "teams/TeamStore.h"
#include "shell/Procedures.h"
#include "teams/frmTeamFilters.h"
#include "teams/frmTeamName.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

namespace vh {

namespace {

// The frame's menu item of that name, when a frame with menus is open.
QAction* frameMenuItem(const char* name)
{
    QWidget* frame = g.Frame ? g.Frame->frameWidget() : nullptr;
    return frame ? frame->findChild<QAction*>(QLatin1String(name)) : nullptr;
}

}  // namespace

frmSelectTeam::frmSelectTeam() : Form(FormNo::SelectTeam)
{
    setObjectName(QStringLiteral("frmSelectTeam"));
    setWindowTitle(QStringLiteral("Select Teams"));
    setDesignSize(4815, 4695);

    lblFilters = makeLabel(this, QStringLiteral("lblFilters"), QStringLiteral("Team Filters"), 360, 240, 2775);
    cmbFilters = makeComboBox(this, QStringLiteral("cmbFilters"), 360, 480, 2775, 315);
    nameBoxByLabel(lblFilters, cmbFilters);
    cmdAddFilter = makeButton(this, QStringLiteral("cmdAddFilter"), QStringLiteral("Add"), 3360, 425, 1080, 375);

    chkShowFilters = makeCheckBox(this, QStringLiteral("chkShowFilters"), QStringLiteral("Show Filters"), 3360, 960,
                                  1215, 255);
    chkShowFilters->setChecked(true);
    // The caption must show whole in whatever font the screen gives.
    chkShowFilters->resize(std::max(chkShowFilters->width(), chkShowFilters->sizeHint().width()),
                           chkShowFilters->height());

    lblTeamList = makeLabel(this, QStringLiteral("lblTeamList"), QStringLiteral("Team List"), 360, 1320, 2775);
    lstSelectTeam = makeListBox(this, QStringLiteral("lstSelectTeam"), 360, 1560, 2775, 1980);
    lstSelectTeam->setSelectionMode(QAbstractItemView::ExtendedSelection);
    nameBoxByLabel(lblTeamList, lstSelectTeam);
    cmdAddTeam = makeButton(this, QStringLiteral("cmdAddTeam"), QStringLiteral("Add"), 3360, 3170, 1080, 375);

    lblNumberOfTeams =
        makeLabel(this, QStringLiteral("lblNumberOfTeams"), QStringLiteral("Number of Teams"), 360, 3600, 2775);
    Label1 = makeLabel(this, QStringLiteral("Label1"), QStringLiteral("Press F1 for Screen Specific Help"), 120, 4080,
                       4575);
    Label1->setStyleSheet(QStringLiteral("color: grey;"));

    setTabOrder(cmbFilters, cmdAddFilter);
    setTabOrder(cmdAddFilter, chkShowFilters);
    setTabOrder(chkShowFilters, lstSelectTeam);
    setTabOrder(lstSelectTeam, cmdAddTeam);

    connect(chkShowFilters, &QCheckBox::toggled, this, [this] { chkShowFilters_Click(); });
    connect(cmbFilters, &QComboBox::currentIndexChanged, this, [this] { cmbFilters_Click(); });
    connect(lstSelectTeam, &QListWidget::itemSelectionChanged, this, [this] { lstSelectTeam_Click(); });
    connect(lstSelectTeam, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { lstSelectTeam_DblClick(item); });
    connect(cmdAddTeam, &QPushButton::clicked, this, [this] { cmdAddTeam_Click(); });
    connect(cmdAddFilter, &QPushButton::clicked, this, [this] { cmdAddFilter_Click(); });

    InstallHelpKey(this, HelpTopic::SelectTeams);
}

std::vector<TeamListEntry> frmSelectTeam::teamListEntries() const
{
    std::vector<TeamListEntry> entries;
    for (int i = 0; i < lstSelectTeam->count(); ++i) {
        const QListWidgetItem* item = lstSelectTeam->item(i);
        entries.push_back({int16_t(item->data(Qt::UserRole).toInt()), item->text(), item->isSelected()});
    }
    return entries;
}

std::vector<TeamListEntry> frmSelectTeam::loadedTeamList()
{
    const frmSelectTeam* f = Loaded<frmSelectTeam>();
    return f ? f->teamListEntries() : std::vector<TeamListEntry>{};
}

void frmSelectTeam::Form_Load()
{
    // The windows that change teams, filters or the whole database rebuild
    // this window through the shell.
    setTeamListReloader([] {
        Unload<frmSelectTeam>();
        Load<frmSelectTeam>();
    });
    CenterForm(this);
    LoadFilters();
    SelectFilter();
    // A filter that is gone (a restored or imported database) would leave an
    // empty list and the filter commands on; fall back to all teams.
    if (cmbFilters->currentIndex() < 0)
        selectFilterEntry(0);
    // Checked in the design: with the option off the state changes and its
    // handler lays the window out without filters.
    chkShowFilters->setChecked(g.ShowFiltersOption == True);
    LoadTeamList();
    SelectCurrentTeam();
    g.GameEditMode = "S";
    SetMenus(g.SelectedTeamCount, QStringLiteral("Select"));
    // The keys (F1, arrows, Enter) reach the team list without a click.
    FocusWhenShown(lstSelectTeam);
}

void frmSelectTeam::Form_Unload() {}

void frmSelectTeam::LoadFilters()
{
    std::vector<FilterRow> filters;
    if (Database* db = OpenDatabaseOrNull()) {
        try {
            filters = ReadFilters(*db);
        } catch (...) {
            ShowDataError(QStringLiteral("The team filters could not be read."), QStringLiteral("Select Teams"),
                              std::current_exception());
        }
    }
    const QSignalBlocker block(cmbFilters);
    cmbFilters->clear();
    cmbFilters->addItem(QStringLiteral("All Teams"), 0);
    for (const FilterRow& f : filters) {
        RaiseNextNumber(g.NextFilterNumber, f.number);
        cmbFilters->addItem(f.name, f.number);
    }
    if (g.NextFilterNumber == 0)
        g.NextFilterNumber = 1;
    // Filled, but no entry chosen yet: SelectFilter chooses.
    cmbFilters->setCurrentIndex(-1);
}

void frmSelectTeam::LoadTeamList()
{
    std::vector<TeamRow> listed;
    if (Database* db = OpenDatabaseOrNull()) {
        try {
            listed = TeamsInFilter(*db, g.CurrentFilter, g.NextTeamNumber);
        } catch (...) {
            ShowDataError(QStringLiteral("The team list could not be read."), QStringLiteral("Select Teams"),
                              std::current_exception());
        }
    }
    if (g.NextTeamNumber == 0)
        g.NextTeamNumber = 1;
    BuildTeamTable(listed);
    SortByName(listed);

    const QSignalBlocker block(lstSelectTeam);
    lstSelectTeam->clear();
    for (const TeamRow& team : listed) {
        auto* item = new QListWidgetItem(team.longName, lstSelectTeam);
        item->setData(Qt::UserRole, int(team.number));
    }
    g.SelectedTeamCount = 0;
    if (lstSelectTeam->count() > 0) {
        lstSelectTeam->setCurrentItem(lstSelectTeam->item(0), QItemSelectionModel::ClearAndSelect);
        g.SelectedTeamCount = 1;
    }
}

void frmSelectTeam::selectFilterEntry(int index)
{
    if (cmbFilters->currentIndex() == index)
        cmbFilters_Click();
    else
        cmbFilters->setCurrentIndex(index);
}

void frmSelectTeam::SelectFilter()
{
    const int index = cmbFilters->findData(int(g.CurrentFilter));
    if (index >= 0)
        selectFilterEntry(index);
}

void frmSelectTeam::ShowFilters()
{
    g.ShowFiltersOption = chkShowFilters->isChecked() ? True : False;
    if (chkShowFilters->isChecked()) {
        lblFilters->setVisible(true);
        cmbFilters->setVisible(true);
        cmdAddFilter->setVisible(true);
        place(lblTeamList, 360, 1320, 2775, 255);
        place(lstSelectTeam, 360, 1560, 2775, 1980);
        place(cmdAddTeam, 3360, 3170, 1080, 375);
        selectFilterEntry(0);
    } else {
        selectFilterEntry(0);
        lblFilters->setVisible(false);
        cmbFilters->setVisible(false);
        cmdAddFilter->setVisible(false);
        place(lblTeamList, 360, 240, 2775, 255);
        place(lstSelectTeam, 360, 480, 2775, 2955);
        place(cmdAddTeam, 3360, 3080, 1080, 375);
    }
    SetMenus(g.SelectedTeamCount, QStringLiteral("Select"));
}

void frmSelectTeam::chkShowFilters_Click() { ShowFilters(); }

void frmSelectTeam::cmbFilters_Click()
{
    g.CurrentFilter = int16_t(cmbFilters->currentData().toInt());
    const bool filterChosen = g.CurrentFilter >= 1;
    for (const char* name : {"mnuChangeFilter", "mnuDeleteFilter"})
        if (QAction* item = frameMenuItem(name))
            item->setEnabled(filterChosen);
    LoadTeamList();
    ShowSelectedCount();
    SetMenus(g.SelectedTeamCount, QStringLiteral("Select"));
}

void frmSelectTeam::CountSelected() { g.SelectedTeamCount = int16_t(lstSelectTeam->selectedItems().size()); }

void frmSelectTeam::ShowSelectedCount() { lblNumberOfTeams->setText(TeamsSelectedText(g.SelectedTeamCount)); }

void frmSelectTeam::lstSelectTeam_Click()
{
    CountSelected();
    SetMenus(g.SelectedTeamCount, QStringLiteral("Select"));
    ShowSelectedCount();
}

void frmSelectTeam::SelectCurrentTeam()
{
    const QSignalBlocker block(lstSelectTeam);
    lstSelectTeam->clearSelection();
    if (lstSelectTeam->count() == 0) {
        g.SelectedTeamCount = 0;
        ShowSelectedCount();
        return;
    }
    // The current team, or the first entry when it is not listed (a filter
    // hides it, or it was deleted): the selection shown is always the one the
    // menus count and the next command takes.
    QListWidgetItem* chosen = lstSelectTeam->item(0);
    if (g.CurrentTeam > 0) {
        for (int i = 0; i < lstSelectTeam->count(); ++i) {
            if (lstSelectTeam->item(i)->data(Qt::UserRole).toInt() == g.CurrentTeam) {
                chosen = lstSelectTeam->item(i);
                break;
            }
        }
    }
    lstSelectTeam->setCurrentItem(chosen, QItemSelectionModel::ClearAndSelect);
    lstSelectTeam->scrollToItem(chosen);
    g.SelectedTeamCount = 1;
    ShowSelectedCount();
}

void frmSelectTeam::lstSelectTeam_DblClick(QListWidgetItem* item)
{
    if (item)
        lstSelectTeam->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
    if (g.Frame)
        g.Frame->mnuUpdateGames_Click();
}

void frmSelectTeam::cmdAddTeam_Click()
{
    SelectCurrentTeam();
    CloseOpenForms();
    g.TeamMode = "A";
    Load<frmTeamName>();
}

void frmSelectTeam::cmdAddFilter_Click()
{
    SelectCurrentTeam();
    CloseOpenForms();
    g.FilterMode = "A";
    Load<frmTeamFilters>();
}

}  // namespace vh
