#include "platform/basic/Basic.h"

#include "platform/RuntimeError.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <cmath>
#include <cstdio>

namespace vh {

QString Str(long long value)
{
    return value < 0 ? QString::number(value) : QStringLiteral(" ") + QString::number(value);
}

QString NumText(long long value) { return QString::number(value); }

QString LTrim(const QString& s)
{
    qsizetype i = 0;
    while (i < s.size() && s[i] == QLatin1Char(' '))
        ++i;
    return s.mid(i);
}

QString RTrim(const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == QLatin1Char(' '))
        --n;
    return s.left(n);
}

QString Trim(const QString& s) { return LTrim(RTrim(s)); }

namespace {

// The UTF-16 units that the first `chars` characters of `s` take from `from`.
qsizetype unitsOf(const QString& s, qsizetype from, int chars)
{
    qsizetype i = from;
    for (; chars > 0 && i < s.size(); --chars)
        i += (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) ? 2 : 1;
    return i - from;
}

}  // namespace

QString UnifyLineBreaks(QString s)
{
    return s.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

int CharCount(const QString& s)
{
    int n = 0;
    for (qsizetype i = 0; i < s.size(); i += unitsOf(s, i, 1))
        ++n;
    return n;
}

QString Left(const QString& s, int n) { return s.left(unitsOf(s, 0, std::max(0, n))); }
QString Right(const QString& s, int n) { return s.mid(unitsOf(s, 0, std::max(0, CharCount(s) - std::max(0, n)))); }

QString Mid(const QString& s, int start1, int length)
{
    const qsizetype from = unitsOf(s, 0, std::max(1, start1) - 1);
    return length < 0 ? s.mid(from) : s.mid(from, unitsOf(s, from, length));
}

QString FixedText(const QString& s, int width)
{
    const int chars = CharCount(s);
    if (chars >= width)
        return Left(s, width);
    return s + QString(width - chars, QLatin1Char(' '));
}

double Val(const QString& s)
{
    QString t;
    qsizetype i = 0;
    while (i < s.size() && (s[i] == QLatin1Char(' ') || s[i] == QLatin1Char('\t')))
        ++i;
    if (i < s.size() && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+')))
        t += s[i++];
    bool point = false;
    for (; i < s.size(); ++i) {
        QChar c = s[i];
        if (c.isDigit() && c.unicode() < 128)
            t += c;
        else if (c == QLatin1Char('.') && !point) {
            point = true;
            t += c;
        } else if (c == QLatin1Char(' ')) {
            continue;  // the runtime skips blanks inside the number
        } else
            break;
    }
    bool ok = false;
    double v = t.toDouble(&ok);
    return ok ? v : 0.0;
}

bool fitsInt16(long long value) { return value >= -32768 && value <= 32767; }

int16_t CInt(double value)
{
    if (std::isnan(value))
        throw RuntimeError(Err::Overflow, QStringLiteral("Overflow"));
    double r = std::nearbyint(value);  // default rounding mode: half to even
    if (r < -32768.0 || r > 32767.0)
        throw RuntimeError(Err::Overflow, QStringLiteral("Overflow"));
    return static_cast<int16_t>(r);
}

int32_t CLng(double value)
{
    if (std::isnan(value))
        throw RuntimeError(Err::Overflow, QStringLiteral("Overflow"));
    double r = std::nearbyint(value);
    if (r < -2147483648.0 || r > 2147483647.0)
        throw RuntimeError(Err::Overflow, QStringLiteral("Overflow"));
    return static_cast<int32_t>(r);
}

namespace {

// The value's decimal digits at 15 significant places, rounded half away from
// zero to `decimals` places. Returns the integer digits and the fraction
// digits (exactly `decimals` long).
void roundDecimal(double absValue, int decimals, QString& intDigits, QString& fracDigits)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", absValue);
    // buf: d.dddddddddddddde[+-]XX
    QString mant;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            mant += QLatin1Char(*p);
    int exp = (*p == 'e') ? std::atoi(p + 1) : 0;
    // Digits as an integer string with the decimal point after position exp+1.
    int pointPos = exp + 1;  // digits before the point
    if (pointPos <= 0) {
        mant = QString(-pointPos, QLatin1Char('0')) + mant;
        pointPos = 0;
    }
    while (mant.size() < pointPos + decimals + 1)
        mant += QLatin1Char('0');
    QString kept = mant.left(pointPos + decimals);
    bool roundUp = mant[pointPos + decimals].unicode() >= '5';
    if (roundUp) {
        int i = kept.size() - 1;
        for (; i >= 0; --i) {
            if (kept[i] == QLatin1Char('9'))
                kept[i] = QLatin1Char('0');
            else {
                kept[i] = QChar(kept[i].unicode() + 1);
                break;
            }
        }
        if (i < 0) {
            kept.prepend(QLatin1Char('1'));
            ++pointPos;
        }
    }
    intDigits = kept.left(pointPos);
    fracDigits = kept.mid(pointPos);
    while (intDigits.size() > 0 && intDigits[0] == QLatin1Char('0'))
        intDigits.remove(0, 1);
}

}  // namespace

QString Format(double value, const QString& mask)
{
    const qsizetype dot = mask.indexOf(QLatin1Char('.'));
    const QString intMask = dot < 0 ? mask : mask.left(dot);
    const QString decMask = dot < 0 ? QString() : mask.mid(dot + 1);
    const bool grouping = intMask.contains(QLatin1Char(','));
    const int minInt = int(intMask.count(QLatin1Char('0')));
    const int minDec = int(decMask.count(QLatin1Char('0')));
    const int maxDec = minDec + int(decMask.count(QLatin1Char('#')));

    QString intDigits, fracDigits;
    roundDecimal(std::fabs(value), maxDec, intDigits, fracDigits);
    while (fracDigits.size() > minDec && fracDigits.endsWith(QLatin1Char('0')))
        fracDigits.chop(1);
    while (intDigits.size() < minInt)
        intDigits.prepend(QLatin1Char('0'));

    const QLocale loc;
    if (grouping && intDigits.size() > 3) {
        const QString sep = loc.groupSeparator();
        QString grouped;
        const qsizetype n = intDigits.size();
        for (qsizetype i = 0; i < n; ++i) {
            if (i > 0 && (n - i) % 3 == 0)
                grouped += sep;
            grouped += intDigits[i];
        }
        intDigits = grouped;
    }
    QString out = intDigits;
    if (dot >= 0)
        out += loc.decimalPoint() + fracDigits;
    const bool isZero = !std::any_of(out.begin(), out.end(), [](QChar c) { return c.isDigit() && c != QLatin1Char('0'); });
    if (value < 0 && !isZero)
        out.prepend(QLatin1Char('-'));
    return out;
}

namespace {

// No region set (C or POSIX): the program's own month/day/year, as its
// windows' hints say.
bool noRegion() { return QLocale().language() == QLocale::C; }

}  // namespace

// The regional short date's order, its quoted text skipped.
QString DateFieldOrder()
{
    if (noRegion())
        return QStringLiteral("Mdy");
    const QString f = QLocale().dateFormat(QLocale::ShortFormat);
    QString order;
    bool quoted = false;
    for (QChar c : f) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        else if (!quoted && (c == QLatin1Char('d') || c == QLatin1Char('M') || c == QLatin1Char('y')) &&
                 !order.contains(c))
            order += c;
    }
    return order.size() == 3 ? order : QStringLiteral("Mdy");
}

