// The roster report's lines against a database the test fills.
#include "TeamReportTestData.h"
#include "reports/RosterReport.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"

using namespace vh;
using namespace vh::test;

namespace {

// Team 1's roster with every part shown.
const RosterInput kEverything{1};

}  // namespace

class TstRosterReport : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
    void init() { env = TestEnv::withNewDatabase(); }
    void cleanup() { env.reset(); }

    void fullBlockAndItsSwitches()
    {
        const PersonSpec p{" Ann ", "Lee ", " 1 Main St ", "Apt 2", "Springfield", "IL", "62701",
                           "555-1000", "555-2000", "ann@example.org", QDate(1990, 1, 5)};
        addRosterPlayer(1, 7, p, QStringLiteral("12 "), QStringLiteral("Left shot"));
        addRosterPlayer(1, 8, {.first = "Bo", .last = "Ray"});
        QCOMPARE(ComputeRoster(Db(), kEverything),
                 (QStringList{"Ann Lee - 12", "1 Main St", "Apt 2", "Springfield, IL 62701", "Home Phone: 555-1000",
                              "Work Phone: 555-2000", "Email: ann@example.org", "Birth Date: Friday, January 5, 1990",
                              "Notes: Left shot", "", "Bo Ray", ""}));
        RosterInput in = kEverything;
        in.showAddress = false;
        in.showPhoneNumbers = false;
        QCOMPARE(ComputeRoster(Db(), in),
                 (QStringList{"Ann Lee - 12", "Email: ann@example.org", "Birth Date: Friday, January 5, 1990",
                              "Notes: Left shot", "", "Bo Ray", ""}));
        in = kEverything;
        in.showPlayerNumber = in.showEmail = in.showBirthDate = in.showNotes = false;
        in.showAddress = in.showPhoneNumbers = false;
        QCOMPARE(ComputeRoster(Db(), in), (QStringList{"Ann Lee", "", "Bo Ray", ""}));
    }

    void townLineAndMissingPeople()
    {
        QCOMPARE(ComputeRoster(Db(), kEverything), QStringList{"No Players on Roster"});
        addRosterPlayer(1, 4, {.first = "Not", .last = "Player"}, {}, {}, false);
        QCOMPARE(ComputeRoster(Db(), kEverything), QStringList());
        addRosterPlayer(1, 1, {.first = "A", .last = "One", .state = "ON"});
        addRosterPlayer(1, 2, {.first = "B", .last = "Two", .city = "Oslo"}, QStringLiteral(" "));
        addRosterPlayer(1, 3, {.first = "C", .last = "Three", .city = "Bern", .zip = "3000"});
        Db().execute(QStringLiteral("insert into Roster (TeamNumber, PersonNumber, PlayerIndicator) values (1, 99, -1)"));
        QCOMPARE(ComputeRoster(Db(), kEverything),
                 (QStringList{"A One", "ON ", "", "B Two", "Oslo", "", "C Three", "Bern, 3000", ""}));
        // A blank uniform number gives no " - " either.
        Db().execute(QStringLiteral("update Roster set UniformNumber = '' where PersonNumber = 2"));
        QCOMPARE(ComputeRoster(Db(), kEverything)[3], QStringLiteral("B Two"));
    }

    void notesWrapAtTheLastBlankWithinFifty()
    {
        // 43 characters fit beside "Notes: "; 44 make 51 and cut at a blank.
        const QString fits = QString(20, QLatin1Char('a')) + QLatin1Char(' ') + QString(22, QLatin1Char('b'));
        QCOMPARE(WrapNotes(fits), QStringList{QStringLiteral("Notes: ") + fits});
        const QString over = fits + QLatin1Char('c');
        QCOMPARE(WrapNotes(over),
                 (QStringList{QStringLiteral("Notes: ") + QString(20, QLatin1Char('a')) + QLatin1Char(' '),
                              QString(22, QLatin1Char('b')) + QLatin1Char('c')}));
        const QString word(60, QLatin1Char('w'));
        // The blank after "Notes:" is the last one; the word itself is cut hard.
        QCOMPARE(WrapNotes(word), (QStringList{QStringLiteral("Notes: "), word.left(50), word.mid(50)}));
        QCOMPARE(WrapNotes(QString(60000, QLatin1Char('x'))).size(), 1000);  // after 1000 cuts the rest is left out
    }

    // A line break, stored as LF, CR LF or a lone CR, starts a new note line,
    // and each line wraps like the first.
    void lineBreaksStartNewNoteLines()
    {
        for (const QString& br : {QStringLiteral("\n"), QStringLiteral("\r\n"), QStringLiteral("\r")}) {
            QCOMPARE(WrapNotes(QStringLiteral("Left shot") + br + QStringLiteral("Captain") + br + br +
                               QStringLiteral("Tall ") + br),
                     (QStringList{"Notes: Left shot", "Captain", "", "Tall "}));
        }
        // 43 characters fill the first line before the break; 44 wrap first.
        const QString fits = QString(20, QLatin1Char('a')) + QLatin1Char(' ') + QString(22, QLatin1Char('b'));
        QCOMPARE(WrapNotes(fits + QStringLiteral("\nx")), (QStringList{QStringLiteral("Notes: ") + fits, "x"}));
        QCOMPARE(WrapNotes(fits + QStringLiteral("c\r\nx")),
                 (QStringList{QStringLiteral("Notes: ") + QString(20, QLatin1Char('a')) + QLatin1Char(' '),
                              QString(22, QLatin1Char('b')) + QLatin1Char('c'), "x"}));
        const QString word(60, QLatin1Char('w'));
        QCOMPARE(WrapNotes(QStringLiteral("x\r") + word), (QStringList{"Notes: x", word.left(50), word.mid(50)}));
        // Each break is a cut.
        const QStringList breaks = WrapNotes(QString(3000, QLatin1Char('\n')) + QLatin1Char('x'));
        QCOMPARE(breaks.size(), 1000);
        QCOMPARE(breaks.last(), QString());
    }
};

VH_TEST_MAIN(TstRosterReport)
#include "tst_rosterreport.moc"
