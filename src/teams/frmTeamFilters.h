#pragma once
// The filter editor: adds a team filter, changes the current filter's name
// and member teams, or deletes it, as FilterMode ("A", "C" or "D") says when
// the window is opened.

#include "shell/Form.h"

#include <cstdint>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vh {

class frmTeamFilters : public Form {
    Q_OBJECT
public:
    frmTeamFilters();

    void lstTeams_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    QLineEdit* txtFilterName;
    QListWidget* lstTeams;
    QLabel* lblTeamsSelected;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QString mode_;
    int16_t SelectedInList = 0;
};

}  // namespace vh