namespace {

// The date order's fields by the names given for day, month and year, joined
// by "/".
QString dateOrderText(const char* day, const char* month, const char* year)
{
    QStringList names;
    for (QChar c : DateFieldOrder())
        names << QLatin1String(c == QLatin1Char('d') ? day : c == QLatin1Char('M') ? month : year);
    return names.join(QLatin1Char('/'));
}

}  // namespace

QString DateOrderLetters() { return dateOrderText("d", "m", "y"); }
QString DateOrderWords() { return dateOrderText("day", "month", "year"); }
QString DateOrderMask() { return dateOrderText("dd", "mm", "yy"); }

namespace {

// A run of decimal digits in any script as a number; -1 for none.
int digitsValue(const QString& s)
{
    if (s.isEmpty())
        return -1;
    int v = 0;
    for (QChar c : s) {
        if (c.digitValue() < 0)
            return -1;
        v = v * 10 + c.digitValue();
    }
    return v;
}

// Two-digit years fall in 1930..2029.
int fullYear(const QString& digits)
{
    const int y = digitsValue(digits);
    if (digits.size() == 2)
        return y < 30 ? 2000 + y : 1900 + y;
    return digits.size() == 4 ? y : -1;
}

// Three numbers with separators: the ISO form when the first has four digits,
// otherwise the regional order with one- or two-digit day and month and a two-
// or four-digit year. A regional short date may end in a dot or its own suffix.
std::optional<QDate> parseNumericDate(const QString& t)
{
    static const QRegularExpression re(QStringLiteral("^(\\d+)[/.\\- ]+(\\d+)[/.\\- ]+(\\d+)(\\D*)$"),
                                       QRegularExpression::UseUnicodePropertiesOption);
    const auto m = re.match(t);
    if (!m.hasMatch())
        return std::nullopt;
    const QString tail = m.captured(4).trimmed();
    if (!tail.isEmpty() && tail != QLatin1String(".")) {
        // Whatever the regional short date itself carries after its last digit.
        const QString sample = QLocale().toString(QDate(2026, 12, 25), QLocale::ShortFormat);
        qsizetype last = sample.size();
        while (last > 0 && !sample[last - 1].isDigit())
            --last;
        if (tail != sample.mid(last).trimmed())
            return std::nullopt;
    }
    const QString parts[3] = {m.captured(1), m.captured(2), m.captured(3)};
    const QString order = parts[0].size() == 4 ? QStringLiteral("yMd") : DateFieldOrder();
    int day = -1, month = -1, year = -1;
    for (int i = 0; i < 3; ++i) {
        const QChar field = order[i];
        if (field == QLatin1Char('y')) {
            year = fullYear(parts[i]);
        } else if (parts[i].size() <= 2) {
            (field == QLatin1Char('d') ? day : month) = digitsValue(parts[i]);
        }
    }
    const QDate d(year, month, day);
    if (year < 100 || !d.isValid())
        return std::nullopt;
    return d;
}

}  // namespace

