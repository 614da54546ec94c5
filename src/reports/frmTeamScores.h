#pragma once
// The team scoring report window: the current team's record, goals by
// period, power play and penalty killing.

#include "reports/TeamReportWindow.h"

namespace vh {

class frmTeamScores : public TeamReportWindow {
    Q_OBJECT
public:
    frmTeamScores();

    void Format() override;
    void PrintScoresReport() { PrintReport(); }

protected:
    void Form_Load() override;
    void computeReport() override;
};

}  // namespace vh
