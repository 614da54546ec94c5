#pragma once
// Screen readers, dictation tools and every other accessibility client reach
// the controls through their accessible interfaces: pressing a button,
// toggling a box, setting or inserting text, choosing an entry. Neither the
// keyboard's rules nor the mouse's cover that path, so one gate sits in front
// of every widget's interface and lets a control act only where a user could
// act on it with the keys or the mouse:
// - the control is enabled and shown (itself and through its parents);
// - text and values change only in a box that is not read-only;
// - while a modal window runs, only the controls of the topmost modal window
//   act; the windows behind it keep what they show and do nothing (they do not
//   look disabled: only this path is refused). A modal run that Qt does not
//   see (a desktop's own file chooser, a drag) lets nothing act;
// - a closed menu's items act through its title, where that is shown and
//   switched on.
// Where a control acts, its action does what a click does: a row of a list or
// table chosen (its Toggle or Press, or the list's row selection) becomes the
// current row, selected as the list selects, and the view tells of the click;
// an entry of a drop-down's open list becomes the drop-down's choice; a
// checkable button's Toggle clicks it, so that its action runs. The row a
// list shows as chosen is so always the row its window's commands act on.
// Everything a client reads passes through unchanged.

class QWidget;

namespace vh {

// Puts the gate in front of the interfaces made from now on; the window and
// control factories call it, so it stands before any window exists. Repeated
// calls do nothing.
void installAccessGate();

// Whether `control` takes a press, a toggle or a selection now.
bool controlMayAct(const QWidget* control);
// Whether `control` takes text or a value now: it may act and is not read-only.
bool controlMayEdit(const QWidget* control);

}  // namespace vh
