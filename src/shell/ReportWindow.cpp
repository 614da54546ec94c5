#include "shell/ReportWindow.h"

#include "platform/MsgBox.h"
#include "platform/Runtime.h"
#include "platform/basic/Basic.h"
#include "shell/Frame.h"
#include "shell/Globals.h"
#include "shell/MenuState.h"
#include "shell/Procedures.h"
#include "shell/ReportPrinter.h"
#include "shell/WorkTable.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QPointer>
#include <optional>
#include <vector>

namespace vh {

// Switches off the window's controls and every command of the frame for the
// length of a run, and puts back each one's own state afterwards, so that no
// command reaches a report that is half built.
class ReportWindow::CommandHold {
public:
    explicit CommandHold(ReportWindow* window) : window_(window), focus_(window->focusWidget())
    {
        // Switching the window off takes the focus away; it comes back after.
        window_->setEnabled(false);
        if (!g.Frame)
            return;
        QWidget* frame = g.Frame->frameWidget();
        for (QAction* a : frame->findChildren<QAction*>()) {
            if (a->isEnabled()) {
                actions_.emplace_back(a);
                a->setEnabled(false);
            }
        }
        for (QComboBox* box : {g.Frame->fontSizeBox(), g.Frame->fontNameBox()}) {
            if (box && box->isEnabled()) {
                boxes_.emplace_back(box);
                box->setEnabled(false);
            }
        }
    }
    ~CommandHold()
    {
        for (const QPointer<QAction>& a : actions_) {
            if (a)
                a->setEnabled(true);
        }
        for (const QPointer<QComboBox>& b : boxes_) {
            if (b)
                b->setEnabled(true);
        }
        if (!window_)
            return;
        window_->setEnabled(true);
        QWidget* focus = focus_ && focus_->isVisible() && focus_->isEnabled() ? focus_.data()
                                                                              : window_->grid()->view();
        FocusWhenShown(focus);
    }
    CommandHold(const CommandHold&) = delete;
    CommandHold& operator=(const CommandHold&) = delete;

private:
    QPointer<ReportWindow> window_;
    QPointer<QWidget> focus_;
    std::vector<QPointer<QAction>> actions_;
    std::vector<QPointer<QComboBox>> boxes_;
};

ReportWindow::ReportWindow(int formNumber, const QString& workTable, QWidget* parent)
    : Form(formNumber, parent)
{
    grid_ = new ReportGrid(this);
    grid_->model()->setSource(nullptr, workTable);
}

void ReportWindow::setWorkTable(const QString& table) { grid_->model()->setSource(nullptr, table); }

ReportLook ReportWindow::currentLook() const
{
    ReportLook look;
    look.fontName = fontName_;
    look.fontSize = fontSize_;
    look.bold = g.ReportBold == True;
    look.italic = g.ReportItalic == True;
    look.underline = g.ReportUnderline == True;
    look.headingBold = heading_.bold;
    look.headingItalic = heading_.followsItalic && look.italic;
    look.headingUnderline = heading_.followsUnderline && look.underline;
    look.gridLines = g.ReportGridLines == True;
    return look;
}

void ReportWindow::applyLook() { grid_->applyLook(currentLook()); }

void ReportWindow::resetLookFlags()
{
    g.ReportBold = False;
    g.ReportItalic = False;
    g.ReportUnderline = False;
    g.ReportGridLines = True;
}

void ReportWindow::SetFont(const QString& fontName)
{
    if (computing_)
        return;
    fontName_ = fontName;
    if (!fontName.isEmpty())
        applyLook();
}

void ReportWindow::SetFontSize(int16_t size)
{
    if (computing_ || size <= 0)
        return;
    fontSize_ = size;
    applyLook();
    fontSizeChanged();
}

void ReportWindow::toggleLook(int16_t& flag)
{
    if (computing_)
        return;
    flag = flag == True ? False : True;
    applyLook();
}

void ReportWindow::BoldFont() { toggleLook(g.ReportBold); }
void ReportWindow::ItalicFont() { toggleLook(g.ReportItalic); }
void ReportWindow::UnderlineFont() { toggleLook(g.ReportUnderline); }
void ReportWindow::GridLines() { toggleLook(g.ReportGridLines); }

void ReportWindow::alignValues(Qt::Alignment alignment)
{
    if (computing_)
        return;
    grid_->alignColumns(firstAlignedColumn(), alignment);
    alignmentChanged(alignment);
}

Qt::Alignment ReportWindow::valueAlignment() const
{
    const auto& columns = grid_->columns();
    const auto first = size_t(firstAlignedColumn());
    return first < columns.size() ? columns[first].alignment : Qt::AlignLeft;
}

void ReportWindow::showAlignmentOnToolbar() const
{
    if (!g.Frame)
        return;
    const Qt::Alignment a = valueAlignment() & Qt::AlignHorizontal_Mask;
    const char* key = a == Qt::AlignHCenter ? "Center" : a == Qt::AlignRight ? "Right" : "Left";
    if (QAction* button = g.Frame->toolbarButton(QLatin1String(key)))
        button->setChecked(true);
}

void ReportWindow::AlignLeft() { alignValues(Qt::AlignLeft); }
void ReportWindow::AlignCenter() { alignValues(Qt::AlignHCenter); }
void ReportWindow::AlignRight() { alignValues(Qt::AlignRight); }

void ReportWindow::PrintReport()
{
    if (computing_)
        return;
    ReportPrinter(*grid_->model(), grid_->look(), grid_->caption(), printTitle_).preview(this);
}

void ReportWindow::emptyWorkTable()
{
    clearWorkTable(Db(), workTable());
}

void ReportWindow::requery()
{
    grid_->model()->setSource(&Db(), workTable());
    grid_->requery();
}

bool ReportWindow::runComputation(const std::function<void()>& steps, bool emptyFirst)
{
    if (computing_)
        return false;
    computing_ = true;
    QPointer<ReportWindow> self(this);
    bool done = false;
    std::optional<RuntimeError> failure;
    // A failed database step ends the run with a message instead of taking
    // the program down; the grid shows what the table holds.
    const auto guarded = [&failure](const std::function<void()>& step) {
        if (failure)
            return;
        try {
            step();
        } catch (...) {
            failure = describeException(std::current_exception());
        }
    };
    {
        const CommandHold hold(this);
        ShowHourglass();
        guarded([&] {
            if (emptyFirst)
                emptyWorkTable();
        });
        grid_->clearRows();
        // Let the empty grid paint; what the user does meanwhile waits.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (self) {
            guarded([&] {
                steps();
                done = true;
            });
            computing_ = false;
            std::optional<RuntimeError> stepFailure = std::move(failure);
            failure.reset();
            guarded([&] { requery(); });
            if (stepFailure)
                failure = std::move(stepFailure);
        }
        ShowArrowPointer();
    }
    if (failure && self)
        MsgBox(QStringLiteral("The report could not be computed.\r") + failure->details(), g.MsgStyleWarn,
               QStringLiteral("Report Error"));
    return done;
}

void ReportWindow::closeReport()
{
    unloadForm();
    if (Form* select = openForm(FormNo::SelectTeam))
        select->showForm();
    SetMenus(g.SelectedTeamCount, QStringLiteral("Select"));
}

}  // namespace vh
