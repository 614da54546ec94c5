#pragma once
// The report-parameters dialog of every computed report: game range, home
// and away, game types, the current team's games to leave out, and for the
// statistics the number of players and the sort; and the report title.

#include "shell/Form.h"
#include "stats/ComputeParameters.h"

#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace vh {

class frmCompute : public Dialog {
    Q_OBJECT
public:
    explicit frmCompute(ComputeInput input);

    // Runs the dialog: the new parameters on OK, nothing on Cancel.
    static std::optional<ComputeOutput> ask(const ComputeInput& input);
    const std::optional<ComputeOutput>& output() const { return output_; }

    void cmdCompute_Click();
    void cmdCancel_Click();
    void cmdAll_Click();
    void cmdClearGT_Click();
    void cmdClearGameList_Click();
    void lstSpecialSelect_Click();

    QGroupBox* Frame3D1 = nullptr;
    QLabel* lblFromGame = nullptr;
    QLineEdit* txtLowGame = nullptr;
    QLabel* lblToGame = nullptr;
    QLineEdit* txtHighGame = nullptr;
    QGroupBox* fraHomeAway = nullptr;
    QCheckBox* chkHome = nullptr;
    QCheckBox* chkAway = nullptr;
    QGroupBox* Frame3D2 = nullptr;
    QListWidget* lstGameTypes = nullptr;
    QPushButton* cmdClearGT = nullptr;
    QGroupBox* fraSpecialSelect = nullptr;
    QLabel* Label1 = nullptr;
    QListWidget* lstSpecialSelect = nullptr;
    QPushButton* cmdClearGameList = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lblGamesSelected = nullptr;
    QLabel* lblTopXPlayers = nullptr;
    QLineEdit* txtTopXPlayers = nullptr;
    QLabel* lblSort = nullptr;
    QComboBox* cmbSortCat = nullptr;
    QRadioButton* optDesc = nullptr;
    QRadioButton* optAsc = nullptr;
    QLabel* lblReportTitle = nullptr;
    QLineEdit* txtReportTitle = nullptr;
    QPushButton* cmdCompute = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdAll = nullptr;

    // Every way of closing but OK counts as Cancel.
    void done(int result) override;

protected:
    void Form_Load() override;

private:
    void FillGameList();
    void showGamesSelected(int count);
    ComputeInput input_;
    std::optional<ComputeOutput> output_;
    bool UpdatingGameList = false;
};

// The dialog under the project-wide state: its starting values come from
// the report criteria, the kind's sort and ReportTitle; OK writes the chosen
// ones back and returns true; Cancel sets CancelFlag "Y" and changes nothing.
ComputeInput ComputeInputFromState();
// The abbreviations of the open report's kind (goalies for "G", else
// players), category 1 at [0].
std::array<QString, 50> ReportCategoryAbbrev();
void StoreComputeOutput(const ComputeOutput& output);
bool ShowComputeDialog();

}  // namespace vh
