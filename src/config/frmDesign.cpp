#include "config/frmDesign.h"

#include "platform/ModalRun.h"
#include "platform/MsgBox.h"
#include "shell/Controls.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/Procedures.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

namespace vh {

namespace {

const QString kCellMime = QStringLiteral("application/x-velloran-design-cell");

// One cell of either area: pressing the mouse on it drags it, and a dragged
// cell released over it is dropped there.
class DesignCell : public QLabel {
public:
    DesignCell(QWidget* parent, std::function<void(QLabel*)> dropped) : QLabel(parent), dropped_(std::move(dropped))
    {
        setAcceptDrops(true);
        setFrameShape(QFrame::Box);
        setTextFormat(Qt::PlainText);  // the user names categories 46 to 50
        setAlignment(Qt::AlignCenter);
        setAutoFillBackground(true);
        setBackgroundRole(QPalette::Base);
    }

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        if (e->button() != Qt::LeftButton)
            return;
        auto* drag = new QDrag(this);
        auto* mime = new QMimeData;
        mime->setData(kCellMime, QByteArray::number(quintptr(this)));
        drag->setMimeData(mime);
        drag->setPixmap(grab());
        drag->setHotSpot(e->position().toPoint());
        ModalRun run;
        drag->exec(Qt::MoveAction);
    }
    void dragEnterEvent(QDragEnterEvent* e) override
    {
        if (e->mimeData()->hasFormat(kCellMime))
            e->acceptProposedAction();
    }
    void dropEvent(QDropEvent* e) override
    {
        // Only a cell of this window is ever dropped: the source is looked up
        // among the window's own cells.
        const quintptr id = e->mimeData()->data(kCellMime).toULongLong();
        for (QLabel* cell : parentWidget()->parentWidget()->findChildren<QLabel*>())
            if (quintptr(cell) == id) {
                e->acceptProposedAction();
                dropped_(cell);
                return;
            }
    }

private:
    std::function<void(QLabel*)> dropped_;
};

QGroupBox* cellFrame(QWidget* parent, const QString& name, const QString& caption, int left,
                     std::array<QLabel*, 32>& labels, const QString& cellName,
                     const std::function<void(int, QLabel*)>& dropped)
{
    QGroupBox* frame = makeFrame(parent, name, caption, left, 480, 3135, 3240);
    for (int k = 0; k < 32; ++k) {
        auto* cell = new DesignCell(frame, [dropped, k](QLabel* source) { dropped(k, source); });
        cell->setObjectName(QStringLiteral("%1%2").arg(cellName).arg(k));
        place(cell, 240 + 720 * (k / 8), 360 + 360 * (k % 8), 495, 255);
        // Three letters of the widest kind fit whole, in whatever font the
        // system gives the cells; the gap to the next column takes the rest.
        const QFontMetrics metrics(cell->font());
        const int room = 2 * cell->frameWidth() + 2;
        cell->resize(std::max(cell->width(), metrics.horizontalAdvance(QStringLiteral("WWW")) + room),
                     std::max(cell->height(), metrics.height() + room));
        labels[size_t(k)] = cell;
    }
    return frame;
}

}  // namespace

