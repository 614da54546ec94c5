#pragma once
// The roster report window: a block of lines per player on the current
// team's roster, each part chosen by a box.

#include "reports/TeamReportWindow.h"

namespace vh {

class frmRosterRpt : public TeamReportWindow {
    Q_OBJECT
public:
    frmRosterRpt();

    QCheckBox* chkPlayerNumber = nullptr;
    QCheckBox* chkAddress = nullptr;
    QCheckBox* chkShowPhoneNumbers = nullptr;
    QCheckBox* chkShowEmail = nullptr;
    QCheckBox* chkShowBirthDate = nullptr;
    QCheckBox* chkShowNotes = nullptr;

    void PrintRosterReport() { PrintReport(); }

protected:
    void Form_Load() override;
    void computeReport() override;
    int firstAlignedColumn() const override { return 0; }
};

}  // namespace vh
