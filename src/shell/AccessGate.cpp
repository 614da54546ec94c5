#include "shell/AccessGate.h"

#include "platform/ModalRun.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMultiHash>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <algorithm>
#include <utility>
#include <vector>

namespace vh {

namespace {

// The window a control's commands belong to: a child window of the frame, a
// dialog, or whatever top-level window holds the control.
const QWidget* commandWindow(const QWidget* control)
{
    for (const QWidget* w = control; w; w = w->parentWidget())
        if (w->isWindow() || qobject_cast<const QMdiSubWindow*>(w->parentWidget()))
            return w;
    return nullptr;
}

// The windows whose command, started by a key or a press of the gate, still
// runs: a command may let events in while it works (processEvents), and a key
// of its window then would start it, or another, over again.
std::vector<QPointer<const QWidget>>& runningCommands()
{
    static std::vector<QPointer<const QWidget>> r;
    return r;
}

class CommandRuns {
public:
    explicit CommandRuns(const QWidget* control) { runningCommands().emplace_back(commandWindow(control)); }
    ~CommandRuns() { runningCommands().pop_back(); }
    CommandRuns(const CommandRuns&) = delete;
    CommandRuns& operator=(const CommandRuns&) = delete;
};

bool commandRunsIn(const QWidget* window)
{
    for (const QPointer<const QWidget>& w : runningCommands())
        if (w && w == window)
            return true;
    return false;
}

// Gives `control` the focus where a click gives it, so that what loses the
// focus has its say first; whether the control is still there and may still
// act once it has.
bool focusAsAClick(QWidget* control)
{
    const QPointer<QWidget> alive(control);
    if (control->focusPolicy() & Qt::ClickFocus)
        control->setFocus(Qt::MouseFocusReason);
    return alive && controlMayAct(alive);
}

enum class PressedBy { Key, Reader };

const char* const kPressPending = "vhPressPending";

// The button is down at once and clicks 100 ms later, as Qt's animated click
// does; unlike it, the click is asked again whether it may act then: a modal
// window may have opened meanwhile, or a command of its window may run.
void pressLater(QAbstractButton* button, PressedBy by)
{
    if (button->property(kPressPending).toBool())
        return;
    button->setProperty(kPressPending, true);
    button->setDown(true);
    button->repaint();
    QTimer::singleShot(100, button, [button, by] {
        button->setProperty(kPressPending, QVariant());
        button->setDown(false);
        if (by == PressedBy::Key ? keyMayAct(button) : controlMayAct(button)) {
            CommandRuns running(button);
            button->click();
        }
    });
}

// Buttons whose Press Qt's own interface carries out otherwise than by a
// delayed click: a tool button clicks at once, a button with a menu opens it.
bool pressedByQt(const QAbstractButton* button)
{
    if (qobject_cast<const QToolButton*>(button))
        return true;
    auto* push = qobject_cast<const QPushButton*>(button);
    return push && push->menu();
}

bool readOnly(const QWidget* w)
{
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        return e->isReadOnly();
    if (auto* e = qobject_cast<const QPlainTextEdit*>(w))
        return e->isReadOnly();
    if (auto* e = qobject_cast<const QTextEdit*>(w))
        return e->isReadOnly();
    if (auto* e = qobject_cast<const QAbstractSpinBox*>(w))
        return e->isReadOnly();
    if (auto* v = qobject_cast<const QAbstractItemView*>(w))
        return v->editTriggers() == QAbstractItemView::NoEditTriggers;
    return false;
}

// The drop-down whose open list `view` is, if it is one.
QComboBox* dropDownOf(const QAbstractItemView* view)
{
    const QWidget* list = view->parentWidget();
    auto* box = list ? qobject_cast<QComboBox*>(list->parentWidget()) : nullptr;
    return box && box->view() == view ? box : nullptr;
}

// How a click on an item changes the selection of `view`: a single-choice
// list chooses the item alone, a list of several choices adds it (`add`) or
// switches it (as a click with Ctrl), and a table that selects nothing only
// moves to it.
QItemSelectionModel::SelectionFlags clickSelects(const QAbstractItemView* view, bool add)
{
    QItemSelectionModel::SelectionFlags how;
    switch (view->selectionMode()) {
    case QAbstractItemView::NoSelection: return QItemSelectionModel::NoUpdate;
    case QAbstractItemView::SingleSelection: how = QItemSelectionModel::ClearAndSelect; break;
    default: how = add ? QItemSelectionModel::Select : QItemSelectionModel::Toggle; break;
    }
    if (view->selectionBehavior() == QAbstractItemView::SelectRows)
        how |= QItemSelectionModel::Rows;
    else if (view->selectionBehavior() == QAbstractItemView::SelectColumns)
        how |= QItemSelectionModel::Columns;
    return how;
}

// Chooses `index` in `view` as a click on it does, so that the item a list
// shows as chosen is its current one, the one its window's commands read: the
// list takes the focus, the item becomes current and is selected by `how`,
// and the view tells of the click (`clicked`, hence a table's `cellClicked`).
// In a drop-down's open list the choice is the drop-down's, as its Enter
// makes it: the list closes and the box shows and reports the entry.
bool chooseItem(QAbstractItemView* view, const QModelIndex& index, QItemSelectionModel::SelectionFlags how)
{
    if (!index.isValid() || !(index.flags() & Qt::ItemIsEnabled) || !view->selectionModel())
        return false;
    if (dropDownOf(view)) {
        view->setCurrentIndex(index);
        // The open list takes its Enter at the shortcut stage.
        QKeyEvent enter(QEvent::ShortcutOverride, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(view, &enter);
        return true;
    }
    const QPointer<QAbstractItemView> alive(view);
    // What the focus left may have answered by closing or disabling the window.
    if (!focusAsAClick(view))
        return true;
    view->selectionModel()->setCurrentIndex(index, how);
    emit view->pressed(index);
    if (alive)
        emit view->clicked(index);
    if (alive && view->style()->styleHint(QStyle::SH_ItemView_ActivateItemOnSingleClick, nullptr, view))
        emit view->activated(index);
    return true;
}

// Stands in front of one interface Qt made (`inner`), of a widget or of a
// part of one (a list's row, a menu's item), and passes on all but what the
// control may not do now. The inner interface is reached by its id each time:
// Qt deletes the interfaces of a list's rows when the list changes.
class Gate : public QAccessibleInterface,
             public QAccessibleActionInterface,
             public QAccessibleTextInterface,
             public QAccessibleEditableTextInterface,
             public QAccessibleValueInterface,
             public QAccessibleTableInterface,
             public QAccessibleTableCellInterface {
public:
    // `ofWidget`: the gate is the widget's own interface; otherwise it
    // stands for a part of `owner`.
    Gate(QAccessible::Id inner, QWidget* owner, bool ofWidget)
        : inner_(inner), owner_(owner), ownerKey_(owner), ofWidget_(ofWidget)
    {
    }
    ~Gate() override;

    // ---- QAccessibleInterface
    bool isValid() const override { return in() && in()->isValid(); }
    // A part has no object of its own in the cache's eyes: given the inner
    // one's (a menu item's action), the cache would file the gate under it and
    // drop Qt's own entry for it when the gate goes.
    QObject* object() const override { return ofWidget_ && in() ? in()->object() : nullptr; }
    QWindow* window() const override { return in() ? in()->window() : nullptr; }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override
    {
        QList<QPair<QAccessibleInterface*, QAccessible::Relation>> list;
        if (in())
            for (const auto& [iface, relation] : in()->relations(match))
                list.append({gated(iface), relation});
        return list;
    }
    QAccessibleInterface* focusChild() const override { return in() ? gated(in()->focusChild()) : nullptr; }
    QAccessibleInterface* childAt(int x, int y) const override { return in() ? gated(in()->childAt(x, y)) : nullptr; }
    QAccessibleInterface* parent() const override { return in() ? gated(in()->parent()) : nullptr; }
    QAccessibleInterface* child(int index) const override { return in() ? gated(in()->child(index)) : nullptr; }
    int childCount() const override { return in() ? in()->childCount() : 0; }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return in() ? in()->indexOfChild(ungated(child)) : -1;
    }
    QString text(QAccessible::Text t) const override { return in() ? in()->text(t) : QString(); }
    void setText(QAccessible::Text t, const QString& text) override
    {
        if (mayEdit())
            in()->setText(t, text);
    }
    QRect rect() const override { return in() ? in()->rect() : QRect(); }
    QAccessible::Role role() const override { return in() ? in()->role() : QAccessible::NoRole; }
    QAccessible::State state() const override
    {
        if (in())
            return in()->state();
        QAccessible::State s;
        s.invalid = true;
        return s;
    }
    QColor foregroundColor() const override { return in() ? in()->foregroundColor() : QColor(); }
    QColor backgroundColor() const override { return in() ? in()->backgroundColor() : QColor(); }
    void virtual_hook(int id, void* data) override
    {
        if (in())
            in()->virtual_hook(id, data);
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        void* own = in() ? in()->interface_cast(t) : nullptr;
        if (!own)
            return nullptr;
        switch (t) {
        case QAccessible::TextInterface: return static_cast<QAccessibleTextInterface*>(this);
        case QAccessible::EditableTextInterface: return static_cast<QAccessibleEditableTextInterface*>(this);
        case QAccessible::ValueInterface: return static_cast<QAccessibleValueInterface*>(this);
        case QAccessible::ActionInterface: return static_cast<QAccessibleActionInterface*>(this);
        case QAccessible::TableInterface: return static_cast<QAccessibleTableInterface*>(this);
        case QAccessible::TableCellInterface: return static_cast<QAccessibleTableCellInterface*>(this);
        default: return own;  // only read: an image's or a link's description
        }
    }

    // ---- actions
    QStringList actionNames() const override { return action() ? action()->actionNames() : QStringList(); }
    QString localizedActionName(const QString& name) const override
    {
        return action() ? action()->localizedActionName(name) : QString();
    }
    QString localizedActionDescription(const QString& name) const override
    {
        return action() ? action()->localizedActionDescription(name) : QString();
    }
    // A row's Toggle or Press chooses it as a click does. A button's Press,
    // and a checkable button's Toggle, first give it the focus as a click
    // does; then the Toggle clicks it, where Qt's own would only change how
    // it shows (a tool button's action would not run), and the Press clicks
    // it a moment later.
    void doAction(const QString& name) override
    {
        if (!action() || !mayAct())
            return;
        if (name == toggleAction() || name == pressAction()) {
            if (chooseCell())
                return;
            auto* button = ofWidget_ ? qobject_cast<QAbstractButton*>(owner_.data()) : nullptr;
            const bool toggles = name == toggleAction() && button && button->isCheckable();
            if (button && (toggles || name == pressAction())) {
                if (!focusAsAClick(button) || !mayAct())
                    return;
                if (!toggles && !pressedByQt(button)) {
                    pressLater(button, PressedBy::Reader);
                    return;
                }
                CommandRuns running(button);
                if (toggles)
                    button->click();
                else
                    action()->doAction(name);
                return;
            }
        }
        action()->doAction(name);
    }
    QStringList keyBindingsForAction(const QString& name) const override
    {
        return action() ? action()->keyBindingsForAction(name) : QStringList();
    }

    // ---- text: reading passes, the caret and selection move where the
    // control may act, text changes where it may be edited
    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (textIf())
            textIf()->selection(index, start, end);
    }
    int selectionCount() const override { return textIf() ? textIf()->selectionCount() : 0; }
    void addSelection(int start, int end) override
    {
        if (textIf() && mayAct())
            textIf()->addSelection(start, end);
    }
    void removeSelection(int index) override
    {
        if (textIf() && mayAct())
            textIf()->removeSelection(index);
    }
    void setSelection(int index, int start, int end) override
    {
        if (textIf() && mayAct())
            textIf()->setSelection(index, start, end);
    }
    int cursorPosition() const override { return textIf() ? textIf()->cursorPosition() : 0; }
    void setCursorPosition(int position) override
    {
        if (textIf() && mayAct())
            textIf()->setCursorPosition(position);
    }
    QString text(int start, int end) const override { return textIf() ? textIf()->text(start, end) : QString(); }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override
    {
        *start = *end = -1;
        return textIf() ? textIf()->textBeforeOffset(offset, type, start, end) : QString();
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override
    {
        *start = *end = -1;
        return textIf() ? textIf()->textAfterOffset(offset, type, start, end) : QString();
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override
    {
        *start = *end = -1;
        return textIf() ? textIf()->textAtOffset(offset, type, start, end) : QString();
    }
    int characterCount() const override { return textIf() ? textIf()->characterCount() : 0; }
    QRect characterRect(int offset) const override { return textIf() ? textIf()->characterRect(offset) : QRect(); }
    int offsetAtPoint(const QPoint& point) const override { return textIf() ? textIf()->offsetAtPoint(point) : -1; }
    void scrollToSubstring(int start, int end) override
    {
        if (textIf() && mayAct())
            textIf()->scrollToSubstring(start, end);
    }
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = *end = offset;
        return textIf() ? textIf()->attributes(offset, start, end) : QString();
    }

    // ---- editable text
    void deleteText(int start, int end) override
    {
        if (editIf() && mayEdit())
            editIf()->deleteText(start, end);
    }
    void insertText(int offset, const QString& text) override
    {
        if (editIf() && mayEdit())
            editIf()->insertText(offset, text);
    }
    void replaceText(int start, int end, const QString& text) override
    {
        if (editIf() && mayEdit())
            editIf()->replaceText(start, end, text);
    }

    // ---- value
    QVariant currentValue() const override { return valueIf() ? valueIf()->currentValue() : QVariant(); }
    void setCurrentValue(const QVariant& value) override
    {
        if (valueIf() && mayEdit())
            valueIf()->setCurrentValue(value);
    }
    QVariant maximumValue() const override { return valueIf() ? valueIf()->maximumValue() : QVariant(); }
    QVariant minimumValue() const override { return valueIf() ? valueIf()->minimumValue() : QVariant(); }
    QVariant minimumStepSize() const override { return valueIf() ? valueIf()->minimumStepSize() : QVariant(); }

    // ---- tables and lists: choosing rows is a selection, as a click is
    QAccessibleInterface* caption() const override { return tableIf() ? gated(tableIf()->caption()) : nullptr; }
    QAccessibleInterface* summary() const override { return tableIf() ? gated(tableIf()->summary()) : nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override
    {
        return tableIf() ? gated(tableIf()->cellAt(row, column)) : nullptr;
    }
    int selectedCellCount() const override { return tableIf() ? tableIf()->selectedCellCount() : 0; }
    QList<QAccessibleInterface*> selectedCells() const override
    {
        return tableIf() ? gated(tableIf()->selectedCells()) : QList<QAccessibleInterface*>();
    }
    QString columnDescription(int column) const override
    {
        return tableIf() ? tableIf()->columnDescription(column) : QString();
    }
    QString rowDescription(int row) const override { return tableIf() ? tableIf()->rowDescription(row) : QString(); }
    int selectedColumnCount() const override { return tableIf() ? tableIf()->selectedColumnCount() : 0; }
    int selectedRowCount() const override { return tableIf() ? tableIf()->selectedRowCount() : 0; }
    int columnCount() const override { return tableIf() ? tableIf()->columnCount() : 0; }
    int rowCount() const override { return tableIf() ? tableIf()->rowCount() : 0; }
    QList<int> selectedColumns() const override { return tableIf() ? tableIf()->selectedColumns() : QList<int>(); }
    QList<int> selectedRows() const override { return tableIf() ? tableIf()->selectedRows() : QList<int>(); }
    bool isColumnSelected(int column) const override { return tableIf() && tableIf()->isColumnSelected(column); }
    bool isRowSelected(int row) const override { return tableIf() && tableIf()->isRowSelected(row); }
    // Choosing a row is a click on it, in the column the user is in.
    bool selectRow(int row) override
    {
        if (!tableIf() || !mayAct())
            return false;
        QAbstractItemView* v = view();
        if (!v || v->selectionMode() == QAbstractItemView::ContiguousSelection)
            return tableIf()->selectRow(row);
        const int column = std::max(0, v->currentIndex().column());
        return chooseItem(v, v->model()->index(row, column, v->rootIndex()), clickSelects(v, true));
    }
    bool selectColumn(int column) override { return tableIf() && mayAct() && tableIf()->selectColumn(column); }
    bool unselectRow(int row) override { return tableIf() && mayAct() && tableIf()->unselectRow(row); }
    bool unselectColumn(int column) override { return tableIf() && mayAct() && tableIf()->unselectColumn(column); }
    // Qt tells the list's interface of its model's changes; always passed on.
    void modelChange(QAccessibleTableModelChangeEvent* event) override
    {
        if (tableIf())
            tableIf()->modelChange(event);
    }

    // ---- a cell of a table or list
    bool isSelected() const override { return cellIf() && cellIf()->isSelected(); }
    QList<QAccessibleInterface*> columnHeaderCells() const override
    {
        return cellIf() ? gated(cellIf()->columnHeaderCells()) : QList<QAccessibleInterface*>();
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override
    {
        return cellIf() ? gated(cellIf()->rowHeaderCells()) : QList<QAccessibleInterface*>();
    }
    int columnIndex() const override { return cellIf() ? cellIf()->columnIndex() : -1; }
    int rowIndex() const override { return cellIf() ? cellIf()->rowIndex() : -1; }
    int columnExtent() const override { return cellIf() ? cellIf()->columnExtent() : 0; }
    int rowExtent() const override { return cellIf() ? cellIf()->rowExtent() : 0; }
    QAccessibleInterface* table() const override { return cellIf() ? gated(cellIf()->table()) : nullptr; }

    QAccessibleInterface* in() const { return QAccessible::accessibleInterface(inner_); }
    QAccessible::Id innerId() const { return inner_; }

private:
    QAccessibleActionInterface* action() const { return in() ? in()->actionInterface() : nullptr; }
    QAccessibleTextInterface* textIf() const { return in() ? in()->textInterface() : nullptr; }
    QAccessibleEditableTextInterface* editIf() const { return in() ? in()->editableTextInterface() : nullptr; }
    QAccessibleValueInterface* valueIf() const { return in() ? in()->valueInterface() : nullptr; }
    QAccessibleTableInterface* tableIf() const { return in() ? in()->tableInterface() : nullptr; }
    QAccessibleTableCellInterface* cellIf() const { return in() ? in()->tableCellInterface() : nullptr; }

    // The list or table this gate or its row belongs to; not a tree, whose
    // rows Qt numbers its own way.
    QAbstractItemView* view() const
    {
        auto* v = qobject_cast<QAbstractItemView*>(owner_.data());
        return v && v->model() && in()->role() != QAccessible::Tree && in()->role() != QAccessible::TreeItem
                   ? v
                   : nullptr;
    }
    // A row or cell of a list or table, chosen as a click chooses it.
    bool chooseCell()
    {
        QAbstractItemView* v = cellIf() ? view() : nullptr;
        if (!v)
            return false;
        const QModelIndex index = v->model()->index(cellIf()->rowIndex(), cellIf()->columnIndex(), v->rootIndex());
        chooseItem(v, index, clickSelects(v, false));
        return true;
    }

    bool mayAct() const
    {
        if (!in() || !controlMayAct(owner_))
            return false;
        // A menu's item acts as its action would from the keys.
        if (auto* a = qobject_cast<QAction*>(in()->object()); a && !ofWidget_)
            return a->isEnabled() && a->isVisible();
        return true;
    }
    bool mayEdit() const { return mayAct() && !readOnly(owner_); }

    QAccessibleInterface* gated(QAccessibleInterface* iface) const;
    QList<QAccessibleInterface*> gated(const QList<QAccessibleInterface*>& list) const
    {
        QList<QAccessibleInterface*> out;
        for (QAccessibleInterface* i : list)
            out.append(gated(i));
        return out;
    }
    static const QAccessibleInterface* ungated(const QAccessibleInterface* iface)
    {
        const auto* gate = dynamic_cast<const Gate*>(iface);
        return gate ? gate->in() : iface;
    }

    QAccessible::Id inner_;
    QPointer<QWidget> owner_;
    const QObject* ownerKey_;  // the owner as it was, to find its parts' gates once it is gone
    bool ofWidget_;
};

// The gates of the parts of widgets, so that a part keeps one gate (and one id
// for a screen reader) for as long as Qt keeps its interface.
struct PartGates {
    QHash<QAccessible::Id, QAccessible::Id> gateOf;    // a part's interface -> its gate
    QMultiHash<const QObject*, QAccessible::Id> parts;  // an owner widget -> its parts' interfaces
    QHash<const QObject*, int> pruneAt;                 // an owner's count at which the gone are dropped
};

PartGates& partGates()
{
    static PartGates p;
    return p;
}

void deleteGate(QAccessible::Id id)
{
    if (id && QAccessible::accessibleInterface(id))
        QAccessible::deleteAccessibleInterface(id);
}

// Drops the gates of an owner's parts that Qt has deleted meanwhile (a list
// that was filled again), once their number has doubled since the last time.
void dropGoneParts(const QObject* owner)
{
    PartGates& p = partGates();
    const int count = int(p.parts.count(owner));
    if (count < p.pruneAt.value(owner, 64))
        return;
    for (const QAccessible::Id part : p.parts.values(owner))
        if (!QAccessible::accessibleInterface(part)) {
            deleteGate(p.gateOf.take(part));
            p.parts.remove(owner, part);
        }
    p.pruneAt.insert(owner, 2 * std::max(32, int(p.parts.count(owner))));
}

QAccessibleInterface* Gate::gated(QAccessibleInterface* iface) const
{
    // Only the parts of a widget get a gate here: a row or a tab has no
    // object, a menu item has its action. A widget's own interface is its
    // gate already, and the application's is no control.
    if (!iface || dynamic_cast<Gate*>(iface) || (iface->object() && !qobject_cast<QAction*>(iface->object())))
        return iface;
    if (!owner_)
        return nullptr;
    PartGates& p = partGates();
    const QAccessible::Id part = QAccessible::uniqueId(iface);
    if (QAccessibleInterface* gate = QAccessible::accessibleInterface(p.gateOf.value(part)))
        return gate;
    auto* gate = new Gate(part, owner_, false);
    p.gateOf.insert(part, QAccessible::registerAccessibleInterface(gate));
    p.parts.insert(owner_, part);
    dropGoneParts(owner_);
    return gate;
}

Gate::~Gate()
{
    if (!ofWidget_)
        return;
    // The widget is gone: so are the gates of its parts, and the interface
    // Qt made for it.
    PartGates& p = partGates();
    for (const QAccessible::Id part : p.parts.values(ownerKey_))
        deleteGate(p.gateOf.take(part));
    p.parts.remove(ownerKey_);
    p.pruneAt.remove(ownerKey_);
    deleteGate(inner_);
}

// Set while the gate asks Qt for the interface it stands in front of.
bool g_askingQt = false;

QAccessibleInterface* gateFactory(const QString&, QObject* object)
{
    if (g_askingQt || !object || !object->isWidgetType())
        return nullptr;
    g_askingQt = true;
    QAccessibleInterface* own = QAccessible::queryAccessibleInterface(object);
    g_askingQt = false;
    if (!own)
        return nullptr;
    return new Gate(QAccessible::uniqueId(own), static_cast<QWidget*>(object), true);
}

// The control a shortcut of `owner` (a widget, a QShortcut, a menu's action)
// acts for, where a key bound to it acts now: the widget, the shortcut's
// widget, a widget showing the action; nullptr where none may act.
QWidget* shortcutTarget(QObject* owner)
{
    QWidget* w = qobject_cast<QWidget*>(owner);
    if (auto* shortcut = qobject_cast<QShortcut*>(owner))
        w = qobject_cast<QWidget*>(shortcut->parent());
    if (auto* a = qobject_cast<QAction*>(owner)) {
        for (QObject* holder : a->associatedObjects())
            if (auto* shown = qobject_cast<QWidget*>(holder); shown && keyMayAct(shown))
                return shown;
    }
    return keyMayAct(w) ? w : nullptr;
}

// Every QShortcut, menu action's shortcut and access key is delivered as a
// Shortcut event, which Qt sends before it would drop the key for a window
// that a modal one blocks: here it meets the gate's rule. A button's own
// access key presses it as a bound key does; any other shortcut runs marked
// as a command a key started in its window.
class ShortcutGate : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::Shortcut || e == passing_)
            return false;
        QWidget* target = shortcutTarget(o);
        if (!target)
            return true;  // nothing acts, and the key goes nowhere else
        auto* button = qobject_cast<QAbstractButton*>(o);
        if (button && !static_cast<QShortcutEvent*>(e)->isAmbiguous()) {
            pressByKey(button);
            return true;
        }
        CommandRuns running(target);
        QEvent* const outer = std::exchange(passing_, e);
        QCoreApplication::sendEvent(o, e);
        passing_ = outer;
        return true;
    }

private:
    QEvent* passing_ = nullptr;  // the shortcut being delivered past the gate
};

}  // namespace

