#pragma once
// The standings report window: the selected teams ranked by points, with the
// boxes that show or hide goals, streak and percentage.

#include "reports/TeamReportWindow.h"

namespace vh {

class frmStandings : public TeamReportWindow {
    Q_OBJECT
public:
    frmStandings();

    QCheckBox* chkShowGoals = nullptr;
    QCheckBox* chkShowStreak = nullptr;
    QCheckBox* chkShowPct = nullptr;

    void Format() override;
    void PrintStandingsReport() { PrintReport(); }

protected:
    void Form_Load() override;
    void computeReport() override;
};

}  // namespace vh
