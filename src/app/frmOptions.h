#pragma once
// The general options: eighteen of the nineteen options on four tabs. Close
// takes every value over; the toolbar and the team-selection window's filter
// box follow at once, the rest is written to the database when the program
// ends.

#include "shell/Form.h"

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace vh {

class frmOptions : public Form {
    Q_OBJECT
public:
    frmOptions();

    void cmdClose_Click();

    QTabWidget* tabOptions = nullptr;
    // Statistics
    QCheckBox* chkShowCommas = nullptr;
    QCheckBox* chkShowNA = nullptr;
    QCheckBox* chkShowPlayerSeconds = nullptr;
    QCheckBox* chkShowGoalieSeconds = nullptr;
    QComboBox* cmbMinutesPerGame = nullptr;
    // Game Update
    QComboBox* cmbPeriods = nullptr;
    QCheckBox* chkEditGoalsFor = nullptr;
    QCheckBox* chkEditGoalsAgainst = nullptr;
    // Reports
    std::array<QRadioButton*, 3> optFormatName{};
    QCheckBox* chkShowPlayerNumber = nullptr;
    // Regulation win, loss, tie, then overtime win, loss, tie.
    std::array<QComboBox*, 6> cmbPoints{};
    // General
    QCheckBox* chkShowFilters = nullptr;
    QCheckBox* chkShowToolBar = nullptr;

    QPushButton* cmdClose = nullptr;

protected:
    void Form_Load() override;

private:
    int16_t loadedShowFilters_ = 0;
    int16_t loadedShowToolBar_ = 0;
};

}  // namespace vh
