#include "games/frmPScreen.h"

#include "games/GameWindows.h"
#include "games/frmGameMenu.h"
#include "games/frmGameScreen.h"
#include "platform/MsgBox.h"
#include "platform/basic/Basic.h"
#include "shell/Controls.h"
#include "shell/Frame.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/MenuState.h"
#include "shell/Procedures.h"
#include "shell/TextFormat.h"
#include "teams/frmRoster.h"

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>

namespace vh {

namespace {

// Layout in twips.
constexpr int kRowHeight = 235;
constexpr int kPictureWidth = 500;
constexpr int kNameWidth = 3100;
constexpr int kPeriodLeft[5] = {4680, 5280, 5880, 6480, 7080};
constexpr int kScoreWidth = 480;
constexpr int kBoxesLeft = 4800;
constexpr int kBoxColumnStep = 1620;
constexpr int kBoxesTop = 1440;
constexpr int kBoxRowStep = 390;

const QColor kHighlight(0, 0, 128);

// A ball drawn into a cell-sized picture, on the highlight colour for the
// selected cell.
QPixmap cellPixmap(bool ball, bool highlighted)
{
    QPixmap pm(tw(kPictureWidth), tw(kRowHeight));
    pm.fill(highlighted ? kHighlight : QColor(Qt::white));
    if (ball) {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal d = pm.height() - 4;
        const QRectF r((pm.width() - d) / 2.0, 2, d, d);
        QRadialGradient shade(r.center() - QPointF(d / 5, d / 5), d / 1.4);
        shade.setColorAt(0, Qt::white);
        shade.setColorAt(1, QColor(170, 170, 170));
        p.setBrush(shade);
        p.setPen(QPen(highlighted ? QColor(Qt::white) : QColor(40, 40, 40), 1));
        p.drawEllipse(r);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 40, 40));
        p.drawEllipse(QRectF(r.center().x() - d / 6, r.center().y() - d / 6, d / 3, d / 3));
    }
    return pm;
}

// Picture cells show their picture across the whole cell.
class PictureDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QVariant v = index.data(Qt::DecorationRole);
        if (v.canConvert<QPixmap>() && index.column() < 2) {
            painter->drawPixmap(option.rect, qvariant_cast<QPixmap>(v));
            return;
        }
        QStyledItemDelegate::paint(painter, option, index);
    }
};

QLabel* makeScoreCell(QWidget* parent, const QString& name, int left, int top)
{
    QLabel* l = makeLabel(parent, name, QStringLiteral("0"), left, top, kScoreWidth, 240, Qt::AlignCenter);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return l;
}

bool isEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}  // namespace

frmPScreen::frmPScreen() : Form(FormNo::PScreen)
{
    setObjectName(QStringLiteral("frmPScreen"));
    setWindowTitle(QStringLiteral("Player Entry Screen"));
    setDesignSize(11040, 6480);
    pictures_[size_t(Picture::BallNH)] = cellPixmap(true, false);
    pictures_[size_t(Picture::NoBallNH)] = cellPixmap(false, false);
    pictures_[size_t(Picture::BallHL)] = cellPixmap(true, true);
    pictures_[size_t(Picture::NoBallHL)] = cellPixmap(false, true);
    buildControls();
}

frmPScreen::~frmPScreen()
{
    // Gone without an unload (the frame closing): the editor must not call in.
    if (isLoaded())
        frmRoster::entryScreenRefresh = nullptr;
}

