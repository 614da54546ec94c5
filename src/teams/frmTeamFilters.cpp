#include "teams/frmTeamFilters.h"

#include "platform/MsgBox.h"
#include "platform/basic/Basic.h"
#include "shell/Controls.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/MenuState.h"
#include "shell/Procedures.h"
#include "shell/Renumber.h"
#include "teams/TeamStore.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace vh {

frmTeamFilters::frmTeamFilters() : Form(FormNo::TeamFilters)
{
    setObjectName(QStringLiteral("frmTeamFilters"));
    setDesignSize(5415, 4335);

    QLabel* lblFilterName = makeLabel(this, QString(), QStringLiteral("Filter Name:"), 240, 240, 3615);
    txtFilterName = makeTextBox(this, QStringLiteral("txtFilterName"), 50, 240, 480, 3615, 315);
    nameBoxByLabel(lblFilterName, txtFilterName);
    selectAllOnTabFocus(txtFilterName);

    QLabel* lblTeamList = makeLabel(this, QString(), QStringLiteral("Team Selection List"), 240, 915, 3615);
    lstTeams = makeListBox(this, QStringLiteral("lstTeams"), 240, 1155, 3615, 2580);
    lstTeams->setSelectionMode(QAbstractItemView::MultiSelection);
    nameBoxByLabel(lblTeamList, lstTeams);

    lblTeamsSelected = makeLabel(this, QStringLiteral("lblTeamsSelected"), QStringLiteral("Teams Selected: 0"), 240,
                                 3855, 3615);

    cmdOK = makeButton(this, QStringLiteral("cmdOK"), QString(), 4095, 480, 1080, 375);
    cmdCancel = makeButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), 4095, 960, 1080, 375);

    setTabOrder(txtFilterName, lstTeams);
    setTabOrder(lstTeams, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    ButtonKeys::setDefaultButton(this, cmdOK);
    ButtonKeys::setCancelButton(this, cmdCancel);
    connect(lstTeams, &QListWidget::itemSelectionChanged, this, [this] { lstTeams_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    InstallHelpKey(this, HelpTopic::TeamFilters);
}

void frmTeamFilters::Form_Load()
{
    CenterForm(this);
    SelectedInList = 0;
    mode_ = g.FilterMode;
    if (mode_ == QLatin1String("A")) {
        setWindowTitle(QStringLiteral("Add Team Filter"));
        cmdOK->setText(QStringLiteral("&Add"));
    } else if (mode_ == QLatin1String("D")) {
        setWindowTitle(QStringLiteral("Delete Team Filter"));
        cmdOK->setText(QStringLiteral("&Delete"));
        lstTeams->setEnabled(false);
        txtFilterName->setEnabled(false);
    } else {
        setWindowTitle(QStringLiteral("Change Team Filter"));
        cmdOK->setText(QStringLiteral("&Change"));
    }

    std::optional<QString> name;
    std::vector<TeamRow> teams;
    std::set<int16_t> members;
    bool readOk = true;
    try {
        Database& db = Db();
        if (mode_ != QLatin1String("A")) {
            name = ReadFilterName(db, g.CurrentFilter);
            members = FilterMembers(db, g.CurrentFilter);
        }
        teams = ReadTeams(db);
    } catch (...) {
        readOk = false;
        ShowDataError(QStringLiteral("The team filter could not be read."), windowTitle(),
                          std::current_exception());
    }

    txtFilterName->setText(name.value_or(QString()));
    SortByName(teams);
    for (const TeamRow& team : teams) {
        auto* item = new QListWidgetItem(team.longName, lstTeams);
        item->setData(Qt::UserRole, int(team.number));
    }
    for (int i = 0; i < lstTeams->count(); ++i)
        if (members.count(int16_t(lstTeams->item(i)->data(Qt::UserRole).toInt())))
            lstTeams->item(i)->setSelected(true);

    if (!readOk) {
        cmdOK->setEnabled(false);
    } else if (mode_ != QLatin1String("A") && !name) {
        // Nothing to change or delete: only Cancel leads on.
        MsgBox(QStringLiteral("The selected team filter could not be found!"), g.MsgStyleWarn,
               QStringLiteral("Team Filter Not Found"));
        cmdOK->setEnabled(false);
    }
    txtFilterName->setFocus();
}

void frmTeamFilters::Form_Unload() {}

void frmTeamFilters::lstTeams_Click()
{
    SelectedInList = int16_t(lstTeams->selectedItems().size());
    lblTeamsSelected->setText(TeamsSelectedText(SelectedInList));
}

void frmTeamFilters::cmdCancel_Click()
{
    unloadForm();
    ShowSelectTeamAgain();
}

void frmTeamFilters::cmdOK_Click()
{
    const QString name = Trim(txtFilterName->text());
    if (mode_ == QLatin1String("D")) {
        if (MsgBox(QStringLiteral("Are you sure you want to delete this filter?"), g.MsgStyleConfirm,
                   QStringLiteral("Delete Team Filter")) == vbCancel)
            return;
        try {
            DeleteFilter(Db(), g.CurrentFilter);
        } catch (...) {
            ShowDataError(QStringLiteral("The team filter could not be deleted. Nothing has been changed."),
                              windowTitle(), std::current_exception());
            return;
        }
        g.CurrentFilter = 0;
    } else {
        if (name.isEmpty()) {
            MsgBox(QStringLiteral("Filter Name can not be blank!"), g.MsgStyleWarn,
                   QStringLiteral("Invalid Filter Name"));
            txtFilterName->setFocus();
            return;
        }
        if (SelectedInList < 1) {
            MsgBox(QStringLiteral("Must select at least one team!"), g.MsgStyleWarn,
                   QStringLiteral("No Teams Selected"));
            lstTeams->setFocus();
            return;
        }
        std::vector<int16_t> chosen;
        for (int i = 0; i < lstTeams->count(); ++i)
            if (lstTeams->item(i)->isSelected())
                chosen.push_back(int16_t(lstTeams->item(i)->data(Qt::UserRole).toInt()));
        try {
            if (mode_ == QLatin1String("A")) {
                const std::optional<int16_t> number = NewFilterNumber(Db(), g.NextFilterNumber);
                if (!number) {
                    ShowNoNumberLeft(KeyKind::Filter);
                    txtFilterName->setFocus();
                    return;
                }
                AddFilter(Db(), *number, name, chosen);
                g.CurrentFilter = *number;
            } else if (!ChangeFilter(Db(), g.CurrentFilter, name, chosen)) {
                MsgBox(QStringLiteral("The selected team filter could not be found!"), g.MsgStyleWarn,
                       QStringLiteral("Team Filter Not Found"));
                return;
            }
        } catch (...) {
            ShowDataError(QStringLiteral("The team filter could not be saved. Nothing has been changed."),
                              windowTitle(), std::current_exception());
            return;
        }
    }
    unloadForm();
    ReloadSelectTeam();
    SetMenus(g.SelectedTeamCount, QStringLiteral("Select"));
}

}  // namespace vh
