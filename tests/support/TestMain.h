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
// usual separator, year-first with a trailing dot, and none.
inline void addRegionRows()
{
    QTest::addColumn<QString>("region");
    for (const char* r : {"en_US", "en_GB", "de_DE", "fr_FR", "hu_HU", "C"})
        QTest::newRow(r) << QString::fromLatin1(r);
}

// The 5th of January 2026 as a user of the region types it, day and month in
// as few digits as the region allows.
inline QString fifthOfJanuaryAsTyped(const QString& region)
{
    if (region == QLatin1String("de_DE"))
        return QStringLiteral("5.1.2026");
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
