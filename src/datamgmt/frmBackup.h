#pragma once
// The back-up, restore and transfer dialog: backs the database up into a
// chosen folder, restores it from one, exports the selected teams into a team
// transfer file or imports the teams of one, as BackupMode ("B", "R", "E" or
// "I") says when the window is opened.

#include "shell/Form.h"

#include <array>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vh {

class DirListBox;
class DriveListBox;
class FileListBox;

class frmBackup : public Form {
    Q_OBJECT
public:
    frmBackup();

    void cmdOK_Click();
    void cmdCancel_Click();
    void Drive1_Change();
    void Drive1_LostFocus();
    void Dir1_Change();
    void Dir1_LostFocus();
    void File1_PathChange();
    void ExportTeamDatabase();
    void ImportTeamDatabase();

protected:
    void Form_Load() override;

private:
    void applyMode();
    void backUpOrRestore();
    // Back to the team-selection window; `rebuild` loads it again so that it
    // lists the teams as the database now holds them.
    void finish(bool rebuild);

    QLabel* lblFrom;
    QLabel* lblPathDesc;
    QLabel* lblDatabase;
    QListWidget* lstDatabase;
    FileListBox* File1;
    QLineEdit* txtFileName;
    QLabel* lblTeamsToExport;
    std::array<QLabel*, 11> lblExportTeam{};
    QLabel* lblTo;
    DriveListBox* Drive1;
    QLabel* Label1;
    DirListBox* Dir1;
    QLabel* lblMessage;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QString mode_;
};

}  // namespace vh
