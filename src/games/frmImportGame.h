#pragma once
// Picking the opponent team's stored game whose copy fills the game header
// screen.

#include "shell/Form.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace vh {

class frmImportGame : public Dialog {
    Q_OBJECT
public:
    frmImportGame();

    void cmdOK_Click();
    void cmdCancel_Click();

    QLabel* lblGameList = nullptr;
    QListWidget* lstGameMenu = nullptr;
    QCheckBox* chkGameComment = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    // Every way of closing but OK counts as Cancel.
    void done(int result) override;

protected:
    void Form_Load() override;

private:
    bool chosen_ = false;
};

}  // namespace vh