void frmPScreen::buildControls()
{
    // Score board.
    lblGameNumber = makeLabel(this, QStringLiteral("lblGameNumber"), QString(), 120, 120, 1080, 255);
    QFont bold = lblGameNumber->font();
    bold.setBold(true);
    lblGameNumber->setFont(bold);
    const QString periods[5] = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                                QStringLiteral("OT")};
    for (int k = 0; k < 5; ++k) {
        lblPer[size_t(k)] = makeLabel(this, QStringLiteral("lblPer%1").arg(k), periods[k], kPeriodLeft[k], 120,
                                      kScoreWidth, 240, Qt::AlignCenter);
        lblVisitorScore[size_t(k)] = makeScoreCell(this, QStringLiteral("lblVisitorScore%1").arg(k), kPeriodLeft[k], 375);
        lblHomeScore[size_t(k)] = makeScoreCell(this, QStringLiteral("lblHomeScore%1").arg(k), kPeriodLeft[k], 630);
    }
    lblFinal = makeLabel(this, QStringLiteral("lblFinal"), QStringLiteral("Final"), 7800, 120, 600, 240, Qt::AlignCenter);
    lblVisitorTotal = makeScoreCell(this, QStringLiteral("lblVisitorTotal"), 7800, 375);
    lblHomeTotal = makeScoreCell(this, QStringLiteral("lblHomeTotal"), 7800, 630);
    lblVisitorTotal->resize(tw(600), lblVisitorTotal->height());
    lblHomeTotal->resize(tw(600), lblHomeTotal->height());
    lblVisitorTotal->setFont(bold);
    lblHomeTotal->setFont(bold);
    lblVisitorName = makeLabel(this, QStringLiteral("lblVisitorName"), QString(), 1200, 375, 3420, 240);
    lblHomeName = makeLabel(this, QStringLiteral("lblHomeName"), QString(), 1200, 630, 3420, 240);

    // Person grid.
    lblPlayerHeading = makeLabel(this, QStringLiteral("lblPlayerHeading"), QStringLiteral("Player"), 120, 1020, 500,
                                 240, Qt::AlignCenter);
    lblGoalieHeading = makeLabel(this, QStringLiteral("lblGoalieHeading"), QStringLiteral("Goalie"), 620, 1020, 500,
                                 240, Qt::AlignCenter);
    // The role headings stand over columns of 500 twips.
    QFont small = lblPlayerHeading->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    lblPlayerHeading->setFont(small);
    lblGoalieHeading->setFont(small);
    lblNameHeading = makeLabel(this, QStringLiteral("lblNameHeading"), QStringLiteral("Name"), 1180, 1020, 900, 240);
    lblClickTable = makeLabel(this, QStringLiteral("lblClickTable"), QStringLiteral("(Click Table to Select)"), 2160,
                              1020, 2400, 240);
    tblPlayerList = new QTableWidget(this);
    tblPlayerList->setObjectName(QStringLiteral("tblPlayerList"));
    nameBox(tblPlayerList, QStringLiteral("Player Table"));
    tblPlayerList->setColumnCount(3);
    tblPlayerList->horizontalHeader()->hide();
    tblPlayerList->verticalHeader()->hide();
    tblPlayerList->verticalHeader()->setMinimumSectionSize(1);
    tblPlayerList->verticalHeader()->setDefaultSectionSize(tw(kRowHeight));
    tblPlayerList->setSelectionMode(QAbstractItemView::NoSelection);
    tblPlayerList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblPlayerList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tblPlayerList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    tblPlayerList->setItemDelegate(new PictureDelegate(tblPlayerList));
    tblPlayerList->setFocusPolicy(Qt::StrongFocus);
    place(tblPlayerList, 120, 1260, 4440, 4710);
    tblPlayerList->installEventFilter(this);
    lblPlayerCount = makeLabel(this, QStringLiteral("lblPlayerCount"), QStringLiteral("0"), 120, 6030, 500, 240,
                               Qt::AlignCenter);
    lblGoalieCount = makeLabel(this, QStringLiteral("lblGoalieCount"), QStringLiteral("0"), 620, 6030, 500, 240,
                               Qt::AlignCenter);
    // The four cell pictures, kept out of sight; a cell holds one of them.
    const auto picture = [this](const char* name, Picture p) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setPixmap(pictures_[size_t(p)]);
        l->hide();
        return l;
    };
    picBallNH = picture("picBallNH", Picture::BallNH);
    picNoBallNH = picture("picNoBallNH", Picture::NoBallNH);
    picBallHL = picture("picBallHL", Picture::BallHL);
    picNoBallHL = picture("picNoBallHL", Picture::NoBallHL);

    // Category boxes: four columns of eight, in index order.
    lblPlayerName = makeLabel(this, QStringLiteral("lblPlayerName"), QStringLiteral("Player Name"), kBoxesLeft, 1020,
                              3720, 285);
    lblPlayerName->setFont(bold);
    chkPlayed = makeCheckBox(this, QStringLiteral("chkPlayed"), QStringLiteral("Played In Game"), 8760, 1020, 2040, 285);
    chkPlayed->installEventFilter(this);
    for (int k = 0; k < kCategoryBoxCount; ++k) {
        const int left = kBoxesLeft + (k / 8) * kBoxColumnStep;
        const int top = kBoxesTop + (k % 8) * kBoxRowStep;
        lblCat[size_t(k)] = makeLabel(this, QStringLiteral("lblCat%1").arg(k), QStringLiteral("XXX"), left, top, 540,
                                      300);
        QLineEdit* box = makeTextBox(this, QStringLiteral("txtCat%1").arg(k), 0, left + 580, top, 660, 300);
        box->setText(QStringLiteral("0"));
        installNumericKeyFilter(box);
        box->installEventFilter(this);
        txtCat[size_t(k)] = box;
        acceptedText_[size_t(k)] = box->text();
        connect(box, &QLineEdit::textChanged, this, [this, k] { txtCat_Change(k); });
    }
    lblMsg = makeLabel(this, QStringLiteral("lblMsg"), QString(), kBoxesLeft, 4620, 6080, 300);
    lblMsg->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    const auto button = [this](const char* name, const QString& caption, int left, int top, int width) {
        QPushButton* b = makeButton(this, QLatin1String(name), caption, left, top, width, 405);
        b->installEventFilter(this);
        return b;
    };
    // "+ 1" and "- 1" under the boxes they act on; the commands in two rows
    // at the right.
    constexpr int wide = 1480;
    cmdPlus = button("cmdPlus", QStringLiteral("+ 1"), kBoxesLeft, 5100, 900);
    cmdMinus = button("cmdMinus", QStringLiteral("- 1"), kBoxesLeft + 1020, 5100, 900);
    cmdTeam = button("cmdTeam", QStringLiteral("&Team Totals"), 7820, 5100, wide);
    cmdRoster = button("cmdRoster", QStringLiteral("&Roster"), 9420, 5100, wide);
    cmdGameScreen = button("cmdGameScreen", QStringLiteral("&Game Screen"), 6220, 5700, wide);
    cmdOK = button("cmdOK", QStringLiteral("OK"), 7820, 5700, wide);
    cmdCancel = button("cmdCancel", QStringLiteral("Cancel"), 9420, 5700, wide);
    ButtonKeys::setCancelButton(this, cmdCancel);
    InstallHelpKey(this, HelpTopic::PlayerScreen);

    QList<QWidget*> order{tblPlayerList};
    for (QLineEdit* box : txtCat)
        order << box;
    order << chkPlayed << cmdPlus << cmdMinus << cmdTeam << cmdRoster << cmdGameScreen << cmdOK << cmdCancel;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(tblPlayerList, &QTableWidget::cellClicked, this, [this] { tblPlayerList_Click(); });
    connect(chkPlayed, &QCheckBox::toggled, this, &frmPScreen::chkPlayed_Click);
    connect(cmdPlus, &QPushButton::clicked, this, &frmPScreen::cmdPlus_Click);
    connect(cmdMinus, &QPushButton::clicked, this, &frmPScreen::cmdMinus_Click);
    connect(cmdTeam, &QPushButton::clicked, this, &frmPScreen::cmdTeam_Click);
    connect(cmdRoster, &QPushButton::clicked, this, &frmPScreen::cmdRoster_Click);
    connect(cmdGameScreen, &QPushButton::clicked, this, &frmPScreen::cmdGameScreen_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmPScreen::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPScreen::cmdCancel_Click);
}

