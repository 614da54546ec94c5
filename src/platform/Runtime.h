#pragma once
// Ending the program, and the error handling that asks whether to go on after
// a failed statement.

#include "platform/RuntimeError.h"

#include <QString>
#include <QStringList>
#include <exception>
#include <functional>

namespace vh {

// Ends the program at once: no further window events run. Tests put a handler
// in its place that records the end and returns; callers therefore return
// straight after calling it.
void EndProgram(int code = 0);
// True once EndProgram has been called in this run.
bool ProgramEnding();
using EndProgramHandler = std::function<void(int)>;
EndProgramHandler setEndProgramHandler(EndProgramHandler handler);
// Clears the ending mark (tests that start the program again in one process).
void resetProgramEnding();

// The number and text of whatever a statement threw.
RuntimeError describeException(std::exception_ptr e);

// Runs the statements of a procedure one at a time. When one fails, it asks
// under the title "Error Handler" whether to go on: Yes abandons that statement
// and goes on with the next; No runs the procedure's way out (by default
// EndProgram) and every later statement is skipped. A loop over rows is one
// statement, so a failing walk asks once, not once per row.
class ErrorHandler {
public:
    explicit ErrorHandler(QString location, std::function<void()> onNo = {});

    // Lines shown between the error text and the question (for example the
    // folders a migration was moving), and the number of empty lines before
    // the question.
    void setExtraLines(std::function<QStringList()> extra) { extra_ = std::move(extra); }
    void setBlankLines(int n) { blankLines_ = n; }

    template <typename F>
    bool run(F&& statement)
    {
        if (stopped_)
            return false;
        try {
            statement();
            return true;
        } catch (...) {
            ask(describeException(std::current_exception()));
            return false;
        }
    }
    bool stopped() const { return stopped_; }

private:
    void ask(const RuntimeError& e);
    QString location_;
    std::function<void()> onNo_;
    std::function<QStringList()> extra_;
    int blankLines_ = 1;
    bool stopped_ = false;
};

}  // namespace vh
