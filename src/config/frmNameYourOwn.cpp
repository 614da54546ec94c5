#include "config/frmNameYourOwn.h"

#include "config/NameStore.h"
#include "platform/MsgBox.h"
#include "platform/basic/Basic.h"
#include "shell/Controls.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/NameOrder.h"
#include "shell/Procedures.h"
#include "shell/Renumber.h"
#include "shell/Startup.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

namespace vh {

namespace {

// The name boxes select their whole text however they get the focus.
class SelectOnFocus : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::FocusIn)
            if (auto* box = qobject_cast<QLineEdit*>(o))
                QMetaObject::invokeMethod(box, &QLineEdit::selectAll, Qt::QueuedConnection);
        return false;
    }
};

void showDataError(const QString& text)
{
    ShowDataError(text, QStringLiteral("Name Categories and Game Types"), std::current_exception());
}

}  // namespace

frmNameYourOwn::frmNameYourOwn() : Form(FormNo::NameYourOwn)
{
    setObjectName(QStringLiteral("frmNameYourOwn"));
    setWindowTitle(QStringLiteral("Name Categories and GameTypes"));
    setDesignSize(7800, 3960);

    // The heading's dashes take room in a wide font: the name columns and
    // Close sit centred under it, the game types beside it.
    makeLabel(this, QStringLiteral("Label1"), QStringLiteral("------------- Rename Categories -------------"), 120,
              150, 3720, 255, Qt::AlignCenter);
    QLabel* player = makeLabel(this, QStringLiteral("Label2"), QStringLiteral("Non-Goalie"), 840, 540, 1080);
    QLabel* goalie = makeLabel(this, QStringLiteral("Label3"), QStringLiteral("Goalie"), 2280, 540, 1080);
    for (int i = 1; i <= 10; ++i) {
        const bool isPlayer = i <= 5;
        const int row = isPlayer ? i - 1 : i - 6;
        QLineEdit* box = makeTextBox(this, QStringLiteral("txtCat%1").arg(i), 3, isPlayer ? 960 : 2400,
                                     840 + 400 * row, 615, 315);
        box->installEventFilter(new SelectOnFocus(box));
        nameBox(box, (isPlayer ? player : goalie)->text() + QStringLiteral(" %1").arg(row + 1));
        txtCat[size_t(i)] = box;
    }
    cmdClose = makeButton(this, QStringLiteral("cmdClose"), QStringLiteral("Close"), 1440, 3000, 1080);

    QGroupBox* frame = makeFrame(this, QStringLiteral("Frame1"), QStringLiteral("Game Types"), 4080, 120, 3600, 3600);
    lstGameTypes = makeListBox(frame, QStringLiteral("lstGameTypes"), 120, 300, 3360, 2160);
    lstGameTypes->setSortingEnabled(true);
    nameBox(lstGameTypes, QStringLiteral("Game Types"));
    txtGameType = makeTextBox(frame, QStringLiteral("txtGameType"), 25, 120, 2580, 3360, 315);
    nameBox(txtGameType, QStringLiteral("Game Type"));
    selectAllOnTabFocus(txtGameType);
    cmdAdd = makeButton(frame, QStringLiteral("cmdAdd"), QStringLiteral("&Add"), 120, 3060, 1080);
    cmdChange = makeButton(frame, QStringLiteral("cmdChange"), QStringLiteral("&Change"), 1260, 3060, 1080);
    cmdDelete = makeButton(frame, QStringLiteral("cmdDelete"), QStringLiteral("&Delete"), 2400, 3060, 1080);
    cmdOK = makeButton(frame, QStringLiteral("cmdOK"), QStringLiteral("OK"), 1260, 3060, 1080);
    cmdCancel = makeButton(frame, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), 2400, 3060, 1080);
    txtGameType->hide();
    cmdOK->hide();
    cmdCancel->hide();

    for (int i = 1; i < 10; ++i)
        setTabOrder(txtCat[size_t(i)], txtCat[size_t(i + 1)]);
    setTabOrder(txtCat[10], cmdClose);
    setTabOrder(cmdClose, lstGameTypes);
    setTabOrder(lstGameTypes, txtGameType);
    setTabOrder(txtGameType, cmdAdd);
    setTabOrder(cmdAdd, cmdChange);
    setTabOrder(cmdChange, cmdDelete);
    setTabOrder(cmdDelete, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    ButtonKeys::setDefaultButton(this, cmdOK);
    ButtonKeys::setCancelButton(this, cmdClose);
    connect(cmdAdd, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });
    connect(cmdChange, &QPushButton::clicked, this, [this] { cmdChange_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    InstallHelpKey(this, HelpTopic::NameYourOwn);
}

void frmNameYourOwn::Form_Load()
{
    CenterForm(this);
    NextGameTypeNumber_ = 1;
    for (int i = 2; i <= g.NumberGameTypes; ++i) {
        addListEntry(g.GameTypeDescriptions[i].str().trimmed(), g.GameTypeNumbers[i]);
        NextGameTypeNumber_ = std::max(NextGameTypeNumber_, g.GameTypeNumbers[i] + 1);
    }
    for (int i = 1; i <= 5; ++i) {
        txtCat[size_t(i)]->setText(RTrim(g.PlayerNyoAbbrev[i].str()));
        txtCat[size_t(i + 5)]->setText(RTrim(g.GoalieNyoAbbrev[i].str()));
    }
    if (lstGameTypes->count() > 0)
        lstGameTypes->setCurrentRow(0);
    txtCat[1]->setFocus();
}

void frmNameYourOwn::addListEntry(const QString& name, int16_t number)
{
    auto* item = new NameListItem(name, number);
    lstGameTypes->addItem(item);
    lstGameTypes->setCurrentItem(item);
}

int frmNameYourOwn::rowOfNumber(int16_t number) const
{
    for (int r = 0; r < lstGameTypes->count(); ++r)
        if (lstGameTypes->item(r)->data(Qt::UserRole).toInt() == number)
            return r;
    return -1;
}

void frmNameYourOwn::DisableTextCats()
{
    setGameTypeEditing(true);
    txtGameType->setFocus();
}

void frmNameYourOwn::EnableTextCats()
{
    setGameTypeEditing(false);
    txtCat[1]->setFocus();
}

void frmNameYourOwn::setGameTypeEditing(bool editing)
{
    lstGameTypes->setEnabled(!editing);
    for (int i = 1; i <= 10; ++i)
        txtCat[size_t(i)]->setEnabled(!editing);
    cmdAdd->setVisible(!editing);
    cmdChange->setVisible(!editing);
    cmdDelete->setVisible(!editing);
    cmdOK->setVisible(editing);
    cmdCancel->setVisible(editing);
    cmdClose->setEnabled(!editing);
    txtGameType->setVisible(editing);
}

void frmNameYourOwn::cmdAdd_Click()
{
    txtGameType->clear();
    GameTypeMode = QStringLiteral("A");
    DisableTextCats();
}

void frmNameYourOwn::cmdChange_Click()
{
    QListWidgetItem* item = lstGameTypes->currentItem();
    if (!item || !item->isSelected()) {
        MsgBox(QStringLiteral("Must select game type!"), g.MsgStyleWarn, QStringLiteral("Game Type Not Selected"));
        return;
    }
    txtGameType->setText(item->text().trimmed());
    ChangeGameTypeNumber = int16_t(item->data(Qt::UserRole).toInt());
    GameTypeMode = QStringLiteral("C");
    DisableTextCats();
}

void frmNameYourOwn::cmdOK_Click()
{
    const QString name = GameTypeName(txtGameType->text());
    if (name.isEmpty()) {
        MsgBox(QStringLiteral("Game Type can not be blank!"), g.MsgStyleWarn, QStringLiteral("Game Type Invalid"));
        txtGameType->setFocus();
        return;
    }
    try {
        if (GameTypeMode == QLatin1String("A")) {
            const std::optional<int16_t> number = NewGameTypeNumber(Db(), NextGameTypeNumber_);
            if (!number) {
                ShowNoNumberLeft(KeyKind::GameType);
                txtGameType->setFocus();
                return;
            }
            AddGameType(Db(), *number, name);
            addListEntry(name, *number);
            NextGameTypeNumber_ = *number + 1;
        } else {
            RenameGameType(Db(), ChangeGameTypeNumber, name);
            delete lstGameTypes->takeItem(rowOfNumber(ChangeGameTypeNumber));
            addListEntry(name, ChangeGameTypeNumber);
        }
    } catch (...) {
        showDataError(QStringLiteral("The game type could not be saved. Nothing has been changed."));
        return;
    }
    EnableTextCats();
}

void frmNameYourOwn::cmdCancel_Click() { EnableTextCats(); }

void frmNameYourOwn::cmdDelete_Click()
{
    QListWidgetItem* item = lstGameTypes->currentItem();
    if (!item || !item->isSelected()) {
        MsgBox(QStringLiteral("Must select game type!"), g.MsgStyleWarn, QStringLiteral("Game Type Not Selected"));
        return;
    }
    ChangeGameTypeNumber = int16_t(item->data(Qt::UserRole).toInt());
    try {
        const int count = CountGamesOfType(Db(), ChangeGameTypeNumber);
        if (count > 0 && MsgBox(QStringLiteral("Are you sure? ") + Str(count) +
                                    QStringLiteral(" game(s) will have this game type removed!"),
                                g.MsgStyleConfirm, QStringLiteral("Delete Game Type?")) == vbCancel)
            return;
        DeleteGameType(Db(), ChangeGameTypeNumber);
    } catch (...) {
        showDataError(QStringLiteral("The game type could not be deleted. Nothing has been changed."));
        return;
    }
    const int row = rowOfNumber(ChangeGameTypeNumber);
    delete lstGameTypes->takeItem(row);
    if (lstGameTypes->count() > 0)
        lstGameTypes->setCurrentRow(std::min(row, lstGameTypes->count() - 1));
}

void frmNameYourOwn::cmdClose_Click()
{
    std::array<QString, 5> player;
    std::array<QString, 5> goalie;
    for (int i = 1; i <= 5; ++i) {
        player[size_t(i - 1)] = CategoryName(CatKind::Player, i, txtCat[size_t(i)]->text());
        goalie[size_t(i - 1)] = CategoryName(CatKind::Goalie, i, txtCat[size_t(i + 5)]->text());
    }
    try {
        SaveCategoryNames(Db(), player, goalie);
        LoadGameTypes();
    } catch (...) {
        showDataError(QStringLiteral("The category names could not be saved."));
        return;
    }
    for (int i = 1; i <= 5; ++i) {
        g.PlayerNyoAbbrev[i] = player[size_t(i - 1)];
        g.GoalieNyoAbbrev[i] = goalie[size_t(i - 1)];
        g.PlayerCatAbbrev[45 + i] = g.PlayerNyoAbbrev[i];
        g.GoalieCatAbbrev[45 + i] = g.GoalieNyoAbbrev[i];
    }
    unloadForm();
    ShowSelectTeamAgain();
}

}  // namespace vh
