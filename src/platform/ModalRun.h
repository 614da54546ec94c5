#pragma once
// Modal windows (and drags) run an event loop of their own inside the code
// that opened them. A window closed while such a loop runs is deleted only
// once every loop has returned: deleted earlier, it would take along a dialog
// of its own whose loop still runs, and the code that opened the dialog would
// go on in a window that is gone.

class QDialog;
class QObject;
class QWidget;

namespace vh {

// Marks a modal run for as long as it lives.
class ModalRun {
public:
    ModalRun();
    ~ModalRun();
    ModalRun(const ModalRun&) = delete;
    ModalRun& operator=(const ModalRun&) = delete;

    // Whether a modal window or a drag runs now.
    static bool active();
    // Whether a run began while `top` was the topmost modal window Qt knows
    // (none: nullptr) and no modal window has opened over it since: a run Qt
    // does not see (a desktop's own file chooser, a drag, a scripted message
    // box) then stands over every window, `top` included.
    static bool startedUnder(const QWidget* top);
};

// exec() under a ModalRun.
int runModal(QDialog& dialog);

// Deletes the object through the event loop, once no modal run is active.
void deleteAfterModalRuns(QObject* object);

}  // namespace vh
