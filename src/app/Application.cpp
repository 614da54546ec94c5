#include "app/Application.h"

#include "platform/Runtime.h"
#include "shell/Form.h"
#include "shell/Frame.h"
#include "shell/Globals.h"
#include "shell/MenuState.h"
#include "shell/Procedures.h"
#include "shell/Startup.h"
#include "teams/frmSelectTeam.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace vh {

namespace {

// "frmGameScreen.cmdOK": the window and the control the event was for.
QString locationOf(QObject* receiver)
{
    QString control = receiver ? receiver->objectName() : QString();
    QString window;
    for (QObject* o = receiver; o; o = o->parent()) {
        if (qobject_cast<Form*>(o) || qobject_cast<Dialog*>(o) || (o->isWidgetType() && !o->parent())) {
            window = o->objectName();
            break;
        }
    }
    if (window.isEmpty() || window == control)
        return control.isEmpty() ? QStringLiteral("event handler") : control;
    return control.isEmpty() ? window : window + QLatin1Char('.') + control;
}

// A window's load that failed leaves nothing on screen; the team selection is
// where every command starts, so it comes back.
void showSomethingToGoOnWith()
{
    if (!g.Frame || QApplication::activeModalWidget())
        return;
    const QMdiArea* area = g.Frame->mdiArea();
    if (!area)
        return;
    for (const QMdiSubWindow* sub : area->subWindowList())
        if (sub->isVisible())
            return;
    Load<frmSelectTeam>();
    SetMenus(g.SelectedTeamCount, QStringLiteral("Select"));
}

}  // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ReportEscapedError(receiver, std::current_exception());
        return true;
    }
}

void ReportEscapedError(QObject* receiver, std::exception_ptr error)
{
    // An error inside the box itself, or after the end was asked for, has
    // nobody left to tell.
    static bool reporting = false;
    if (reporting || ProgramEnding())
        return;
    reporting = true;
    ShowArrowPointer();
    ErrorHandler handler(locationOf(receiver), [] { SaveOptionsAndCloseDatabase(); });
    handler.run([&error] { std::rethrow_exception(error); });
    if (!handler.stopped() && !ProgramEnding()) {
        try {
            showSomethingToGoOnWith();
        } catch (...) {
        }
    }
    reporting = false;
}

}  // namespace vh