void installAccessGate()
{
    // Qt asks the factory installed last first.
    QAccessible::installFactory(gateFactory);
    static const bool keys = (qApp->installEventFilter(new ShortcutGate(qApp)), true);
    (void)keys;
}

namespace {

// A menu is hidden until it opens; its items are reached through its title,
// where that is shown and switched on in a menu bar or a menu one can reach.
bool closedMenuReachable(const QMenu* menu)
{
    const QAction* title = menu->menuAction();
    if (!title->isEnabled() || !title->isVisible())
        return false;
    for (QObject* holder : title->associatedObjects())
        if (auto* w = qobject_cast<QWidget*>(holder); w && w != menu && controlMayAct(w))
            return true;
    return false;
}

}  // namespace

bool controlMayAct(const QWidget* control)
{
    if (!control || !control->isEnabled())
        return false;
    if (!control->isVisible()) {
        auto* menu = qobject_cast<const QMenu*>(control);
        if (!menu || !closedMenuReachable(menu))
            return false;
    }
    const QWidget* top = QApplication::activeModalWidget();
    if (!top)
        return !ModalRun::active();
    if (ModalRun::startedUnder(top))
        return false;  // a run Qt does not see stands over the topmost window
    // The parents across windows: a drop-down's open list belongs to its box.
    for (const QWidget* w = control; w; w = w->parentWidget())
        if (w == top)
            return true;
    return false;
}

bool controlMayEdit(const QWidget* control) { return controlMayAct(control) && !readOnly(control); }

bool keyMayAct(const QWidget* control) { return controlMayAct(control) && !commandRunsIn(commandWindow(control)); }

void pressByKey(QAbstractButton* button)
{
    if (!controlMayAct(button))
        return;
    // A checkable button takes the focus, as with Qt's own animated click.
    if (button->isCheckable() && (button->focusPolicy() & Qt::ClickFocus))
        button->setFocus(Qt::ShortcutFocusReason);
    pressLater(button, PressedBy::Key);
}

}  // namespace vh
