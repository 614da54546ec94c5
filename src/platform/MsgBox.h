#pragma once
// Message boxes with the old platform's style numbers and answers. Behind the
// one function sits a seam: tests answer from a script and record every text.

#include <QString>
#include <functional>

namespace vh {

// Buttons (style & 7).
constexpr int vbOKOnly = 0;
constexpr int vbOKCancel = 1;
constexpr int vbAbortRetryIgnore = 2;
constexpr int vbYesNoCancel = 3;
constexpr int vbYesNo = 4;
constexpr int vbRetryCancel = 5;
// Icons (style & 0x70).
constexpr int vbCritical = 16;
constexpr int vbQuestion = 32;
constexpr int vbExclamation = 48;
constexpr int vbInformation = 64;
// Default button (style & 0x300).
constexpr int vbDefaultButton2 = 256;
constexpr int vbDefaultButton3 = 512;
// Answers.
constexpr int vbOK = 1;
constexpr int vbCancel = 2;
constexpr int vbAbort = 3;
constexpr int vbRetry = 4;
constexpr int vbIgnore = 5;
constexpr int vbYes = 6;
constexpr int vbNo = 7;

// The program's name, the default title of a message box.
QString AppTitle();

// The width a window needs for its title bar to show `title` whole beside
// the window's icon and close box. Message boxes and dialogs are never
// narrower.
int TitleBarWidth(const QString& title);

// Shows a message as plain text (it may hold what a user typed) and returns
// the button chosen. A carriage return (code 13), alone or before a line
// feed, breaks the line.
int MsgBox(const QString& text, int style = vbOKOnly, const QString& title = QString());

struct MsgBoxCall {
    QString text;
    int style = 0;
    QString title;
};
using MsgBoxHandler = std::function<int(const MsgBoxCall&)>;
// Replaces the real dialog (tests); returns the handler that was in place.
MsgBoxHandler setMsgBoxHandler(MsgBoxHandler handler);

}  // namespace vh
