#include "games/frmGameMenu.h"

#include "games/GameStore.h"
#include "games/GameWindows.h"
#include "games/PlayerScreenLink.h"
#include "games/frmGameScreen.h"
#include "platform/MsgBox.h"
#include "platform/basic/Basic.h"
#include "shell/Controls.h"
#include "shell/Frame.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/MenuState.h"
#include "shell/Procedures.h"
#include "shell/Renumber.h"
#include "shell/TextFormat.h"
#include "teams/frmSelectTeam.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace vh {

frmGameMenu::frmGameMenu() : Form(FormNo::GameMenu)
{
    setObjectName(QStringLiteral("frmGameMenu"));
    setWindowTitle(QStringLiteral("Game Menu"));
    setDesignSize(9255, 5160);

    MakeGameList(this, lblGameList, lstGameMenu, 4080);

    const auto button = [this](const char* name, const char* caption, int left) {
        return makeButton(this, QLatin1String(name), QString::fromLatin1(caption), left, 4620, 1695, 405);
    };
    cmdAddGame = button("cmdAddGame", "&Add Game", 150);
    cmdModify = button("cmdModify", "&Change", 1980);
    cmdDelete = button("cmdDelete", "&Delete", 3810);
    cmdPlayers = button("cmdPlayers", "&Player Screen", 5640);
    cmdClose = button("cmdClose", "Close", 7470);
    ButtonKeys::setDefaultButton(this, cmdModify);
    ButtonKeys::setCancelButton(this, cmdClose);
    InstallHelpKey(this, HelpTopic::GameList);

    connect(cmdAddGame, &QPushButton::clicked, this, &frmGameMenu::cmdAddGame_Click);
    connect(cmdModify, &QPushButton::clicked, this, &frmGameMenu::cmdModify_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmGameMenu::cmdDelete_Click);
    connect(cmdPlayers, &QPushButton::clicked, this, &frmGameMenu::cmdPlayers_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmGameMenu::cmdClose_Click);
    connect(lstGameMenu, &QListWidget::itemDoubleClicked, this, &frmGameMenu::lstGameMenu_DblClick);
}

void frmGameMenu::Form_Load()
{
    g.FormOpen[FormNo::GameMenu] = True;
    if (g.ShowToolBarOption && g.Frame)
        g.Frame->setToolbarVisible(true);
    setPlainWindowTitle(this, QStringLiteral("Game Menu - ") + g.SelectedTeamName);
    CenterForm(this);

    // Each line keeps its game's stored number: an imported or edited team's
    // numbers can have gaps, so a line's position does not name its game.
    lstGameMenu->clear();
    int row = -1;
    for (const GameListEntry& game : ReadGameList(Db(), g.CurrentTeam)) {
        auto* item = new QListWidgetItem(game.line, lstGameMenu);
        item->setData(Qt::UserRole, int(game.gameNumber));
        if (row < 0 && g.ReselectGame != 0 && game.gameNumber >= g.ReselectGame)
            row = lstGameMenu->count() - 1;
    }

    const int lines = lstGameMenu->count();
    if (lines > 0) {
        // The game worked on, or the one now holding its number; else the last.
        lstGameMenu->setCurrentRow(row < 0 ? lines - 1 : row);
        lstGameMenu->scrollToItem(lstGameMenu->currentItem());
    }
    const bool any = lines > 0;
    cmdModify->setEnabled(any);
    cmdDelete->setEnabled(any);
    cmdPlayers->setEnabled(any && PlayerScreenAvailable());
    lstGameMenu->setEnabled(any);
    FocusWhenShown(any ? static_cast<QWidget*>(lstGameMenu) : cmdAddGame);

    SetMenus(g.SelectedTeamCount, QStringLiteral("GameMenu"));
}

void frmGameMenu::Form_Unload() { g.FormOpen[FormNo::GameMenu] = False; }

void frmGameMenu::chooseSelectedGame(const char* mode)
{
    g.NumGames = int16_t(lstGameMenu->count());
    g.GameRec.gameNumber = int16_t(lstGameMenu->currentItem()->data(Qt::UserRole).toInt());
    g.ReselectGame = g.GameRec.gameNumber;
    g.GameEditMode = mode;
}

void frmGameMenu::cmdAddGame_Click()
{
    const std::optional<int16_t> next = NextGameNumber(Db(), g.CurrentTeam);
    if (!next) {
        ShowNoNumberLeft(KeyKind::Game);
        return;
    }
    g.GameRec.gameNumber = *next;
    g.ReselectGame = g.GameRec.gameNumber;
    g.GameEditMode = "A";
    unloadForm();
    Load<frmGameScreen>();
}

void frmGameMenu::cmdModify_Click()
{
    if (lstGameMenu->count() == 0 || lstGameMenu->currentRow() < 0)
        return;
    chooseSelectedGame("C");
    unloadForm();
    Load<frmGameScreen>();
}

void frmGameMenu::lstGameMenu_DblClick() { cmdModify_Click(); }

void frmGameMenu::cmdPlayers_Click()
{
    if (!PlayerScreenAvailable() || lstGameMenu->currentRow() < 0)
        return;
    chooseSelectedGame("C");
    unloadForm();
    ShowPlayerScreen();
}

void frmGameMenu::cmdDelete_Click()
{
    if (lstGameMenu->currentRow() < 0)
        return;
    if (MsgBox(QStringLiteral("Are you sure?  Player results will also be deleted!"), g.MsgStyleConfirm,
               QStringLiteral("Delete Game?")) != vbOK)
        return;
    chooseSelectedGame("D");
    RenumberRequest request;
    request.mode = QStringLiteral("D");
    request.team = g.CurrentTeam;
    request.oldGameNumber = g.OldGameNumber;
    request.infoChanged = g.GameInfoChanged == "Y";
    request.game = g.GameRec;
    WriteGames(request);
    Form_Load();
}

void frmGameMenu::cmdClose_Click()
{
    if (g.ShowToolBarOption && g.Frame)
        g.Frame->setToolbarVisible(true);
    unloadForm();
    Load<frmSelectTeam>();
    SetMenus(g.SelectedTeamCount, QStringLiteral("Select"));
}

}  // namespace vh