// ---------------------------------------------------------------- load

void frmPScreen::Form_Load()
{
    for (QLabel* l : lblCat)
        l->setText(QString());
    PersonChanged = false;
    if (g.Frame)
        g.Frame->setToolbarVisible(false);
    ShowHourglass();
    CenterForm(this);
    CurrentRole = QStringLiteral("P");
    ListedCount = 0;
    PreviousRow = 0;
    PreviousCol = 0;
    entry_ = PlayerEntry();

    try {
        entry_ = PlayerEntry(Db(), {g.CurrentTeam, g.GameRec.gameNumber, g.SelectedTeamName});
        const EntryHeader h = entry_.LoadGame(GetLongTeamName(g.CurrentTeam));
        setPlainWindowTitle(this, h.caption);
        UpdatePlayedCounts();
        showHeader(h);
        tblPlayerList->setColumnWidth(0, tw(kPictureWidth));
        tblPlayerList->setColumnWidth(1, tw(kPictureWidth));
        tblPlayerList->setColumnWidth(2, tw(kNameWidth));
        entry_.LoadGameStats();
        RefreshPersonGrid();
    } catch (const RuntimeError& e) {
        loadFailed(e);
        return;
    }
    PersonChanged = false;
    GameChanged = false;

    // The roster editor, opened from here, hands its Close back to us.
    frmRoster::entryScreenRefresh = [self = QPointer<frmPScreen>(this)] {
        if (self)
            self->rosterClosed_ = true;
    };

    showForm();
    if (RowPersonCount != 0) {
        tblPlayerList->setCurrentCell(0, 0);
        tblPlayerList_Click();
        if (QWidget* box = focusWidget())
            FocusWhenShown(box);
    } else {
        g.CurrentPerson = 0;
        enableEntry(false);
        FocusWhenShown(cmdRoster);
    }
    UpdatePlayedCounts();
    SetMenus(g.SelectedTeamCount, QStringLiteral("Update"));
    ShowArrowPointer();
}