frmDesign::frmDesign() : Form(FormNo::Design)
{
    setObjectName(QStringLiteral("frmDesign"));
    setWindowTitle(QStringLiteral("Design Your Own Input Screen - Drag and Drop"));
    setDesignSize(7080, 5520);

    makeLabel(this, QStringLiteral("lblInstruction"), QStringLiteral("Drag and Drop a category to any open cell"), 240,
              150, 6600);
    cellFrame(this, QStringLiteral("fraAvail"), QStringLiteral("Not on Input Screen"), 240, lblAvail,
              QStringLiteral("lblAvail"), [this](int k, QLabel* s) { lblAvail_DragDrop(k, s); });
    fraInput = cellFrame(this, QStringLiteral("fraInput"), QString(), 3705, lblInput, QStringLiteral("lblInput"),
                         [this](int k, QLabel* s) { lblInput_DragDrop(k, s); });

    QGroupBox* fraPG = makeFrame(this, QStringLiteral("fraPG"), QString(), 240, 3840, 1800, 960);
    optPG[0] = makeOption(fraPG, QStringLiteral("optPG0"), QStringLiteral("&Non-Goalie"), 120, 200, 1560);
    optPG[1] = makeOption(fraPG, QStringLiteral("optPG1"), QStringLiteral("&Goalie"), 120, 560, 1560);
    const char* const steps[] = {"Click and hold on category", "Drag to empty cell (on right or left)",
                                 "Release mouse button"};
    for (int i = 0; i < 3; ++i)
        makeLabel(this, QStringLiteral("lblStep%1").arg(i + 1), QLatin1String(steps[i]), 2280, 3900 + 300 * i, 4560);

    cmdDefault = makeButton(this, QStringLiteral("cmdDefault"), QStringLiteral("&Default"), 240, 4980, 1080);
    cmdClear = makeButton(this, QStringLiteral("cmdClear"), QStringLiteral("&Clear"), 1440, 4980, 1080);
    cmdOK = makeButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), 4560, 4980, 1080);
    cmdCancel = makeButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), 5760, 4980, 1080);

    setTabOrder(optPG[0], optPG[1]);
    setTabOrder(optPG[1], cmdDefault);
    setTabOrder(cmdDefault, cmdClear);
    setTabOrder(cmdClear, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    connect(optPG[0], &QRadioButton::toggled, this, [this](bool on) { if (on) optPG_Click(0); });
    connect(optPG[1], &QRadioButton::toggled, this, [this](bool on) { if (on) optPG_Click(1); });
    connect(cmdDefault, &QPushButton::clicked, this, [this] { cmdDefault_Click(); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    InstallHelpKey(this, HelpTopic::DesignInput);
}

void frmDesign::Form_Load()
{
    CenterForm(this);
    for (CatKind kind : {CatKind::Player, CatKind::Goalie}) {
        const OneBased<int16_t>& order = kind == CatKind::Player ? g.PlayerInputOrder : g.GoalieInputOrder;
        CellRow row{};
        for (int i = 1; i <= 32 && i <= order.size(); ++i)
            row[size_t(i - 1)] = order[i];
        cells_[size_t(kind)] = BuildLayoutCells(kind, row);
    }
    optPG[0]->setChecked(true);
    optPG_Click(0);
    optPG[0]->setFocus();
}

void frmDesign::optPG_Click(int index)
{
    kind_ = index == 1 ? CatKind::Goalie : CatKind::Player;
    fraInput->setTitle(index == 1 ? QStringLiteral("Goalie Input Screen Format")
                                  : QStringLiteral("Non-Goalie Input Screen Format"));
    showCells();
}

void frmDesign::showCells()
{
    const OneBased<FixedString<3>>& abbrev = kind_ == CatKind::Player ? g.PlayerCatAbbrev : g.GoalieCatAbbrev;
    const LayoutCells& c = cells_[size_t(kind_)];
    auto text = [&abbrev](int16_t number) {
        return number >= 1 && number <= abbrev.size() ? abbrev[number].str().trimmed() : QString();
    };
    for (int k = 0; k < 32; ++k) {
        lblAvail[size_t(k)]->setText(text(c.avail[size_t(k)]));
        lblInput[size_t(k)]->setText(text(c.input[size_t(k)]));
    }
}

void frmDesign::lblAvail_DragDrop(int index, QLabel* source) { dropOn(CellArea::Avail, index, source); }
void frmDesign::lblInput_DragDrop(int index, QLabel* source) { dropOn(CellArea::Input, index, source); }

void frmDesign::dropOn(CellArea target, int index, QLabel* source)
{
    for (CellArea area : {CellArea::Avail, CellArea::Input}) {
        const std::array<QLabel*, 32>& labels = area == CellArea::Avail ? lblAvail : lblInput;
        for (int k = 0; k < 32; ++k) {
            if (labels[size_t(k)] != source)
                continue;
            if (DropCell(cells_[size_t(kind_)], target, index, area, k) == DropOutcome::TargetNotEmpty)
                MsgBox(QStringLiteral("Cell already contains category!"), g.MsgStyleWarn,
                       QStringLiteral("Cell Not Empty"));
            showCells();
            return;
        }
    }
}

void frmDesign::cmdClear_Click()
{
    ClearLayoutCells(cells_[size_t(kind_)], kind_);
    showCells();
}

void frmDesign::cmdDefault_Click()
{
    DefaultLayoutCells(cells_[size_t(kind_)], kind_);
    showCells();
}

void frmDesign::cmdOK_Click()
{
    const LayoutCells& player = cells_[size_t(CatKind::Player)];
    const LayoutCells& goalie = cells_[size_t(CatKind::Goalie)];
    if (LayoutIsEmpty(player.input)) {
        MsgBox(QStringLiteral("Must select at least one non-goalie category!"), g.MsgStyleWarn,
               QStringLiteral("No Non-Goalie Categories Selected"));
        return;
    }
    if (LayoutIsEmpty(goalie.input)) {
        MsgBox(QStringLiteral("Must select at least one goalie category!"), g.MsgStyleWarn,
               QStringLiteral("No Goalie Categories Selected"));
        return;
    }
    try {
        StoreLayouts(Db(), player, goalie);
    } catch (...) {
        ShowDataError(QStringLiteral("The input screen could not be saved. Nothing has been changed."),
                          QStringLiteral("Design Input Screen"), std::current_exception());
        return;
    }
    for (CatKind kind : {CatKind::Player, CatKind::Goalie}) {
        const LayoutCells& c = cells_[size_t(kind)];
        if (!c.changed)
            continue;
        OneBased<int16_t>& order = kind == CatKind::Player ? g.PlayerInputOrder : g.GoalieInputOrder;
        order.redim(32, 0);
        for (int i = 1; i <= 32; ++i)
            order[i] = c.input[size_t(i - 1)];
    }
    finish();
}

void frmDesign::cmdCancel_Click() { finish(); }

void frmDesign::finish()
{
    unloadForm();
    ShowSelectTeamAgain();
}

}  // namespace vh
