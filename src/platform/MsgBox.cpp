#include "platform/MsgBox.h"

#include "platform/ModalRun.h"
#include "platform/basic/Basic.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <QStyle>

namespace vh {

namespace {
MsgBoxHandler& handlerSlot()
{
    static MsgBoxHandler h;
    return h;
}

// The window the box belongs to, so that the window manager keeps it with
// the program and treats it as that window's dialog.
QWidget* ownerWindow()
{
    if (QWidget* w = QApplication::activeModalWidget())
        return w;
    if (QWidget* w = QApplication::activeWindow())
        return w;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && (w->windowType() == Qt::Window || w->windowType() == Qt::Dialog))
            return w;
    return nullptr;
}

// A message box that keeps at least the width of its title. The box sizes
// itself to its layout whenever it lays out again, also after it is on
// screen, so the title's width goes into the layout before it shows.
class TitledMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* e) override
    {
        if (auto* grid = qobject_cast<QGridLayout*>(layout()); grid && !widened_) {
            grid->addItem(new QSpacerItem(TitleBarWidth(windowTitle()), 0, QSizePolicy::Fixed, QSizePolicy::Fixed),
                          grid->rowCount(), 0, 1, grid->columnCount());
            widened_ = true;
        }
        QMessageBox::showEvent(e);
    }

private:
    bool widened_ = false;
};
}  // namespace

int TitleBarWidth(const QString& title)
{
    // Window managers draw titles in a bold font of their own, often larger
    // than the program's: the title font a size up stands in for it.
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    const int bar = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
    // Room for the icon, the close box and the margins around the title.
    return QFontMetrics(font).horizontalAdvance(title) + 4 * bar;
}

QString AppTitle() { return QStringLiteral("Velloran for Hockey"); }

MsgBoxHandler setMsgBoxHandler(MsgBoxHandler handler)
{
    MsgBoxHandler old = std::move(handlerSlot());
    handlerSlot() = std::move(handler);
    return old;
}

namespace {

// A box that comes while the program works (the hourglass shows) is read
// and answered with the arrow; the hourglass is back once it closes.
class ArrowWhileAsking {
public:
    ArrowWhileAsking() : working_(QApplication::overrideCursor() != nullptr)
    {
        if (working_)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowWhileAsking()
    {
        if (working_)
            QApplication::restoreOverrideCursor();
    }
    ArrowWhileAsking(const ArrowWhileAsking&) = delete;
    ArrowWhileAsking& operator=(const ArrowWhileAsking&) = delete;

private:
    bool working_;
};

}  // namespace

int MsgBox(const QString& text, int style, const QString& title)
{
    const QString caption = title.isEmpty() ? AppTitle() : title;
    const ArrowWhileAsking asking;
    if (handlerSlot()) {
        // A scripted answer stands for the box: the windows behind it wait
        // as they would behind the box itself.
        ModalRun run;
        return handlerSlot()({text, style, caption});
    }

    const QString shown = UnifyLineBreaks(text);

    TitledMessageBox box(ownerWindow());
    // A title and the close box, which answers as Esc does; nothing to
    // minimise or maximise.
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    box.setWindowTitle(caption);
    box.setTextFormat(Qt::PlainText);
    box.setText(shown);
    switch (style & 0x70) {
    case vbCritical: box.setIcon(QMessageBox::Critical); break;
    case vbQuestion: box.setIcon(QMessageBox::Question); break;
    case vbExclamation: box.setIcon(QMessageBox::Warning); break;
    case vbInformation: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    struct B {
        QMessageBox::StandardButton button;
        int answer;
    };
    std::vector<B> buttons;
    switch (style & 7) {
    case vbOKCancel: buttons = {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}}; break;
    case vbAbortRetryIgnore:
        buttons = {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}};
        break;
    case vbYesNoCancel:
        buttons = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
        break;
    case vbYesNo: buttons = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}}; break;
    case vbRetryCancel: buttons = {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}}; break;
    default: buttons = {{QMessageBox::Ok, vbOK}}; break;
    }
    for (const B& b : buttons)
        box.addButton(b.button);
    size_t def = 0;
    if ((style & 0x300) == vbDefaultButton2)
        def = 1;
    else if ((style & 0x300) == vbDefaultButton3)
        def = 2;
    def = std::min(def, buttons.size() - 1);
    box.setDefaultButton(buttons[def].button);
    // Esc answers Cancel where there is one, otherwise the last button.
    box.setEscapeButton(buttons.back().button);
    runModal(box);
    const auto clicked = box.standardButton(box.clickedButton());
    for (const B& b : buttons)
        if (b.button == clicked)
            return b.answer;
    return buttons.back().answer;
}

}  // namespace vh