void frmPScreen::loadFailed(const RuntimeError& e)
{
    ShowArrowPointer();
    MsgBox(QStringLiteral("The game could not be opened: ") + e.description(), g.MsgStyleWarn,
           QStringLiteral("Game Not Opened"));
    unloadForm();
    Load<frmGameMenu>();
}

void frmPScreen::Form_Unload()
{
    frmRoster::entryScreenRefresh = nullptr;
    entry_ = PlayerEntry();
    RowPerson.clear();
}

void frmPScreen::showHeader(const EntryHeader& h)
{
    lblGameNumber->setText(h.gameNumberText);
    for (size_t k = 0; k < 5; ++k) {
        lblPer[k]->setText(h.periodCaptions[k]);
        lblPer[k]->setVisible(h.periodCaptionVisible[k]);
        for (QLabel* cell : {lblVisitorScore[k], lblHomeScore[k]}) {
            cell->setVisible(h.scoreCellVisible[k]);
            cell->move(tw(h.scoreCellLeft[k]), cell->y());
        }
        lblVisitorScore[k]->setText(h.visitorScores[k]);
        lblHomeScore[k]->setText(h.homeScores[k]);
    }
    for (QLabel* l : {lblFinal, lblVisitorTotal, lblHomeTotal})
        l->move(tw(h.finalLeft), l->y());
    lblVisitorTotal->setText(h.visitorTotal);
    lblHomeTotal->setText(h.homeTotal);
    lblVisitorName->setText(h.visitorName);
    lblHomeName->setText(h.homeName);
}

// ---------------------------------------------------------------- grid

void frmPScreen::RefreshPersonGrid()
{
    const std::vector<PersonRow> rows = entry_.LoadFromRoster();
    tblPlayerList->clearContents();
    tblPlayerList->setRowCount(std::max<int>(1, int(rows.size())));
    RowPerson.clear();
    RowPersonCount = 0;
    for (int r = 0; r < int(rows.size()); ++r) {
        auto* name = new QTableWidgetItem(rows[size_t(r)].name);
        name->setFlags(Qt::ItemIsEnabled);
        tblPlayerList->setItem(r, 2, name);
        RowPerson.push_back(rows[size_t(r)].person);
        ++RowPersonCount;
        SetPlayerBMPs(r, rows[size_t(r)]);
        tblPlayerList->setRowHeight(r, tw(kRowHeight));
        ++ListedCount;
    }
}

void frmPScreen::SetPlayerBMPs(int row, const PersonRow& person)
{
    setCellPicture(row, 0, person.playedAsPlayer ? Picture::BallNH : Picture::NoBallNH);
    setCellPicture(row, 1, person.playedAsGoalie ? Picture::BallNH : Picture::NoBallNH);
}

void frmPScreen::setCellPicture(int row, int col, Picture picture)
{
    QTableWidgetItem* item = tblPlayerList->item(row, col);
    if (!item) {
        item = new QTableWidgetItem();
        item->setFlags(Qt::ItemIsEnabled);
        tblPlayerList->setItem(row, col, item);
    }
    item->setData(Qt::DecorationRole, pictures_[size_t(picture)]);
}

