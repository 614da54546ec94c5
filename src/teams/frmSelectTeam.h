#pragma once
// The team-selection window: the home child window, loaded for the whole run.
// It lists the teams of the current filter, lets the user select one or
// several, and rebuilds the program-wide team table and the next team and
// filter numbers whenever it fills its list.

#include "shell/Form.h"
#include "shell/Procedures.h"

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace vh {

class frmSelectTeam : public Form {
    Q_OBJECT
public:
    frmSelectTeam();
    // The team list's entries in list order, with their selection.
    std::vector<TeamListEntry> teamListEntries() const;
    // The loaded window's entries; none while it is not loaded.
    static std::vector<TeamListEntry> loadedTeamList();

    // Applies the check box to the show-filters option and the layout.
    void ShowFilters();
    // Selects the filter entry of CurrentFilter; none matching: no change.
    void SelectFilter();

    // Handlers, run by the controls for the user and for code alike.
    void chkShowFilters_Click();
    void cmbFilters_Click();
    void lstSelectTeam_Click();
    void lstSelectTeam_DblClick(QListWidgetItem* item);
    void cmdAddTeam_Click();
    void cmdAddFilter_Click();

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    void LoadFilters();
    void LoadTeamList();
    void CountSelected();
    void SelectCurrentTeam();
    void ShowSelectedCount();
    // Selects a filter entry so that cmbFilters_Click runs exactly once.
    void selectFilterEntry(int index);

    QLabel* lblFilters;
    QComboBox* cmbFilters;
    QPushButton* cmdAddFilter;
    QCheckBox* chkShowFilters;
    QLabel* lblTeamList;
    QListWidget* lstSelectTeam;
    QPushButton* cmdAddTeam;
    QLabel* lblNumberOfTeams;
    QLabel* Label1;
};

}  // namespace vh
