#include "platform/RuntimeError.h"
#include "platform/basic/Basic.h"
#include "platform/basic/FixedString.h"
#include "platform/basic/OneBased.h"
#include "support/TestMain.h"

using namespace vh;

class TstBasic : public QObject {
    Q_OBJECT
private slots:
    void textsAndSubstrings()
    {
        QCOMPARE(Str(0), QStringLiteral(" 0"));  // a blank before what is not negative
        QCOMPARE(Str(-5), QStringLiteral("-5"));
        QCOMPARE(Trim(QStringLiteral("  a b  ")), QStringLiteral("a b"));
        QCOMPARE(Trim(QStringLiteral("\ta ")), QStringLiteral("\ta"));  // only blanks are trimmed
        QCOMPARE(Mid(QStringLiteral("abcdef"), 2, 3), QStringLiteral("bcd"));
        QCOMPARE(Mid(QStringLiteral("abc"), 5), QString());
        // Characters outside the basic plane count once and stay whole.
        const QString e = QStringLiteral("\U0001F600");
        QCOMPARE(CharCount(e + e), 2);
        QCOMPARE(Left(QStringLiteral("a") + e + e, 2), QStringLiteral("a") + e);
        QCOMPARE(Mid(e + e + QStringLiteral("b"), 2, 1), e);
        QCOMPARE(Right(e + e, 1), e);
        QCOMPARE(FixedText(QStringLiteral("ab") + e + e, 3), QStringLiteral("ab") + e);
        QCOMPARE(FixedText(e, 3), e + QStringLiteral("  "));
        FixedString<3> g3 = QStringLiteral("G");
        QCOMPARE(g3.str(), QStringLiteral("G  "));
        g3 = QStringLiteral("ABCD");
        QCOMPARE(g3.str(), QStringLiteral("ABC"));
        FixedString<1> flag;
        QVERIFY(!(flag == "Y"));
    }

    void valReadsLeadingNumber()
    {
        QCOMPARE(Val(QStringLiteral(" 14 pt")), 14.0);
        QCOMPARE(Val(QStringLiteral("abc")), 0.0);
        QCOMPARE(Val(QStringLiteral("-2.5x")), -2.5);
        QCOMPARE(Val(QString()), 0.0);
    }

    void cintRoundsHalfToEvenAndRefusesOverflow()
    {
        QCOMPARE(CInt(2.5), int16_t(2));
        QCOMPARE(CInt(3.5), int16_t(4));
        QCOMPARE(CInt(-32768), int16_t(-32768));
        QCOMPARE(CInt(32767.4), int16_t(32767));
        bool threw = false;
        try {
            CInt(32768);
        } catch (const RuntimeError& e) {
            threw = e.number() == Err::Overflow;
        }
        QVERIFY(threw);
    }

    void fitsInt16TakesTheWholeRangeAndNoMore()
    {
        QVERIFY(fitsInt16(32767));
        QVERIFY(fitsInt16(-32768));
        QVERIFY(!fitsInt16(32768));
        QVERIFY(!fitsInt16(-32769));
    }

