#pragma once
// The window that converts the older version's data files: the user picks the
// folder of the old files (and, when it is not found on its own, the old
// system's settings file), selects teams from the old team list and presses
// Convert; the work itself is ConvertCore's.

#include "datamgmt/ConvertCore.h"
#include "datamgmt/OldDataFiles.h"
#include "shell/Form.h"

#include <QString>
#include <array>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vh {

class DirListBox;
class DriveListBox;

class frmConvert : public Form {
    Q_OBJECT
public:
    frmConvert();

    void Drive1_Change();
    void Dir1_Change();
    void Dir1_LostFocus();
    void cmdConvert_Click();
    void cmdClose_Click();
    void cmdSettingsFile_Click();

    // Opens a folder in Dir1 and runs Dir1_Change, which reloads the list, even
    // when it is the folder shown; false, with nothing changed, when it can't
    // be read.
    bool setDirPath(const QString& folder);
    const QString& oldDataFolder() const { return OldDataFolder; }
    // Reads the settings file at `path` (empty: look on the old drives).
    void GetOldIni(const QString& path = QString());

protected:
    void Form_Load() override;

private:
    void LoadTeams();
    bool AddGameTypes();
    bool NameCategories();
    // False when the conversion must stop.
    bool AddTeam(int oldTeamIndex, int& teamsAdded, int& skipped);

    QLabel* lblTo;
    DriveListBox* Drive1;
    QLabel* Label1;
    DirListBox* Dir1;
    QLabel* lblSettingsFile;
    QLineEdit* txtSettingsFile;
    QPushButton* cmdSettingsFile;
    QLabel* Label5;
    QListWidget* lstTeams;
    QGroupBox* fraGameTypes;
    std::array<QLabel*, OldGameTypeCount> lblGameType{};
    QCheckBox* chkGameTypes;
    QGroupBox* fraNameYourOwn;
    std::array<QLabel*, OldUserCatCount> lblNonGoalie{};
    std::array<QLabel*, OldUserCatCount> lblGoalie{};
    QCheckBox* chkNameCategories;
    QCheckBox* chkPlayerNumbers;
    QPushButton* cmdConvert;
    QPushButton* cmdClose;

    // Window state.
    QString OldDataFolder;  // ends in "/"
    std::vector<OldTeam> oldTeams_;
    std::array<QString, OldGameTypeCount> OldGameTypeNames;
    OldGameTypeMap OldGameTypeMap_{};
};

}  // namespace vh
