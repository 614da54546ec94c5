#pragma once
// The record report window: the current team's won-lost record by game type
// with goals, percentage and points, and the boxes that show or hide them.

#include "reports/TeamReportWindow.h"

namespace vh {

class frmRecord : public TeamReportWindow {
    Q_OBJECT
public:
    frmRecord();

    QCheckBox* chkShowGoals = nullptr;
    QCheckBox* chkShowPct = nullptr;
    QCheckBox* chkShowPoints = nullptr;

    void Format() override;
    void PrintRecordReport() { PrintReport(); }

protected:
    void Form_Load() override;
    void computeReport() override;
};

}  // namespace vh
