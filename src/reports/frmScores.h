#pragma once
// The game scores report window: the current team's games as two-line box
// scores (long layout) or one line each (short layout).

#include "reports/TeamReportWindow.h"

namespace vh {

class frmScores : public TeamReportWindow {
    Q_OBJECT
public:
    frmScores();

    QCheckBox* chkShowGameType = nullptr;
    QCheckBox* chkShowLocation = nullptr;
    QCheckBox* chkShowNotes = nullptr;
    QCheckBox* chkShowPeriods = nullptr;
    QPushButton* cmdShort = nullptr;
    QPushButton* cmdLong = nullptr;

    void cmdShort_Click();
    void cmdLong_Click();
    void Format() override;
    // The period, overtime and "-" columns of the long layout, by the last
    // computation's games and the periods box.
    void ShowPeriodColumns();
    void PrintScoresReport() { PrintReport(); }
    bool shortLayout() const { return shortLayout_; }

protected:
    void Form_Load() override;
    void computeReport() override;
    int firstAlignedColumn() const override { return 3; }

private:
    void setLayoutBoxesVisible(bool visible);
    bool shortLayout_ = false;
    int maxPeriods_ = 2;
    bool anyOvertime_ = false;
};

}  // namespace vh
