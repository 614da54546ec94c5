#pragma once
// What may act on the controls, by every way that does not go through Qt's
// own mouse handling: screen readers, dictation tools and every other
// accessibility client (pressing a button, toggling a box, setting or
// inserting text, choosing an entry), and the keys a window binds (its Enter
// and Esc, its access keys, its help key, the frame's menu shortcuts). One
// gate sits in front of every widget's accessible interface and of every
// shortcut, and lets a control act only where a user could click it:
// - the control is enabled and shown (itself and through its parents);
// - text and values change only in a box that is not read-only;
// - while a modal window runs, only the controls of the topmost modal window
//   act; the windows behind it keep what they show and do nothing (they do not
//   look disabled: only these paths are refused). A modal run that Qt does not
//   see (a desktop's own file chooser, a drag, a scripted message box) lets
//   nothing act;
// - a closed menu's items act through its title, where that is shown and
//   switched on;
// - a bound key acts once: not while a command that a key or a press of this
//   gate started in its window still runs (a command may let events in while
//   it works), and a button it pressed clicks only if a key may still act on
//   it then.
// Where a control acts, its action does what a click does: a button or a row
// takes the focus first where a click gives it, so that what loses the focus
// has its say (a folder only highlighted in a folder list counts once the list
// loses it), and acts only if it is still there and may still act; a row of a
// list or table chosen (its Toggle or Press, or the list's row selection)
// becomes the current row, selected as the list selects, and the view tells
// of the click; an entry of a drop-down's open list becomes the drop-down's
// choice; a button's Press clicks it a moment later, as its key does; a
// checkable button's Toggle clicks it, so that its action runs. The row a
// list shows as chosen is so always the row its window's commands act on.
// Everything a client reads passes through unchanged.

class QAbstractButton;
class QWidget;

namespace vh {

// Puts the gate in front of the interfaces made from now on and of every
// shortcut; the window and control factories call it, so it stands before any
// window exists. Repeated calls do nothing.
void installAccessGate();

// Whether `control` takes a press, a toggle or a selection now.
bool controlMayAct(const QWidget* control);
// Whether `control` takes text or a value now: it may act and is not read-only.
bool controlMayEdit(const QWidget* control);
// Whether a key bound to `control` (or to its window) acts now: the control
// may act and no command that a key or a press started in its window still
// runs.
bool keyMayAct(const QWidget* control);

// Presses `button` as its key does, where it may act: down at once, clicked a
// moment (100 ms) later if a key may still act on it then. A press while one
// is pending adds nothing. It asks only whether the button may act, not
// keyMayAct: a shortcut the gate delivers runs marked as its window's command.
// A key that reaches a button by another way asks keyMayAct first.
void pressByKey(QAbstractButton* button);

}  // namespace vh
