#pragma once
// What a screen reader or a dictation tool does to the program's controls: it
// presses, toggles and types through their accessible interfaces, which
// neither the keys nor the mouse go through.

#include <QAccessible>
#include <QMenuBar>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace vh::test::reader {

inline QAccessibleInterface* at(QWidget* w) { return QAccessible::queryAccessibleInterface(w); }

inline void act(QAccessibleInterface* i, const QString& action)
{
    if (QAccessibleActionInterface* a = i ? i->actionInterface() : nullptr)
        a->doAction(action);
}

// A push button's press clicks it a moment (100 ms) later, as its key does.
inline void press(QWidget* w) { act(at(w), QAccessibleActionInterface::pressAction()); }
inline void toggle(QWidget* w) { act(at(w), QAccessibleActionInterface::toggleAction()); }
// A row (a cell) of a list, a table or a drop-down's open list, chosen by its
// Toggle, as a screen reader chooses it.
inline void choose(QWidget* view, int row, int column = 0)
{
    act(at(view)->tableInterface()->cellAt(row, column), QAccessibleActionInterface::toggleAction());
}
// A row chosen by the selection of its list or table.
inline bool selectRow(QWidget* view, int row) { return at(view)->tableInterface()->selectRow(row); }
// A drop-down's list opened (or closed) by its action.
inline void showList(QWidget* box) { act(at(box), QAccessibleActionInterface::showMenuAction()); }
inline void setText(QWidget* w, const QString& text) { at(w)->setText(QAccessible::Value, text); }
inline void insertText(QWidget* w, const QString& text)
{
    if (QAccessibleEditableTextInterface* e = at(w)->editableTextInterface())
        e->insertText(0, text);
}

// The item of `bar` at `path` (a menu's title, then its item's caption), as a
// screen reader names it; nullptr when there is none.
inline QAccessibleInterface* menuItem(QMenuBar* bar, const QStringList& path)
{
    QAccessibleInterface* here = at(bar);
    for (qsizetype depth = 0; here && depth < path.size(); ++depth) {
        QAccessibleInterface* found = nullptr;
        for (int i = 0; i < here->childCount() && !found; ++i)
            if (here->child(i)->text(QAccessible::Name) == path[depth])
                found = here->child(i);
        // A menu's title holds its menu, whose children are the items.
        here = found && depth + 1 < path.size() ? found->child(0) : found;
    }
    return here;
}

}  // namespace vh::test::reader