frmPScreen::Picture frmPScreen::cellPicture(int row, int col) const
{
    const QTableWidgetItem* item = tblPlayerList->item(row, col);
    if (!item)
        return Picture::None;
    const QVariant v = item->data(Qt::DecorationRole);
    if (!v.canConvert<QPixmap>())
        return Picture::None;
    // Pictures are told apart by the picture itself, as the hidden picture
    // boxes hold them.
    const qint64 key = qvariant_cast<QPixmap>(v).cacheKey();
    for (Picture p : {Picture::BallNH, Picture::NoBallNH, Picture::BallHL, Picture::NoBallHL})
        if (pictures_[size_t(p)].cacheKey() == key)
            return p;
    return Picture::None;
}

void frmPScreen::selectCell(int row, int col) { tblPlayerList->setCurrentCell(row, col); }

void frmPScreen::tblPlayerList_Click()
{
    TotalsShown = false;
    setHelpLine(QString());
    if (!checkAndStorePerson()) {
        selectCell(PreviousRow, PreviousCol);
        return;
    }
    CurrentCol = tblPlayerList->currentColumn();
    CurrentRow = std::max(0, tblPlayerList->currentRow());
    if (CurrentCol == 0)
        CurrentRole = QStringLiteral("P");
    else if (CurrentCol == 1)
        CurrentRole = QStringLiteral("G");
    else
        CurrentCol = CurrentRole == QLatin1String("P") ? 0 : 1;

    switch (cellPicture(PreviousRow, PreviousCol)) {
    case Picture::BallHL: setCellPicture(PreviousRow, PreviousCol, Picture::BallNH); break;
    case Picture::NoBallHL: setCellPicture(PreviousRow, PreviousCol, Picture::NoBallNH); break;
    default: break;
    }
    switch (cellPicture(CurrentRow, CurrentCol)) {
    case Picture::BallNH: setCellPicture(CurrentRow, CurrentCol, Picture::BallHL); break;
    case Picture::NoBallNH: setCellPicture(CurrentRow, CurrentCol, Picture::NoBallHL); break;
    default: break;
    }
    PreviousRow = CurrentRow;
    PreviousCol = CurrentCol;
    g.CurrentPerson = ListedCount > 0 && CurrentRow < RowPersonCount ? RowPerson[size_t(CurrentRow)] : int16_t(0);

    SwitchingPerson = true;
    ShowCategories();
    SwitchingPerson = false;
    PersonChanged = false;

    cmdRoster->setEnabled(true);
    chkPlayed->setEnabled(true);
    if (!PersonView) {
        PersonView = true;
        cmdTeam->setText(QStringLiteral("&Team Totals"));
        cmdPlus->show();
        cmdMinus->show();
        cmdRoster->show();
        for (QLineEdit* box : txtCat)
            box->setFocusPolicy(Qt::StrongFocus);
    }
    if (!isShown())
        showForm();
    focusFirstVisibleBox();
}

void frmPScreen::tblPlayerList_GotFocus() { setHelpLine(QStringLiteral("Player Table - Click on Table to Select")); }

// ---------------------------------------------------------------- boxes

CatKind frmPScreen::role() const { return CurrentRole == QLatin1String("G") ? CatKind::Goalie : CatKind::Player; }

void frmPScreen::ShowCategories()
{
    lblPlayerName->show();
    tblPlayerList->setCurrentCell(CurrentRow, 2);
    const QTableWidgetItem* cell = tblPlayerList->item(CurrentRow, 2);
    const QString name = Trim(cell ? cell->text() : QString());
    lblPlayerName->setText(role() == CatKind::Goalie ? QStringLiteral("Goalie: ") + name : name);

    const CategoryBoxesView view = entry_.ShowStats(role(), g.CurrentPerson);
    for (size_t k = 0; k < size_t(kCategoryBoxCount); ++k) {
        lblCat[k]->setVisible(view.visible[k]);
        txtCat[k]->setVisible(view.visible[k]);
        if (view.visible[k]) {
            lblCat[k]->setText(view.labels[k]);
            nameBox(txtCat[k], view.labels[k]);
        }
        if (view.texts[k])
            setBoxText(int(k), *view.texts[k]);
    }
    SettingPlayed = true;
    chkPlayed->setChecked(view.played);
    PlayedChecked = view.played;
    SettingPlayed = false;
}

void frmPScreen::setBoxText(int index, const QString& text) { txtCat[size_t(index)]->setText(text); }

BoxTexts frmPScreen::boxTexts() const
{
    BoxTexts texts;
    for (size_t k = 0; k < size_t(kCategoryBoxCount); ++k)
        texts[k] = txtCat[k]->text();
    return texts;
}

