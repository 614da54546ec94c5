#pragma once
// The team editor: adds a team, changes the current team's details or
// deletes the current team with everything stored under it, as TeamMode
// ("A", "C" or "D") says when the window is opened.

#include "shell/Form.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vh {

class frmTeamName : public Form {
    Q_OBJECT
public:
    frmTeamName();

    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    void deleteTeam();
    void saveTeam();
    void finish(const QString& menuMode);

    QLineEdit* txtTeamName;
    QLineEdit* txtShortTeamName;
    QLineEdit* txtContactPerson;
    QLineEdit* txtPhoneNumber;
    QLineEdit* txtEmail;
    QPlainTextEdit* txtNotes;
    QLabel* lblDeleteMsg;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QString mode_;
};

}  // namespace vh
