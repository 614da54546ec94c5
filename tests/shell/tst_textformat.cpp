#include "games/GameTestData.h"
#include "shell/TextFormat.h"
#include "support/TestMain.h"

using namespace vh;
using namespace vh::test;

namespace {

// The game list's line of this game, stored as team 1's only one.
QString lineOf(int number, const QVariant& date, int type, const QString& opponent, int goals, int against)
{
    Db().execute(QStringLiteral("delete from GameStats"));
    Db().execute(QStringLiteral("insert into GameStats (TeamNumber, GameNumber, GameDate, GameType, Opponent, Goals, "
                                "OppGoals) values (1, ?, ?, ?, ?, ?, ?)"),
                 {number, date, type, opponent, goals, against});
    Recordset rs = Db().openRecordset(QStringLiteral("Select * from GameStats where TeamNumber = 1"));
    return FormatGameListLine(rs);
}

}  // namespace

class TstTextFormat : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
    void init()
    {
        env = TestEnv::withNewDatabase();
        setGameState({{1, "Oaks"}, {4, "  Pines Hockey Club"}},
                     {{1, "Regular Season"}, {2, "Tournament Championship"}});
    }
    void cleanup() { env.reset(); }

    void padText()
    {
        QString text = QStringLiteral("  ab ");
        QCOMPARE(PadText(text, 5, QStringLiteral("M")), QStringLiteral(" ab  "));
        QCOMPARE(text, QStringLiteral("ab"));  // the caller's text is trimmed
        QCOMPARE(PadText(QStringLiteral("ab"), 5, QStringLiteral("L")), QStringLiteral("   ab"));
        QCOMPARE(PadText(QStringLiteral("ab"), 5, QStringLiteral("R")), QStringLiteral("ab   "));
        QCOMPARE(PadText(QStringLiteral("abc"), 3, QStringLiteral("L")), QStringLiteral("abc"));
        QCOMPARE(PadText(QStringLiteral("abcd"), 3, QStringLiteral("R")), QString());
        QCOMPARE(PadText(QStringLiteral("ab"), 5, QStringLiteral("l")), QString());
    }

    // Number, date, type cut to 15, opponent cut to 25, score, result: 69 columns.
    void gameListLine()
    {
        const struct {
            int number;
            QVariant date;
            int type;
            QString opponent;
            int goals, against;
            QString line;
        } games[] = {
            {3, QStringLiteral("2026-12-15"), 1, QStringLiteral("Pines"), 4, 2,
             QStringLiteral("3   12/15/2026 Regular Season  Pines                       4-2   WON ")},
            {12, QVariant(), 0, QStringLiteral("Elms"), 4, 4,
             QStringLiteral("12             No Game Type    Elms                        4-4   tie ")},
            {1, QStringLiteral("2026-01-02"), 2, QStringLiteral("An Opponent With A Long Name"), 10, 2,
             QStringLiteral("1   1/2/2026   Tournament Cham An Opponent With A Long N  10-2   WON ")},
            {2, QVariant(), 9, QString(), 1, 3,
             QStringLiteral("2              No Game Type                                1-3   lost")},
        };
        for (const auto& game : games)
            QCOMPARE(lineOf(game.number, game.date, game.type, game.opponent, game.goals, game.against), game.line);
    }

    void datesInWords()
    {
        QCOMPARE(DayName(QStringLiteral("12/6/2026")), QStringLiteral("Sunday"));
        QCOMPARE(MonthName(QStringLiteral("12/5/2026"), QStringLiteral("S")), QStringLiteral("Dec"));
        QCOMPARE(MonthName(QStringLiteral("5/1/2026"), QStringLiteral("x")), QStringLiteral("May"));  // long but for "S"
        for (const QString& bad : {QString(), QStringLiteral("13/45/99"), QStringLiteral("soon")}) {
            QCOMPARE(DayName(bad), QString());
            QCOMPARE(MonthName(bad, QStringLiteral("L")), QString());
        }
    }

    void datesInEachRegion_data() { addRegionRows(); }
    void datesInEachRegion()
    {
        QFETCH(QString, region);
        RegionalSettings settings(region);
        const QDate day(2026, 1, 5);
        QCOMPARE(DayName(ShortDate(day)), QStringLiteral("Monday"));
        QCOMPARE(MonthName(ShortDate(day), QStringLiteral("L")), QStringLiteral("January"));
        QCOMPARE(MonthName(NumericShortDate(day), QStringLiteral("S")), QStringLiteral("Jan"));
        // The date keeps its 11 columns, and the line its shape, even where
        // the regional short date is wider (Hungarian "2026. 01. 05.").
        const QString line = lineOf(3, day, 1, QStringLiteral("Pines"), 4, 2);
        QCOMPARE(line.size(), 69);
        QCOMPARE(ParseDate(line.mid(4, 11)), std::optional(day));
        QCOMPARE(line.mid(15, 16), QStringLiteral("Regular Season  "));
    }

    // The game list's date as the region writes it while it fits in its 11
    // columns; a wider one in the region's numeric form: its order, its
    // separator, and a day and month of two digits where the region has them.
    void shortDateWhereTheRegionsIsTooWide_data()
    {
        QTest::addColumn<QString>("region");
        QTest::addColumn<QString>("shown");
        QTest::newRow("de_DE fits") << QStringLiteral("de_DE") << QStringLiteral("05.01.2026 ");
        QTest::newRow("bs_BA just fits") << QStringLiteral("bs_BA") << QStringLiteral("5. 1. 2026.");
        QTest::newRow("hr_HR") << QStringLiteral("hr_HR") << QStringLiteral("05.01.2026 ");  // "05. 01. 2026."
        QTest::newRow("hu_HU") << QStringLiteral("hu_HU") << QStringLiteral("2026.01.05 ");  // "2026. 01. 05."
        QTest::newRow("bg_BG") << QStringLiteral("bg_BG") << QStringLiteral("5.01.2026  ");  // "5.01.2026 г."
    }
    void shortDateWhereTheRegionsIsTooWide()
    {
        QFETCH(QString, region);
        QFETCH(QString, shown);
        RegionalSettings settings(region);
        QCOMPARE(lineOf(3, QDate(2026, 1, 5), 1, QStringLiteral("Pines"), 4, 2).mid(4, 11), shown);
    }

    void lookups()
    {
        QCOMPARE(GetGameTypeDescription(1).trimmed(), QStringLiteral("Regular Season"));
        QCOMPARE(GetGameTypeDescription(5), QStringLiteral("No Game Type"));  // a type nobody named
        QCOMPARE(GetLongTeamName(4), QStringLiteral("Pines Hockey Club"));
        QCOMPARE(GetShortTeamName(4), QStringLiteral("  Pines Hockey Club "));
        QCOMPARE(GetLongTeamName(0), QStringLiteral("Team Name Unknown"));
        QCOMPARE(GetShortTeamName(0), QStringLiteral("Team Name Unknown"));
    }

    void personNames()
    {
        Db().execute(QStringLiteral("insert into Roster (TeamNumber, PersonNumber, UniformNumber) values (3, 12, '12')"));
        Db().execute(QStringLiteral("insert into Roster (TeamNumber, PersonNumber, UniformNumber) values (3, 13, '  ')"));
        g.ShowPlayerNumberOption = True;
        const QString ann = QStringLiteral("Ann"), lee = QStringLiteral("Lee ");
        g.NameFormatOption = 0;
        QCOMPARE(PersonDisplayName(12, 3, ann, lee), QStringLiteral("Ann Lee-12"));
        g.NameFormatOption = 1;
        QCOMPARE(PersonDisplayName(12, 3, ann, lee), QStringLiteral("A Lee-12"));
        QCOMPARE(PersonDisplayName(12, 3, QStringLiteral(" Ann"), lee), QStringLiteral("  Lee-12"));
        g.NameFormatOption = 2;
        QCOMPARE(PersonDisplayName(12, 3, ann, lee), QStringLiteral("Lee-12"));
        QCOMPARE(PersonDisplayName(13, 3, ann, lee), QStringLiteral("Lee-"));
        QCOMPARE(PersonDisplayName(14, 3, ann, lee), QStringLiteral("Lee"));
        // Without the option the database is not read at all.
        g.ShowPlayerNumberOption = 1;
        g.Db.reset();
        QCOMPARE(PersonDisplayName(12, 3, ann, lee), QStringLiteral("Lee"));
    }

    void numberFormatters()
    {
        // One value through the one-, two-, three-decimal and whole-number formats.
        const auto all = [](float v) {
            return QStringList{FormatOneDecimal(v), FormatTwoDecimals(v), FormatThreeDecimals(v),
                               FormatWholeNumber(int32_t(v))};
        };
        g.ShowCommasOption = True;
        QCOMPARE(all(1234.5f), QStringList({"1,234.5", "1,234.50", "1,234.500", "1,234"}));
        QCOMPARE(FormatOneDecimal(1234.56f), QStringLiteral("1,234.6"));
        QCOMPARE(FormatOneDecimal(0.04f), QStringLiteral("0.0"));
        QCOMPARE(FormatTwoDecimals(-0.5f), QStringLiteral("-0.50"));
        QCOMPARE(FormatThreeDecimals(0.3333f), QStringLiteral(".333"));
        QCOMPARE(FormatThreeDecimals(1.5f), QStringLiteral("1.500"));
        QCOMPARE(all(0.0f), QStringList({"0.0", "0.00", ".000", "0"}));
        QCOMPARE(FormatWholeNumber(1234567), QStringLiteral("1,234,567"));
        g.ShowCommasOption = False;
        QCOMPARE(all(1234.5f), QStringList({"1234.5", "1234.50", "1234.500", "1234"}));

        // -1 is "not applicable"; -2 is a number.
        g.ShowNAOption = True;
        QCOMPARE(all(-1), QStringList({"na", "na", "na", "na"}));
        g.ShowNAOption = False;
        QCOMPARE(all(-1), QStringList({"0.0", "0.00", ".000", "0"}));
        QCOMPARE(all(-2), QStringList({"-2.0", "-2.00", "-2.000", "-2"}));
    }
};

VH_TEST_MAIN(TstTextFormat)
#include "tst_textformat.moc"
