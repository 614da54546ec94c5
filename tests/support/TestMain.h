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
