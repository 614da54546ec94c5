#include "shell/Form.h"

#include "platform/ModalRun.h"
#include "platform/MsgBox.h"
#include "shell/AccessGate.h"
#include "shell/Frame.h"
#include "shell/Globals.h"
#include "shell/Procedures.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

namespace vh {

void place(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(tw(left), tw(top), tw(width), tw(height));
}

namespace {

// While a popup is open (a drop-down's list), Enter and Esc are its own: they
// choose or close the list and reach no window's default or cancel button.
class PopupKeepsItsKeys : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::ShortcutOverride && QApplication::activePopupWidget()) {
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)
                e->accept();
        }
        return false;
    }
};

// While a child window has the focus, Alt and a letter press its own button
// of that access key, before any menu of the frame with the same key and
// before the focused box can take the letter.
class FormsKeepTheirAccessKeys : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if ((e->type() != QEvent::ShortcutOverride && e->type() != QEvent::KeyPress) ||
            o != QApplication::focusWidget() || QApplication::activePopupWidget())
            return false;
        auto* key = static_cast<QKeyEvent*>(e);
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier)
            return false;
        QAbstractButton* button = accessKeyButton(static_cast<QWidget*>(o), key->key());
        if (!button)
            return false;
        if (e->type() == QEvent::ShortcutOverride)
            e->accept();  // a key press of the window's, not a shortcut
        else if (keyMayAct(button))
            pressByKey(button);
        return true;
    }

private:
    static QAbstractButton* accessKeyButton(QWidget* focus, int key)
    {
        const Form* form = nullptr;
        for (QWidget* w = focus; w && !form; w = w->parentWidget())
            form = qobject_cast<const Form*>(w);
        if (!form)
            return nullptr;
        const QKeySequence pressed(QKeyCombination(Qt::AltModifier, Qt::Key(key)));
        for (QAbstractButton* b : form->findChildren<QAbstractButton*>()) {
            if (b->isVisible() && b->isEnabled() && QKeySequence::mnemonic(b->text()) == pressed)
                return b;
        }
        return nullptr;
    }
};

void bindKey(QWidget* window, QAbstractButton* button, const QList<QKeySequence>& keys)
{
    static const bool popupKeys = (qApp->installEventFilter(new PopupKeepsItsKeys(qApp)), true);
    (void)popupKeys;
    for (const QKeySequence& k : keys) {
        auto* sc = new QShortcut(k, window);
        sc->setContext(Qt::WidgetWithChildrenShortcut);
        // The gate has let the key through to the window; the button is
        // asked whether it may act.
        QObject::connect(sc, &QShortcut::activated, button, [button] { pressByKey(button); });
    }
}

// Filters for the text boxes' keyboard conventions.
class TabSelectFilter : public QObject {
public:
    TabSelectFilter(QObject* parent, bool anyReason) : QObject(parent), anyReason_(anyReason) {}
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::FocusIn) {
            auto* fe = static_cast<QFocusEvent*>(e);
            if (anyReason_ || fe->reason() == Qt::TabFocusReason || fe->reason() == Qt::BacktabFocusReason) {
                if (auto* box = qobject_cast<QLineEdit*>(o))
                    QMetaObject::invokeMethod(box, &QLineEdit::selectAll, Qt::QueuedConnection);
            }
        }
        return false;
    }

private:
    bool anyReason_;
};

class NumericFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke->key() == Qt::Key_Backspace || ke->key() == Qt::Key_Delete)
            return false;
        const QString t = ke->text();
        if (t.isEmpty() || !t.at(0).isPrint() || (ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;  // navigation and editing keys, Tab, Enter and Esc
        for (QChar c : t) {
            int16_t code = int16_t(c.unicode() < 0x8000 ? c.unicode() : 0);
            NumericKeyFilter(code);
            if (code == 0)
                return true;  // swallowed
        }
        return false;
    }
};

Dialog::ModalHook& modalHook()
{
    static Dialog::ModalHook h;
    return h;
}

}  // namespace

