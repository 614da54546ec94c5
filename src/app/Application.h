#pragma once
// The program's application object. Every event reaches the windows through
// it, so it is the one place where an error that escapes a window's handler
// is caught: the user sees the program's error box and the program goes on.

#include <QApplication>
#include <exception>

namespace vh {

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the program's error box for an error that escaped the handler of
// `receiver`. Yes goes on; when no window is left on screen, the team
// selection comes back so that the user can carry on. No ends the program as
// the frame's close does.
void ReportEscapedError(QObject* receiver, std::exception_ptr error);

}  // namespace vh
