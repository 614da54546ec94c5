#pragma once
// The small runtime behaviours the rest of the program relies on, each in one
// tested place: number-to-text with a sign blank, format masks, dates by the
// regional settings, fixed-length texts and 16-bit whole numbers.

#include <QDate>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>

namespace vh {

// Number as text with one blank before a non-negative value ("5" -> " 5",
// "-5" -> "-5"); used wherever a number is appended to SQL text.
QString Str(long long value);

// Number as text without the sign blank; used in messages and boxes.
QString NumText(long long value);

QString Trim(const QString& s);   // leading and trailing blanks only
QString LTrim(const QString& s);
QString RTrim(const QString& s);

// Lengths and cuts count characters (code points), so that a character
// outside the basic plane (an emoji) is never cut in half.
int CharCount(const QString& s);
QString Left(const QString& s, int n);
QString Right(const QString& s, int n);
QString Mid(const QString& s, int start1, int length = -1);  // start is 1-based

// The text with each line break, however stored (CR LF, a lone CR or LF), as
// one LF.
QString UnifyLineBreaks(QString s);

// A fixed-length text of exactly `width` characters: cut, or padded with
// blanks on the right.
QString FixedText(const QString& s, int width);

// The leading numeric part of a text (blanks skipped, optional sign, digits and
// one decimal point); 0 when there is none.
double Val(const QString& s);

// Rounds half to even as the runtime's integer conversions do, and refuses a
// result outside the signed 16-bit range (error 6, "Overflow").
int16_t CInt(double value);
int32_t CLng(double value);
bool fitsInt16(long long value);

// Numeric format masks built from "0", "#", "," and ".": "0" a digit always
// shown, "#" a digit shown only when significant, a comma anywhere in the
// integer part groups thousands. Halves round away from zero; separators come
// from the regional settings.
QString Format(double value, const QString& mask);

// Dates by the regional settings. IsDate accepts the short date's order of day,
// month and year with one- or two-digit day and month and a two- or four-digit
// year (two-digit years fall in 1930..2029), the ISO form and month names.
// Without regional settings (C, POSIX) the order is month/day/year.
bool IsDate(const QString& text);
std::optional<QDate> ParseDate(const QString& text);
// The order in which a typed date's fields are read, as the letters 'd', 'M'
// and 'y': "Mdy" in en_US and without regional settings, "dMy" in de_DE,
// "yMd" in ja_JP. The windows' hints and messages name it through the texts
// below, so that what a window asks for is what is read.
QString DateFieldOrder();
// That order as the windows name it; for month first "m/d/y",
// "month/day/year" and "mm/dd/yy".
QString DateOrderLetters();
QString DateOrderWords();
QString DateOrderMask();
// The short date form with a four-digit year (M/d/yyyy in en_US and without
// regional settings).
QString ShortDate(const QDate& d);
QString ShortDateFormat();
// The short date's day, month and year as numbers only, in its order and with
// its separator: at most 10 characters, for columns too narrow for the
// regional form (Hungarian "2026. 12. 25." becomes "2026.12.25").
QString NumericShortDate(const QDate& d);

// A signed 16-bit Integer used as a Boolean.
constexpr int16_t True = -1;
constexpr int16_t False = 0;
inline int16_t VbBool(bool b) { return b ? True : False; }

}  // namespace vh