void frmPScreen::StoreEnteredStats() { entry_.StoreEnteredStats(role(), g.CurrentPerson, boxTexts()); }

QString frmPScreen::ValidateEntries()
{
    const EntryCheck check = vh::ValidateEntries(role(), boxTexts(), {entry_.game().periods, entry_.game().overtime});
    if (check.ok)
        return check.result();
    ErrorCell = check.focusBox;
    MsgBox(check.message, g.MsgStyleWarn, kEntryErrorTitle);
    if (ErrorCell >= 0 && ErrorCell < kCategoryBoxCount)
        txtCat[size_t(ErrorCell)]->setFocus();
    return check.result();
}

bool frmPScreen::checkAndStorePerson()
{
    if (!PersonChanged)
        return true;
    if (ValidateEntries() != QLatin1String("OK"))
        return false;
    StoreEnteredStats();
    PersonChanged = false;
    return true;
}

void frmPScreen::txtCat_Change(int index)
{
    QLineEdit* box = txtCat[size_t(index)];
    if (ClearingBoxes || SwitchingPerson || TotalsShown) {
        acceptedText_[size_t(index)] = box->text();
        return;
    }
    if (!SteppingBox) {
        // A paste, a drop or an undo can bring in what the keys would not let in.
        const EntryCheck check = CheckBoxText(box->text());
        if (!check.ok) {
            {
                const QSignalBlocker block(box);
                box->setText(acceptedText_[size_t(index)]);
            }
            MsgBox(check.message, g.MsgStyleWarn, kEntryErrorTitle);
            box->setFocus();
            return;
        }
    }
    acceptedText_[size_t(index)] = box->text();
    PersonChanged = true;
    GameChanged = true;
    selectCell(CurrentRow, CurrentCol);
    if (cellPicture(CurrentRow, CurrentCol) != Picture::BallHL)
        setCellPicture(CurrentRow, CurrentCol, Picture::BallHL);
    if (!chkPlayed->isChecked()) {
        PlayedChecked = true;
        SettingPlayed = true;
        chkPlayed->setChecked(true);
        SettingPlayed = false;
        entry_.setPlayed(role(), g.CurrentPerson, true);
        UpdatePlayedCounts();
    }
}

void frmPScreen::txtCat_GotFocus(int index)
{
    CurrentCell = index;
    if (TotalsShown) {
        cmdOK->setFocus();
        return;
    }
    // After the click that brought the focus has placed the cursor.
    QTimer::singleShot(0, txtCat[size_t(index)], [box = QPointer<QLineEdit>(txtCat[size_t(index)])] {
        if (box && box->hasFocus())
            box->setSelection(0, int(RTrim(box->text()).size()));
    });
    if (CurrentRole == QLatin1String("P") || CurrentRole == QLatin1String("G"))
        setHelpLine(CategoryHelpLine(role(), lblCat[size_t(index)]->text()));
}

bool frmPScreen::txtCat_KeyDown(int index, int keyCode)
{
    if (!isEnterKey(keyCode))
        return false;
    int next = index;
    for (int step = 0; step < kCategoryBoxCount; ++step) {
        next = (next + 1) % kCategoryBoxCount;
        if (!txtCat[size_t(next)]->isHidden())
            break;
    }
    txtCat[size_t(next)]->setFocus();
    return true;
}

void frmPScreen::txtCat_LostFocus(int)
{
    if (!TotalsShown)
        setHelpLine(QString());
}

void frmPScreen::focusFirstVisibleBox()
{
    for (QLineEdit* box : txtCat) {
        if (!box->isHidden()) {
            box->setFocus();
            return;
        }
    }
}

void frmPScreen::setHelpLine(const QString& text) { lblMsg->setText(text); }

// ---------------------------------------------------------------- played

void frmPScreen::chkPlayed_Click()
{
    if (SettingPlayed)
        return;
    PersonChanged = true;
    GameChanged = true;
    if (!PlayedChecked) {
        PlayedChecked = true;
        entry_.setPlayed(role(), g.CurrentPerson, true);
        selectCell(CurrentRow, CurrentCol);
        SetPlayerBMP();
        UpdatePlayedCounts();
    } else {
        PlayedChecked = false;
        entry_.setPlayed(role(), g.CurrentPerson, false);
        UpdatePlayedCounts();
        ClearingBoxes = true;
        for (int k = 0; k < kCategoryBoxCount; ++k)
            setBoxText(k, QStringLiteral("0"));
        ClearingBoxes = false;
        selectCell(CurrentRow, CurrentCol);
        SetPlayerBMP();
        if (txtCat[0]->isVisibleTo(this) && txtCat[0]->isEnabled())
            txtCat[0]->setFocus();
    }
}

