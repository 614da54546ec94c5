#pragma once
// The window that converts the older version's data files: the user picks the
// folder of the old files (and, when it is not found on its own, the old
// system's settings file), selects teams from the old team list and presses
// Convert; the work itself is ConvertCore's.

#include "datamgmt/ConvertCore.h"
#include "datamgmt/OldDataFiles.h"
#include "shell/Form.h"

#include <QString>
#include <QStringList>
#include <array>
#include <map>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vh {

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

    // The folder Dir1 shows; setting it runs Dir1_Change, which reloads the list.
    void setDirPath(const QString& folder);
    QString dirPath() const { return dirPath_; }
    const QString& oldDataFolder() const { return OldDataFolder; }
    // Reads the settings file at `path` (empty: look on the old drives).
    void GetOldIni(const QString& path = QString());

protected:
    void Form_Load() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LoadTeams();
    bool AddGameTypes();
    bool NameCategories();
    // False when the conversion must stop.
    bool AddTeam(int oldTeamIndex, int& teamsAdded, int& skipped);
    void fillDirList();
    int driveIndexOf(const QString& folder) const;

    QLabel* lblTo;
    QComboBox* Drive1;
    QLabel* Label1;
    QListWidget* Dir1;
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
    QStringList drives_;
    std::map<QString, QString> driveFolders_;  // the last folder shown on each drive
    QString dirPath_;
    bool changingDrive_ = false;
};

}  // namespace vh
