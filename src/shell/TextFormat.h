#pragma once
// Turning stored values into the texts windows and reports show.

#include <QString>
#include <cstdint>

namespace vh {

class Recordset;

// Trims the text in place and fills it with blanks to `width`: "L" puts the
// blanks on the left, "R" on the right, "M" splits them (an odd blank goes
// after the text). A text longer than the width, or any other code, gives "".
QString PadText(QString& text, int16_t width, const QString& alignment);
QString PadText(const QString& text, int16_t width, const QString& alignment);

// The 69-character line of a game list for the game row `game` stands on:
// number, short date, game type, opponent, score and the result.
QString FormatGameListLine(const Recordset& game);

// The English weekday name of a date text; "" when it is not a date.
QString DayName(const QString& dateText);
// The English month name of a date text, in full for form "L" and in three
// letters otherwise; "" when it is not a date.
QString MonthName(const QString& dateText, const QString& form);

// The game type's description as stored (25 characters), "No Game Type" when
// the number is not a known game type.
QString GetGameTypeDescription(int16_t gameTypeNumber);
// A listed team's long name, trimmed; "Team Name Unknown" when not listed.
QString GetLongTeamName(int16_t teamNumber);
// A listed team's short name as stored (20 characters); "Team Name Unknown"
// when not listed.
QString GetShortTeamName(int16_t teamNumber);

// A person's name by the name options: first and last name, first initial and
// last name, or last name alone; with "-" and the uniform number on the team
// when the show-player-number option is True.
QString PersonDisplayName(int16_t personNumber, int16_t teamNumber, const QString& firstName, const QString& lastName);
// The name part of a display name for a name-format option (0, 1 or other).
QString ComposePersonName(int16_t nameFormat, const QString& firstName, const QString& lastName);

// Computed figures as reports show them: -1 (not applicable) as "na" or as
// zero by the show-"na" option, thousands separators by the show-commas option.
QString FormatOneDecimal(float value);
QString FormatTwoDecimals(float value);
QString FormatThreeDecimals(float value);
QString FormatWholeNumber(int32_t value);

// The same with the two options given instead of read from the program's state.
struct FigureStyle {
    bool showCommas = false;
    bool showNA = false;
};
QString FormatOneDecimal(float value, const FigureStyle& style);
QString FormatTwoDecimals(float value, const FigureStyle& style);
QString FormatThreeDecimals(float value, const FigureStyle& style);
QString FormatWholeNumber(int32_t value, const FigureStyle& style);

}  // namespace vh