void frmPScreen::SetPlayerBMP()
{
    if (CurrentRole != QLatin1String("P") && CurrentRole != QLatin1String("G"))
        return;
    const bool played = entry_.played(role(), g.CurrentPerson);
    const int row = tblPlayerList->currentRow();
    const int col = tblPlayerList->currentColumn();
    const Picture shown = cellPicture(row, col);
    if (!played && shown == Picture::BallHL)
        setCellPicture(row, col, Picture::NoBallHL);
    else if (played && shown == Picture::NoBallHL)
        setCellPicture(row, col, Picture::BallHL);
}

void frmPScreen::UpdatePlayedCounts()
{
    const PlayedCounts c = entry_.UpdatePlayedCounts();
    lblPlayerCount->setText(QString::number(c.players));
    lblGoalieCount->setText(QString::number(c.goalies));
}

// ---------------------------------------------------------------- commands

void frmPScreen::stepBox(int delta)
{
    QLineEdit* box = txtCat[size_t(CurrentCell)];
    // Without a box of the layout that had the focus there is nothing to step.
    if (box->isHidden() || !box->isEnabled())
        return;
    if (const std::optional<QString> text = StepBoxValue(box->text(), delta)) {
        SteppingBox = true;
        box->setText(*text);
        SteppingBox = false;
    }
    box->setFocus();
}

void frmPScreen::cmdPlus_Click() { stepBox(1); }
void frmPScreen::cmdMinus_Click() { stepBox(-1); }

bool frmPScreen::warnAndSave(bool save)
{
    for (const EntryMessage& m : entry_.EditGameScreenGoals(g.EditGoalsForOption != 0, g.EditGoalsAgainstOption != 0))
        MsgBox(m.text, g.MsgStyleWarn, m.title);
    if (!save)
        return true;
    try {
        ShowHourglass();
        entry_.SaveGameStats();
        ShowArrowPointer();
    } catch (const RuntimeError& e) {
        ShowArrowPointer();
        MsgBox(SaveFailedMessage(e), g.MsgStyleWarn, kSaveFailedTitle);
        return false;
    }
    return true;
}

void frmPScreen::cmdOK_Click()
{
    if (!checkAndStorePerson()) {
        selectCell(CurrentRow, tblPlayerList->currentColumn());
        return;
    }
    if (!warnAndSave(GameChanged))
        return;
    unloadForm();
    Load<frmGameMenu>();
}

bool frmPScreen::Form_QueryUnload()
{
    if (GameChanged && MsgBox(QStringLiteral("Do you really want to cancel?"), g.MsgStyleYesNo,
                              QStringLiteral("Player Statistics Changed")) != vbYes) {
        if (txtCat[0]->isVisibleTo(this) && txtCat[0]->isEnabled())
            txtCat[0]->setFocus();
        return false;
    }
    return true;
}

void frmPScreen::cmdCancel_Click()
{
    if (!Form_QueryUnload())
        return;
    unloadForm();
    Load<frmGameMenu>();
}

void frmPScreen::cmdGameScreen_Click()
{
    if (GameChanged && MsgBox(QStringLiteral("Save player statistics?"), g.MsgStyleYesNo,
                              QStringLiteral("Player Statistics Changed")) != vbYes) {
        g.GameEditMode = "C";
        unloadForm();
        Load<frmGameScreen>();
        return;
    }
    if (!checkAndStorePerson()) {
        selectCell(CurrentRow, tblPlayerList->currentColumn());
        return;
    }
    if (!warnAndSave(true))
        return;
    g.GameEditMode = "C";
    unloadForm();
    Load<frmGameScreen>();
}

void frmPScreen::cmdRoster_Click()
{
    if (!checkAndStorePerson()) {
        selectCell(PreviousRow, PreviousCol);
        return;
    }
    rosterClosed_ = false;
    {
        frmRoster roster;
        roster.showModal();
    }
    // The frame takes the keyboard back from the closed editor.
    window()->activateWindow();
    if (rosterClosed_)
        AfterRoster();
}

