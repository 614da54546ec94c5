#pragma once
// The current team's games, one line each in game-number order; the way to
// add, change and delete games.

#include "shell/Form.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace vh {

class frmGameMenu : public Form {
    Q_OBJECT
public:
    frmGameMenu();

    void cmdAddGame_Click();
    void cmdModify_Click();
    void cmdDelete_Click();
    void cmdPlayers_Click();
    void cmdClose_Click();
    void lstGameMenu_DblClick();

    QListWidget* lstGameMenu = nullptr;
    QLabel* lblGameList = nullptr;
    QPushButton* cmdAddGame = nullptr;
    QPushButton* cmdModify = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdPlayers = nullptr;
    QPushButton* cmdClose = nullptr;

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    // Sets the game the next screen or the delete works on.
    void chooseSelectedGame(const char* mode);
};

}  // namespace vh
