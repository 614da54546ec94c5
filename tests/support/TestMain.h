#pragma once
// The main function of a test program: headless, en_US, one QApplication.

#include <QApplication>
#include <QLocale>
#include <QtTest>

namespace vh::test {
inline void prepareProcess()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LC_ALL", "en_US.UTF-8");
    qputenv("LANG", "en_US.UTF-8");
}

// The regional settings of one test, as a user of that region has them; the
// tests' own en_US comes back at the end. "C" stands for no region at all.
class RegionalSettings {
public:
    explicit RegionalSettings(const QString& name)
    {
        QLocale::setDefault(name == QLatin1String("C") ? QLocale::c() : QLocale(name));
    }
    ~RegionalSettings() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    RegionalSettings(const RegionalSettings&) = delete;
    RegionalSettings& operator=(const RegionalSettings&) = delete;
};

// The regions every date test runs under: month-first, day-first with each
// usual separator, year-first with a slash and with a trailing dot, and none.
inline void addRegionRows()
{
    QTest::addColumn<QString>("region");
    for (const char* r : {"en_US", "en_GB", "de_DE", "fr_FR", "tr_TR", "ja_JP", "hu_HU", "C"})
        QTest::newRow(r) << QString::fromLatin1(r);
}

// The columns of a window test that types dates under a region: the hint and
// the refusal's date order as the window should name them; a date with a day
// of 12 or less typed as the hint asks, and as the box shows it back; a date
// with a day over 12 typed as asked, and typed in another order.
struct TypedDates {
    QString region, hint, mask, early, shownEarly, late, otherWay;
};
inline void addTypedDateColumns()
{
    for (const char* column : {"region", "hint", "mask", "early", "shownEarly", "late", "otherWay"})
        QTest::addColumn<QString>(column);
}
// The current row of those columns.
inline TypedDates fetchTypedDates()
{
    const auto column = [](const char* name) {
        return *static_cast<const QString*>(QTest::qData(name, qMetaTypeId<QString>()));
    };
    return {column("region"), column("hint"), column("mask"), column("early"), column("shownEarly"),
            column("late"), column("otherWay")};
}

// The 5th of January 2026 as a user of the region types it, day and month in
// as few digits as the region allows.
inline QString fifthOfJanuaryAsTyped(const QString& region)
{
    if (region == QLatin1String("de_DE") || region == QLatin1String("tr_TR"))
        return QStringLiteral("5.1.2026");
    if (region == QLatin1String("ja_JP"))
        return QStringLiteral("2026/1/5");
    if (region == QLatin1String("hu_HU"))
        return QStringLiteral("2026. 1. 5.");
    if (region == QLatin1String("en_GB") || region == QLatin1String("fr_FR"))
        return QStringLiteral("5/1/2026");
    return QStringLiteral("1/5/2026");
}
}  // namespace vh::test

#define VH_TEST_MAIN(TestClass)                                                     \
    int main(int argc, char** argv)                                                 \
    {                                                                               \
        vh::test::prepareProcess();                                                 \
        QApplication app(argc, argv);                                               \
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));      \
        TestClass tc;                                                               \
        return QTest::qExec(&tc, argc, argv);                                       \
    }