void frmPScreen::AfterRoster()
{
    rosterClosed_ = false;
    CurrentRole = QStringLiteral("P");
    PreviousRow = 0;
    PreviousCol = 0;
    try {
        entry_.LoadGameStats();
        RefreshPersonGrid();
    } catch (const RuntimeError& e) {
        MsgBox(QStringLiteral("The roster could not be read again: ") + e.description(), g.MsgStyleWarn,
               QStringLiteral("Roster Not Read"));
    }
    UpdatePlayedCounts();
    if (RowPersonCount == 0) {
        g.CurrentPerson = 0;
        enableEntry(false);
        cmdRoster->setFocus();
        return;
    }
    enableEntry(true);
    tblPlayerList->setCurrentCell(0, 0);
    tblPlayerList_Click();
}

void frmPScreen::enableEntry(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{tblPlayerList, cmdGameScreen, cmdTeam, cmdOK, cmdPlus, cmdMinus,
                                                      chkPlayed})
        w->setEnabled(enabled);
    for (QLineEdit* box : txtCat)
        box->setEnabled(enabled);
}

void frmPScreen::cmdTeam_Click()
{
    if (!PersonView) {
        for (QLineEdit* box : txtCat)
            box->setFocusPolicy(Qt::StrongFocus);
        tblPlayerList_Click();
        return;
    }
    PersonView = false;
    cmdTeam->setText(QStringLiteral("&Players"));
    cmdPlus->hide();
    cmdMinus->hide();
    cmdRoster->hide();
    if (!checkAndStorePerson()) {
        selectCell(CurrentRow, tblPlayerList->currentColumn());
        cmdTeam->setText(QStringLiteral("&Team Totals"));
        PersonView = true;
        cmdPlus->show();
        cmdMinus->show();
        cmdRoster->show();
        return;
    }
    TotalsShown = true;
    lblPlayerName->setText(QStringLiteral("Team Totals"));
    cmdRoster->setEnabled(false);
    chkPlayed->setEnabled(false);
    for (QLineEdit* box : txtCat) {
        box->setFocusPolicy(Qt::ClickFocus);
        // Reached by its access key, the button leaves the focus in a box.
        if (box->hasFocus())
            cmdOK->setFocus();
    }
    const TeamTotalsView totals = entry_.TeamTotals(role());
    setHelpLine(totals.helpLine);
    for (int k = 0; k < kCategoryBoxCount; ++k)
        setBoxText(k, totals.texts[size_t(k)]);
    PersonChanged = false;
}

// ---------------------------------------------------------------- events

bool frmPScreen::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    for (int k = 0; k < kCategoryBoxCount; ++k) {
        QLineEdit* box = txtCat[size_t(k)];
        if (watched != box)
            continue;
        if (type == QEvent::FocusIn) {
            txtCat_GotFocus(k);
        } else if (type == QEvent::FocusOut) {
            txtCat_LostFocus(k);
        } else if (type == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (txtCat_KeyDown(k, key->key()))
                return true;
            // Four typed digits at most.
            const QString typed = key->text();
            if (!typed.isEmpty() && typed.at(0).isDigit() &&
                box->text().size() - box->selectedText().size() >= 4)
                return true;
        }
        return Form::eventFilter(watched, event);
    }
    if (watched == tblPlayerList) {
        if (type == QEvent::FocusIn) {
            tblPlayerList_GotFocus();
        } else if (type == QEvent::KeyPress) {
            // The keyboard's way to choose the current cell.
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (isEnterKey(key) || key == Qt::Key_Space) {
                tblPlayerList_Click();
                return true;
            }
        }
    } else if (type == QEvent::FocusIn) {
        if (watched == cmdCancel)
            setHelpLine(QStringLiteral("Cancel All Player Results Entered"));
        else if (watched == cmdGameScreen)
            setHelpLine(QStringLiteral("Go To Game Screen"));
        else if (watched == cmdRoster)
            setHelpLine(QStringLiteral("Update Roster"));
        else if (watched == cmdTeam)
            setHelpLine(QStringLiteral(" "));
        else if (watched == chkPlayed)
            setHelpLine(QStringLiteral("Played In Game"));
        else if (watched == cmdOK && !PersonView)
            setHelpLine(QStringLiteral("Save All Player Results Entered"));
    }
    return Form::eventFilter(watched, event);
}

}  // namespace vh
