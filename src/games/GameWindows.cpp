#include "games/GameWindows.h"

#include "platform/MsgBox.h"
#include "shell/Controls.h"
#include "shell/Form.h"
#include "shell/Globals.h"
#include "shell/Renumber.h"

#include <QLabel>
#include <QListWidget>
#include <QWidget>

namespace vh {

QFont GameListFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(9.75);
    return font;
}

void MakeGameList(QWidget* window, QLabel*& lblGameList, QListWidget*& lstGameMenu, int listHeightTwips)
{
    lblGameList = makeLabel(window, QStringLiteral("lblGameList"), QStringLiteral("Game List"), 120, 120, 3000);
    lstGameMenu = makeListBox(window, QStringLiteral("lstGameMenu"), 120, 375, 9015, listHeightTwips);
    lstGameMenu->setFont(GameListFont());
    nameBoxByLabel(lblGameList, lstGameMenu);
}

bool WriteGames(const RenumberRequest& request)
{
    const RenumberOutcome outcome = RenumberGames(Db(), request);
    if (!outcome.written)
        MsgBox(outcome.message, g.MsgStyleWarn, RenumberOutcome::Title);
    return outcome.written;
}

}  // namespace vh
