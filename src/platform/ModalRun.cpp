#include "platform/ModalRun.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <utility>
#include <vector>

namespace vh {

namespace {
// The topmost modal window as each run began, innermost run last.
std::vector<QPointer<QWidget>>& runs()
{
    static std::vector<QPointer<QWidget>> r;
    return r;
}

std::vector<QPointer<QObject>>& waiting()
{
    static std::vector<QPointer<QObject>> w;
    return w;
}
}  // namespace

ModalRun::ModalRun() { runs().emplace_back(QApplication::activeModalWidget()); }

ModalRun::~ModalRun()
{
    runs().pop_back();
    if (!runs().empty())
        return;
    // Posted from the code that opened the outermost run, so the event loop
    // that code returns to deletes them, not one that is still being left.
    for (const QPointer<QObject>& o : std::exchange(waiting(), {}))
        if (o)
            o->deleteLater();
}

bool ModalRun::active() { return !runs().empty(); }

bool ModalRun::startedUnder(const QWidget* top)
{
    for (const QPointer<QWidget>& under : runs())
        if (under == top)
            return true;
    return false;
}

int runModal(QDialog& dialog)
{
    ModalRun run;
    return dialog.exec();
}

void deleteAfterModalRuns(QObject* object)
{
    if (ModalRun::active())
        waiting().emplace_back(object);
    else
        object->deleteLater();
}

}  // namespace vh
