#include "platform/basic/Basic.h"

#include "platform/RuntimeError.h"

#include <QLocale>
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

QString Left(const QString& s, int n) { return s.left(std::max(0, n)); }
QString Right(const QString& s, int n) { return s.right(std::max(0, n)); }

QString Mid(const QString& s, int start1, int length)
{
    if (start1 < 1)
        start1 = 1;
    return length < 0 ? s.mid(start1 - 1) : s.mid(start1 - 1, length);
}

QString FixedText(const QString& s, int width)
{
    if (s.size() >= width)
        return s.left(width);
    return s + QString(width - s.size(), QLatin1Char(' '));
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

QString ShortDateFormat()
{
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

namespace {

QStringList dateFormatsToTry()
{
    const QLocale loc;
    const QString shortFmt = loc.dateFormat(QLocale::ShortFormat);
    QStringList base;
    QString four = shortFmt, two = shortFmt;
    if (!four.contains(QLatin1String("yyyy")))
        four.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    if (two.contains(QLatin1String("yyyy")))
        two.replace(QLatin1String("yyyy"), QLatin1String("yy"));
    base << four << two;
    // The same order of day, month and year with the other usual separators.
    QStringList out;
    for (const QString& f : base) {
        for (QChar sep : {QLatin1Char('/'), QLatin1Char('-'), QLatin1Char('.')}) {
            QString g = f;
            for (QChar& c : g)
                if (c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char('.'))
                    c = sep;
            if (!out.contains(g))
                out << g;
        }
    }
    out << QStringLiteral("yyyy-M-d") << QStringLiteral("MMMM d, yyyy") << QStringLiteral("MMMM d yyyy")
        << QStringLiteral("MMM d, yyyy") << QStringLiteral("MMM d yyyy") << QStringLiteral("d MMMM yyyy")
        << QStringLiteral("d MMM yyyy") << QStringLiteral("d-MMM-yyyy") << QStringLiteral("d-MMM-yy");
    return out;
}

}  // namespace

std::optional<QDate> ParseDate(const QString& text)
{
    const QString t = text.simplified();
    if (t.isEmpty())
        return std::nullopt;
    static thread_local QString cachedLocale;
    static thread_local QStringList formats;
    if (cachedLocale != QLocale().name() || formats.isEmpty()) {
        cachedLocale = QLocale().name();
        formats = dateFormatsToTry();
    }
    const QLocale loc;
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (const QString& f : formats) {
        for (const QLocale* l : {&loc, &english}) {
            QDate d = l->toDate(t, f);
            if (!d.isValid())
                continue;
            const bool twoDigitYear = f.contains(QLatin1String("yy")) && !f.contains(QLatin1String("yyyy"));
            if (twoDigitYear) {
                int y = d.year() % 100;
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