    void formatMasks_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("expected");
        // Rounding and digits; the number formatters' own masks are checked
        // through the formatters.
        QTest::newRow("whole, more digits than mask") << 123456789.0 << "#,###,##0" << "123,456,789";
        QTest::newRow("half away from zero") << 0.125 << "0.00" << "0.13";
        QTest::newRow("negative half away from zero") << -0.125 << "0.00" << "-0.13";
        QTest::newRow("carry into new digit") << 999.96 << "#,##0.0" << "1,000.0";
        QTest::newRow("rounds to zero drops sign") << -0.0001 << "0.00" << "0.00";
    }
    void formatMasks()
    {
        QFETCH(double, value);
        QFETCH(QString, mask);
        QFETCH(QString, expected);
        QCOMPARE(Format(value, mask), expected);
    }

    void datesFollowRegionalSettings()
    {
        QCOMPARE(ShortDate(QDate(2026, 12, 6)), QStringLiteral("12/6/2026"));
        QVERIFY(IsDate(QStringLiteral("May 5, 2025")));
        QVERIFY(!IsDate(QStringLiteral("")));
        QVERIFY(!IsDate(QStringLiteral("12/6/2026 x")));
        QCOMPARE(*ParseDate(QStringLiteral("1/2/29")), QDate(2029, 1, 2));
        QCOMPARE(*ParseDate(QStringLiteral("1/2/30")), QDate(1930, 1, 2));
        QCOMPARE(*ParseDate(QStringLiteral("2/29/2024")), QDate(2024, 2, 29));
        QVERIFY(!IsDate(QStringLiteral("2/29/2023")));
    }

    void datesTypedInEachRegion_data() { test::addRegionRows(); }
    void datesTypedInEachRegion()
    {
        QFETCH(QString, region);
        test::RegionalSettings settings(region);
        // As typed in the region, with two-digit days, months and years too, and ISO.
        const QString typed = test::fifthOfJanuaryAsTyped(region);
        QString twoDigits = QString(typed).replace(QStringLiteral("2026"), QStringLiteral("26"));
        twoDigits.replace(QRegularExpression(QStringLiteral("\\b(\\d)\\b")), QStringLiteral("0\\1"));
        for (const QString& t : {typed, QString(typed).replace(QStringLiteral("2026"), QStringLiteral("26")), twoDigits,
                                 QStringLiteral("2026-01-05")})
            QCOMPARE(ParseDate(t), std::optional(QDate(2026, 1, 5)));
        if (region == QLatin1String("hu_HU"))
            QCOMPARE(ParseDate(QStringLiteral("2026.01.05")), std::optional(QDate(2026, 1, 5)));
        if (region == QLatin1String("C"))  // no region: month/day/year, as the windows' hints say
            QCOMPARE(ParseDate(QStringLiteral("10/11/2026")), std::optional(QDate(2026, 10, 11)));
        for (const char* bad : {"13/45/2026", "45.13.2026", "1/5/202", "1/5/02026", "2026-13-01", "5 1", "soon"})
            QVERIFY2(!IsDate(QString::fromLatin1(bad)), bad);
        // What the program writes it reads back, in the regional and the
        // narrow numeric form alike.
        for (const QDate& d : {QDate(2026, 12, 25), QDate(2026, 1, 5), QDate(1999, 7, 31)}) {
            QCOMPARE(ParseDate(ShortDate(d)), std::optional(d));
            QVERIFY(NumericShortDate(d).size() <= 10);
            QCOMPARE(ParseDate(NumericShortDate(d)), std::optional(d));
        }
    }

    // The windows' hints and messages name the order a date is read in: typed
    // as they ask, a date is read as meant, with a day of 12 or less (which
    // the other order would read too) and over 12; typed the other way with a
    // day over 12 it is refused, never swapped; and it is shown back in the
    // order named.
    void datesAreReadInTheOrderTheWindowsName_data()
    {
        QTest::addColumn<QString>("region");
        QTest::addColumn<QStringList>("names");     // letters, words, mask
        QTest::addColumn<QString>("thirdOfApril");  // 2008, typed as asked
        QTest::addColumn<QString>("october17");     // 2026, typed as asked
        QTest::addColumn<QString>("otherWay");      // 17 October 2026 in another order
        QTest::addColumn<QString>("shown");         // 17 October 2026 shown back
        const QStringList us{"m/d/y", "month/day/year", "mm/dd/yy"};
        const QStringList dayFirst{"d/m/y", "day/month/year", "dd/mm/yy"};
        const QStringList yearFirst{"y/m/d", "year/month/day", "yy/mm/dd"};
        QTest::newRow("en_US") << "en_US" << us << "04/03/08" << "10/17/26" << "17/10/26" << "10/17/2026";
        QTest::newRow("C") << "C" << us << "4/3/2008" << "10/17/2026" << "17/10/2026" << "10/17/2026";
        QTest::newRow("de_DE") << "de_DE" << dayFirst << "03/04/08" << "17/10/26" << "10/17/26" << "17.10.2026";
        QTest::newRow("fr_FR") << "fr_FR" << dayFirst << "3/4/08" << "17.10.2026" << "10/17/2026" << "17/10/2026";
        QTest::newRow("tr_TR") << "tr_TR" << dayFirst << "03.04.2008" << "17/10/26" << "10/17/26" << "17.10.2026";
        QTest::newRow("ja_JP") << "ja_JP" << yearFirst << "08/04/03" << "26/10/17" << "10/17/26" << "2026/10/17";
        QTest::newRow("hu_HU") << "hu_HU" << yearFirst << "08/4/3" << "2026. 10. 17." << "10/17/26" << "2026. 10. 17.";
    }
    void datesAreReadInTheOrderTheWindowsName()
    {
        QFETCH(QString, region);
        QFETCH(QStringList, names);
        QFETCH(QString, thirdOfApril);
        QFETCH(QString, october17);
        QFETCH(QString, otherWay);
        QFETCH(QString, shown);
        test::RegionalSettings settings(region);
        QCOMPARE(QStringList({DateOrderLetters(), DateOrderWords(), DateOrderMask()}), names);
        QCOMPARE(ParseDate(thirdOfApril), std::optional(QDate(2008, 4, 3)));
        QCOMPARE(ParseDate(october17), std::optional(QDate(2026, 10, 17)));
        QVERIFY(!IsDate(otherWay));
        QCOMPARE(ShortDate(QDate(2026, 10, 17)), shown);
    }

    void oneBasedArraysCheckTheirBounds()
    {
        OneBased<int16_t> a(32, 0);
        a[1] = 5;
        a[32] = 7;
        QCOMPARE(a[1], int16_t(5));
        bool threw = false;
        try {
            a[33] = 1;
        } catch (const RuntimeError& e) {
            threw = e.number() == Err::SubscriptOutOfRange;
        }
        QVERIFY(threw);
        a.redimPreserve(40, 0);
        QCOMPARE(a[32], int16_t(7));
        a.redim(2, 0);
        QCOMPARE(a[1], int16_t(0));
    }
};

VH_TEST_MAIN(TstBasic)
#include "tst_basic.moc"
