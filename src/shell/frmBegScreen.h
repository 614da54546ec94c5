#pragma once
// The About box: the program's artwork, its build number and links to the
// vendor's web site and e-mail. Its OK ends the start-up period, after which
// resizing the frame re-centres the active child window.

#include "shell/Form.h"

class QLabel;
class QPushButton;

namespace vh {

class frmBegScreen : public Form {
    Q_OBJECT
public:
    frmBegScreen();

    void cmdOK_Click();
    void Label1_Click();
    void Label7_Click();

    QLabel* picArtwork = nullptr;
    QLabel* LabelBuild = nullptr;
    QLabel* lblNotice = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label7 = nullptr;
    QPushButton* cmdOK = nullptr;

protected:
    void Form_Load() override;

private:
    void openLink(QLabel* label, const QString& url);
};

}  // namespace vh