QString ShortDateFormat()
{
    if (noRegion())
        return QStringLiteral("M/d/yyyy");
    QString f = QLocale().dateFormat(QLocale::ShortFormat);
    // A four-digit year keeps dates unambiguous in the game list and in files.
    if (!f.contains(QLatin1String("yyyy")))
        f.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return f;
}

QString ShortDate(const QDate& d)
{
    if (!d.isValid())
        return {};
    return QLocale().toString(d, ShortDateFormat());
}

QString NumericShortDate(const QDate& d)
{
    if (!d.isValid())
        return {};
    const QString f = ShortDateFormat();
    QChar sep = QLatin1Char('/');
    for (QChar c : {QLatin1Char('/'), QLatin1Char('.'), QLatin1Char('-')})
        if (f.contains(c)) {
            sep = c;
            break;
        }
    QStringList fields;
    for (QChar c : DateFieldOrder()) {
        if (c == QLatin1Char('y'))
            fields << QStringLiteral("yyyy");
        else
            fields << (f.contains(QString(2, c)) ? QString(2, c) : QString(c));
    }
    return QLocale().toString(d, fields.join(sep));
}

std::optional<QDate> ParseDate(const QString& text)
{
    const QString t = text.simplified();
    if (t.isEmpty())
        return std::nullopt;
    if (auto d = parseNumericDate(t))
        return d;
    // Dates written with a month name, in the regional language or in English.
    static const char* const named[] = {"MMMM d, yyyy", "MMMM d yyyy", "MMM d, yyyy", "MMM d yyyy", "d MMMM yyyy",
                                        "d MMM yyyy",   "d-MMM-yyyy",  "d-MMM-yy"};
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (const char* f : named) {
        const QString format = QLatin1String(f);
        for (const QLocale& l : {QLocale(), english}) {
            QDate d = l.toDate(t, format);
            if (!d.isValid())
                continue;
            if (!format.contains(QLatin1String("yyyy"))) {
                const int y = d.year() % 100;
                d = QDate(y < 30 ? 2000 + y : 1900 + y, d.month(), d.day());
            }
            if (d.year() < 100 || d.year() > 9999)
                continue;
            return d;
        }
    }
    return std::nullopt;
}

bool IsDate(const QString& text) { return ParseDate(text).has_value(); }

}  // namespace vh
