#pragma once
// The entry screen's rules over the texts of the 32 category boxes of the
// person shown: the checks between categories before the boxes are stored,
// the check of a typed or pasted text, the +1/-1 step with its bounds, and the
// help line of a focused box. Nothing here touches a control: the window
// passes the box texts in and shows the message and moves the focus it is told.

#include "shell/Categories.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace vh {

constexpr int kCategoryBoxCount = 32;
// A box holds at most four digits.
constexpr int kMaxBoxValue = 9999;

// The texts of txtCat(0..31), box k being input cell k + 1 of the role's layout.
using BoxTexts = std::array<QString, kCategoryBoxCount>;

// The title of every entry-rule message, shown with MsgStyleWarn.
inline const QString kEntryErrorTitle = QStringLiteral("Error");

// The outcome of a check: "OK", or the message to show and the box that gets
// the focus afterwards (-1 when the check concerns no particular box).
struct EntryCheck {
    bool ok = true;
    QString message;
    int focusBox = -1;
    QString result() const { return ok ? QStringLiteral("OK") : QStringLiteral("ERROR"); }
};

// The number a box's text counts as in the checks: its leading numeric part
// rounded to a whole number (half to even), 0 for an empty or non-numeric text.
int32_t CategoryBoxNumber(const QString& text);

// The category in input cell `cell` (1..32) of the role's layout (the project's
// PlayerInputOrder / GoalieInputOrder), 0 for an empty cell.
int16_t InputCategory(CatKind role, int cell);

// The periods of the game; the goalie rules refuse values for the periods
// and the overtime the game did not have.
struct GamePeriods {
    int periods = 3;
    bool overtime = false;
};

// The rules between categories for the role, in their fixed order; the first
// broken rule gives the result. Reads the role's layout (PlayerInputOrder /
// GoalieInputOrder) from the project-wide state.
EntryCheck ValidateEntries(CatKind role, const BoxTexts& boxes, const GamePeriods& game = {});

// A text the user typed or pasted into a box: empty, or digits only with a
// value of at most 9999. Run on the user's edits only, not on texts the screen
// itself writes (a stored negative value shows with its sign).
EntryCheck CheckBoxText(const QString& text);

// The box text after +1 (delta 1) or -1 (delta -1): an empty box counts 0,
// +1 stops at 9999 and -1 at 0. No value when the box stays as it is.
std::optional<QString> StepBoxValue(const QString& text, int delta);

// The help line of a focused box from its label's caption: the long name of
// the role's category with exactly that (trimmed) abbreviation, else
// "User Defined Field".
QString CategoryHelpLine(CatKind role, const QString& labelCaption);

}  // namespace vh
