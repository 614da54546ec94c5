#include "games/frmImportGame.h"

#include "games/GameStore.h"
#include "games/GameWindows.h"
#include "platform/basic/Basic.h"
#include "shell/Controls.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/TextFormat.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace vh {

frmImportGame::frmImportGame()
{
    setObjectName(QStringLiteral("frmImportGame"));
    setWindowTitle(QStringLiteral("Import Game Information"));
    setDesignSize(9255, 4860);

    MakeGameList(this, lblGameList, lstGameMenu, 3600);

    chkGameComment = makeCheckBox(this, QStringLiteral("chkGameComment"), QStringLiteral("Import Game Notes"), 150,
                                  4155, 2700, 315);

    cmdOK = makeButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), 5760, 4095, 1575, 405);
    // The dialog's OK shows as the button Enter presses.
    cmdOK->setAutoDefault(true);
    cmdCancel = makeButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), 7530, 4095, 1575, 405);
    ButtonKeys::setDefaultButton(this, cmdOK);
    ButtonKeys::setCancelButton(this, cmdCancel);
    InstallHelpKey(this, HelpTopic::ImportGame);

    connect(cmdOK, &QPushButton::clicked, this, &frmImportGame::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmImportGame::cmdCancel_Click);
}

void frmImportGame::Form_Load()
{
    g.CancelFlag = "N";
    chosen_ = false;
    setPlainWindowTitle(this,
                        QStringLiteral("Import Game Information - ") + RTrim(GetLongTeamName(g.ImportOpponentTeam)));

    lstGameMenu->clear();
    for (const GameListEntry& game : ReadGameList(Db(), g.ImportOpponentTeam)) {
        auto* item = new QListWidgetItem(game.line, lstGameMenu);
        item->setData(Qt::UserRole, int(game.gameNumber));
    }

    const bool any = lstGameMenu->count() > 0;
    if (any)
        lstGameMenu->setCurrentRow(lstGameMenu->count() - 1);
    cmdOK->setEnabled(any);
    lstGameMenu->setEnabled(any);
    chkGameComment->setEnabled(any);
}

void frmImportGame::cmdOK_Click()
{
    QListWidgetItem* item = lstGameMenu->currentItem();
    if (!item)
        return;
    g.ImportGameNumber = int16_t(item->data(Qt::UserRole).toInt());
    g.ImportNotes = chkGameComment->isChecked() ? "Y" : "N";
    chosen_ = true;
    accept();
}

void frmImportGame::cmdCancel_Click()
{
    g.CancelFlag = "Y";
    reject();
}

void frmImportGame::done(int result)
{
    if (!chosen_)
        g.CancelFlag = "Y";
    QDialog::done(chosen_ ? QDialog::Accepted : result);
}

}  // namespace vh
