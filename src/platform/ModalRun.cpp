#include "platform/ModalRun.h"

#include <QDialog>
#include <QPointer>
#include <utility>
#include <vector>

namespace vh {

namespace {
int g_runs = 0;

std::vector<QPointer<QObject>>& waiting()
{
    static std::vector<QPointer<QObject>> w;
    return w;
}
}  // namespace

ModalRun::ModalRun() { ++g_runs; }

ModalRun::~ModalRun()
{
    if (--g_runs > 0)
        return;
    // Posted from the code that opened the outermost run, so the event loop
    // that code returns to deletes them, not one that is still being left.
    for (const QPointer<QObject>& o : std::exchange(waiting(), {}))
        if (o)
            o->deleteLater();
}

bool ModalRun::active() { return g_runs > 0; }

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