void ButtonKeys::setDefaultButton(QWidget* window, QAbstractButton* button)
{
    if (auto* push = qobject_cast<QPushButton*>(button))
        push->setDefault(true);
    bindKey(window, button, {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
}

void ButtonKeys::setCancelButton(QWidget* window, QAbstractButton* button)
{
    bindKey(window, button, {QKeySequence(Qt::Key_Escape)});
    if (auto* dialog = qobject_cast<Dialog*>(window))
        dialog->cancelButton_ = button;
}

void setPlainWindowTitle(QWidget* window, const QString& title)
{
    const QString shown = QString(title).replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
    window->setWindowTitle(shown);
    if (auto* form = qobject_cast<Form*>(window); form && form->subWindow())
        form->subWindow()->setWindowTitle(shown);
}

void FocusWhenShown(QWidget* control)
{
    control->setFocus();
    QTimer::singleShot(0, control, [control = QPointer<QWidget>(control)] {
        if (control && control->isEnabled())
            control->setFocus();
    });
}

void selectAllOnTabFocus(QLineEdit* box) { box->installEventFilter(new TabSelectFilter(box, false)); }
void selectAllOnFocus(QLineEdit* box) { box->installEventFilter(new TabSelectFilter(box, true)); }
void installNumericKeyFilter(QLineEdit* box) { box->installEventFilter(new NumericFilter(box)); }

// ---------------------------------------------------------------- Form

Form::Form(int formNumber, QWidget* parent) : QWidget(parent), formNumber_(formNumber)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    installAccessGate();
    static const bool accessKeys = (qApp->installEventFilter(new FormsKeepTheirAccessKeys(qApp)), true);
    (void)accessKeys;
}

Form::~Form()
{
    if (clearSlot_)
        clearSlot_();
}

QWidget* Form::outerWidget() const { return sub_ ? static_cast<QWidget*>(sub_.data()) : const_cast<Form*>(this); }

void Form::setDesignSize(int widthTwips, int heightTwips) { setFixedSize(tw(widthTwips), tw(heightTwips)); }

void Form::loadForm()
{
    if (loaded_)
        return;
    QMdiArea* area = g.Frame ? g.Frame->mdiArea() : nullptr;
    if (area) {
        sub_ = area->addSubWindow(this, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        sub_->setAttribute(Qt::WA_DeleteOnClose, false);
        sub_->setOption(QMdiSubWindow::RubberBandResize, false);
        sub_->setWindowTitle(windowTitle());
        sub_->adjustSize();
        sub_->setFixedSize(sub_->size());
        sub_->hide();
    }
    loaded_ = true;
    if (formNumber_ > 0) {
        if (g.FormOpen.size() < 19)
            g.FormOpen.redimPreserve(19, False);
        g.FormOpen[formNumber_] = True;
        registerOpenForm(formNumber_, this);
    }
    // A load that fails leaves no half-filled window behind: it is unloaded
    // and the error goes on to the caller.
    try {
        Form_Load();
    } catch (...) {
        unloadForm();
        throw;
    }
}

void Form::showForm()
{
    if (!loaded_)
        return;
    if (sub_) {
        sub_->setWindowTitle(windowTitle());
        sub_->show();
        sub_->raise();
        if (QMdiArea* area = sub_->mdiArea())
            area->setActiveSubWindow(sub_);
    } else {
        show();
        raise();
    }
}

void Form::hideForm()
{
    if (sub_)
        sub_->hide();
    else
        hide();
}

bool Form::isShown() const { return loaded_ && outerWidget()->isVisible(); }

namespace {
// The window that was active before the one that closed is active again, with
// the keys where it had them.
void activatePrevious(QMdiArea* area)
{
    const QList<QMdiSubWindow*> order = area->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        if (!(*it)->isVisible())
            continue;
        area->setActiveSubWindow(*it);
        return;
    }
}
}  // namespace

void Form::unloadForm()
{
    if (!loaded_ || unloading_)
        return;
    unloading_ = true;
    Form_Unload();
    loaded_ = false;
    if (formNumber_ > 0) {
        if (g.FormOpen.size() >= formNumber_)
            g.FormOpen[formNumber_] = False;
        unregisterOpenForm(formNumber_, this);
    }
    if (clearSlot_) {
        clearSlot_();
        clearSlot_ = nullptr;
    }
    QWidget* outer = outerWidget();
    QMdiArea* area = sub_ ? sub_->mdiArea() : nullptr;
    const bool wasActive = area && area->activeSubWindow() == sub_;
    outer->hide();
    if (area) {
        area->removeSubWindow(sub_);
        if (wasActive)
            activatePrevious(area);
    }
    // A dialog of this window may still run, with this window's code under it.
    deleteAfterModalRuns(outer);
}

// ---------------------------------------------------------------- Dialog

Dialog::Dialog(QWidget* parent)
    : QDialog(parent ? parent : (g.Frame ? g.Frame->frameWidget() : nullptr),
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    installAccessGate();
    setModal(true);
}

void Dialog::closeEvent(QCloseEvent* e)
{
    if (cancelButton_ && cancelButton_->isVisible() && cancelButton_->isEnabled()) {
        e->ignore();
        cancelButton_->click();
        return;
    }
    QDialog::closeEvent(e);
}

void Dialog::setDesignSize(int widthTwips, int heightTwips) { setFixedSize(tw(widthTwips), tw(heightTwips)); }

Dialog::ModalHook Dialog::setModalHook(ModalHook hook)
{
    ModalHook old = std::move(modalHook());
    modalHook() = std::move(hook);
    return old;
}

void Dialog::placeOnOpen() { CenterForm(this); }

int Dialog::showModal()
{
    Form_Load();
    const int titleWidth = TitleBarWidth(windowTitle());
    if (width() < titleWidth)
        setFixedWidth(titleWidth);
    placeOnOpen();
    ModalRun run;
    if (modalHook()) {
        show();
        modalHook()(this);
        if (isVisible())
            hide();
        return result();
    }
    return exec();
}

}  // namespace vh
