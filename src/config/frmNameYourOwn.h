#pragma once
// Names of the five user-named player and goalie categories, and the list of
// game types. Game-type additions, changes and deletions reach the database
// at once; the names, and the program's game-type table, only on Close.

#include "shell/Form.h"

#include <array>
#include <cstdint>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace vh {

class frmNameYourOwn : public Form {
    Q_OBJECT
public:
    frmNameYourOwn();

    void cmdAdd_Click();
    void cmdChange_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdDelete_Click();
    void cmdClose_Click();

    // Boxes 1 to 5 players, 6 to 10 goalies (index 0 unused).
    std::array<QLineEdit*, 11> txtCat{};
    QListWidget* lstGameTypes = nullptr;
    QLineEdit* txtGameType = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdChange = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdClose = nullptr;

    int nextGameTypeNumber() const { return NextGameTypeNumber_; }

protected:
    void Form_Load() override;

private:
    void DisableTextCats();
    void EnableTextCats();
    void setGameTypeEditing(bool editing);
    void addListEntry(const QString& name, int16_t number);
    int rowOfNumber(int16_t number) const;

    QString GameTypeMode;
    int16_t ChangeGameTypeNumber = 0;
    // May pass the largest key once that is taken; NewGameTypeNumber refuses it.
    int NextGameTypeNumber_ = 1;
};

}  // namespace vh
