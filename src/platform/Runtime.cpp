#include "platform/Runtime.h"

#include "platform/MsgBox.h"

#include <cstdio>
#include <cstdlib>
#include <new>

namespace vh {

namespace {
bool g_ending = false;
EndProgramHandler& endHandler()
{
    static EndProgramHandler h;
    return h;
}
}  // namespace

void EndProgram(int code)
{
    g_ending = true;
    if (endHandler()) {
        endHandler()(code);
        return;
    }
    // Whatever must reach the disk has been written by the caller (the options
    // and the database are closed before the end is asked for).
    std::fflush(nullptr);
    std::_Exit(code);
}

bool ProgramEnding() { return g_ending; }
void resetProgramEnding() { g_ending = false; }

EndProgramHandler setEndProgramHandler(EndProgramHandler handler)
{
    EndProgramHandler old = std::move(endHandler());
    endHandler() = std::move(handler);
    return old;
}

RuntimeError describeException(std::exception_ptr e)
{
    try {
        std::rethrow_exception(e);
    } catch (const RuntimeError& r) {
        return r;
    } catch (const std::bad_alloc&) {
        return RuntimeError(7, QStringLiteral("Out of memory"));
    } catch (const std::exception& x) {
        return RuntimeError(Err::Generic, QString::fromLocal8Bit(x.what()));
    } catch (...) {
        return RuntimeError(Err::Generic, QStringLiteral("Unknown error"));
    }
}

ErrorHandler::ErrorHandler(QString location, std::function<void()> onNo)
    : location_(std::move(location)), onNo_(std::move(onNo))
{
}

void ErrorHandler::ask(const RuntimeError& e)
{
    QStringList lines;
    lines << QStringLiteral("An internal error has been encountered.") << QStringLiteral(" Location: ") + location_
          << e.details(QStringLiteral("\r\n"));
    if (extra_)
        lines << extra_();
    for (int i = 0; i < blankLines_; ++i)
        lines << QString();
    lines << QStringLiteral("Would you like to continue with the program?");
    const int answer = MsgBox(lines.join(QStringLiteral("\r\n")), vbYesNo, QStringLiteral("Error Handler"));
    if (answer == vbYes)
        return;
    stopped_ = true;
    if (onNo_)
        onNo_();
    else
        EndProgram();
}

}  // namespace vh
