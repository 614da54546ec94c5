#include "games/GameTestData.h"
#include "shell/Renumber.h"
#include "support/TestMain.h"

#include <QElapsedTimer>

using namespace vh;
using namespace vh::test;

namespace {

// A game header in the buffer, as the header screen leaves it before saving.
void setBuffer(const char* mode, int16_t number, int16_t old, const QString& opponent)
{
    g.GameEditMode = mode;
    g.OldGameNumber = old;
    g.GameRec = GameRecord{.teamNumber = g.CurrentTeam, .gStatNumber = NextGStatNumber(Db()).value(), .gameNumber = number,
                           .periods = 3, .gameDate = QStringLiteral("12/5/2026"), .location = QStringLiteral("Arena"),
                           .homeTeam = true, .opponent = opponent, .goals = 4, .goalsPeriod1 = 1, .goalsPeriod2 = 2,
                           .goalsPeriod3 = 1, .oppGoals = 2, .oppGoalsPeriod1 = 2, .pp = 5, .ppg = 2, .sh = 3,
                           .kills = 2, .notes = QStringLiteral("typed notes")};
    g.GameInfoChanged = "N";
}

// Writes the buffer as the header screen hands it over.
RenumberOutcome renumber()
{
    return RenumberGames(Db(), {g.GameEditMode.str(), g.CurrentTeam, g.OldGameNumber, g.GameInfoChanged == "Y", g.GameRec});
}

// Team 1's games G1..Gn, two players and one goalie each, and team 2's three
// games that nothing here may touch.
void season(int games)
{
    for (int k = 1; k <= games; ++k)
        addStoredGame(1, int16_t(k), k);
    for (int k = 1; k <= 3; ++k)
        addStoredGame(2, int16_t(k), 90 + k);
}

// Every game's player and goalie rows stand under its number, and no row is
// left under a number that has no game.
void verifyRowsFollowGames(int16_t team)
{
    const QStringList order = gameOrder(team);
    QList<int> numbers;
    for (int i = 0; i < order.size(); ++i) {
        numbers << i + 1;
        const int marker = order[i].mid(1).toInt();  // 0 for the new game, which has no rows
        QCOMPARE(statMarkers("PlayerStats", team, int16_t(i + 1)), marker ? QList<int>({marker, marker}) : QList<int>());
        QCOMPARE(statMarkers("GoalieStats", team, int16_t(i + 1)), marker ? QList<int>({marker}) : QList<int>());
    }
    QCOMPARE(gameNumbers(team), numbers);
    for (const char* table : {"PlayerStats", "GoalieStats"}) {
        const int orphans = Db().scalar(QStringLiteral("select count(*) from ") + QLatin1String(table) +
                                            QStringLiteral(" where TeamNumber = ? and (GameNumber < 1 or GameNumber > ?)"),
                                        {int(team), int(order.size())})
                                .toInt();
        QCOMPARE(orphans, 0);
    }
}

}  // namespace

class TstRenumber : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
    void init()
    {
        env = TestEnv::withNewDatabase();
        setGameState({{1, "Oaks"}, {2, "Pines"}});
    }
    void cleanup() { env.reset(); }

    void nextNumbersTakeTheLargestPlusOne()
    {
        QCOMPARE(NextPersonNumber(Db()).value(), int16_t(1));
        QCOMPARE(NextGStatNumber(Db()).value(), int16_t(1));
        QCOMPARE(NextGameNumber(Db(), 1).value(), int16_t(1));
        for (int p : {1, 2, 7})
            Db().execute(QStringLiteral("insert into People (PersonNumber) values (?)"), {p});
        QCOMPARE(NextPersonNumber(Db()).value(), int16_t(8));
        season(4);
        QCOMPARE(NextGameNumber(Db(), 1).value(), int16_t(5));
        QCOMPARE(NextGameNumber(Db(), 2).value(), int16_t(4));
        QCOMPARE(NextGameNumber(Db(), 3).value(), int16_t(1));
        QCOMPARE(NextGStatNumber(Db()).value(), int16_t(94));
    }

    // Keys are 16-bit: the largest is still given, then nothing, never a
    // wrapped or repeated number.
    void nextNumbersStopAtTheLargestKey()
    {
        const auto setLargest = [](int person, int serial, int game) {
            Db().execute(QStringLiteral("delete from People"));
            Db().execute(QStringLiteral("delete from GameStats"));
            Db().execute(QStringLiteral("insert into People (PersonNumber) values (?)"), {person});
            Db().execute(QStringLiteral("insert into GameStats (TeamNumber, GStatNumber, GameNumber) values (1, ?, ?)"),
                         {serial, game});
        };
        setLargest(32766, 32765, 32764);
        QCOMPARE(NextPersonNumber(Db()), std::optional<int16_t>(32767));
        QCOMPARE(NextGStatNumber(Db()), std::optional<int16_t>(32766));
        QCOMPARE(NextGameNumber(Db(), 1), std::optional<int16_t>(32765));
        setLargest(32767, 32766, 32765);
        QCOMPARE(NextPersonNumber(Db()), std::nullopt);
        QCOMPARE(NextGStatNumber(Db()), std::optional<int16_t>(32767));
        QCOMPARE(NextGameNumber(Db(), 1), std::optional<int16_t>(32766));
        setLargest(-5, 32767, 32767);
        QCOMPARE(NextPersonNumber(Db()), std::optional<int16_t>(1));  // never 0 or below
        QCOMPARE(NextGStatNumber(Db()), std::nullopt);
        QCOMPARE(NextGameNumber(Db(), 1), std::nullopt);
        QCOMPARE(NextGameNumber(Db(), 2), std::optional<int16_t>(1));  // other teams go on

        // A number already handed out counts as taken.
        const QString people = QStringLiteral("select max([PersonNumber]) as [result] from People");
        QCOMPARE(NextNumberFromMax(Db(), people, {}, 32767), std::optional<int16_t>(32767));
        QCOMPARE(NextNumberFromMax(Db(), people, {}, 32768), std::nullopt);
    }

    void addingTheFirstGameWritesEveryField()
    {
        setBuffer("A", NextGameNumber(Db(), 1).value(), 1, QStringLiteral("Pines"));
        g.GameRec.opponentTeamNumber = 2;
        g.GameRec.overtime = true;
        QVERIFY(renumber().written);
        QCOMPARE(Db().scalar(QStringLiteral("select GameNumber || '|' || GStatNumber || '|' || GameDate || '|' || Location "
                                            "|| '|' || HomeTeam || '|' || Opponent || '|' || OpponentTeamNumber || '|' || "
                                            "Goals || GoalsPeriod3 || OppGoalsPeriod1 || Kills || '|' || Overtime || '|' "
                                            "|| notes from GameStats where TeamNumber = 1"))
                     .toString(),
                 QStringLiteral("1|1|2026-12-05|Arena|-1|Pines|2|4122|-1|typed notes"));

        // A game without a date stores none.
        setBuffer("A", NextGameNumber(Db(), 1).value(), 2, QStringLiteral("Elms"));
        g.GameRec.gameDate.clear();
        QVERIFY(renumber().written);
        QVERIFY(Db().scalar(QStringLiteral("select GameDate from GameStats where Opponent = 'Elms'")).isNull());
    }

    // One write to team 1's five games: `from` is the game changed or deleted
    // (6, the next free number, for a new one), `to` its new number.
    void gamesMoveWithTheirRows_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("add first") << "A" << 6 << 1 << QStringList({"New", "G1", "G2", "G3", "G4", "G5"});
        QTest::newRow("add in the middle") << "A" << 6 << 3 << QStringList({"G1", "G2", "New", "G3", "G4", "G5"});
        QTest::newRow("2 to 4") << "C" << 2 << 4 << QStringList({"G1", "G3", "G4", "G2", "G5"});
        QTest::newRow("4 to 2") << "C" << 4 << 2 << QStringList({"G1", "G4", "G2", "G3", "G5"});
        QTest::newRow("1 to 5") << "C" << 1 << 5 << QStringList({"G2", "G3", "G4", "G5", "G1"});
        QTest::newRow("5 to 1") << "C" << 5 << 1 << QStringList({"G5", "G1", "G2", "G3", "G4"});
        QTest::newRow("delete 3") << "D" << 3 << 3 << QStringList({"G1", "G2", "G4", "G5"});
        QTest::newRow("delete the last") << "D" << 5 << 5 << QStringList({"G1", "G2", "G3", "G4"});
        QTest::newRow("another mode") << "S" << 6 << 1 << QStringList({"G1", "G2", "G3", "G4", "G5"});
    }
    void gamesMoveWithTheirRows()
    {
        QFETCH(QString, mode);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QStringList, order);
        season(5);
        // A changed game keeps its opponent name so that its rows can be traced.
        setBuffer(qPrintable(mode), int16_t(to), int16_t(from), mode == "C" ? QStringLiteral("G%1").arg(from) : "New");
        QVERIFY(renumber().written);
        QCOMPARE(gameOrder(1), order);
        verifyRowsFollowGames(1);
        QCOMPARE(gameOrder(2), QStringList({"G91", "G92", "G93"}));
        verifyRowsFollowGames(2);
        // Stored games keep their serial numbers; a new one takes the next.
        QCOMPARE(Db().scalar(QStringLiteral("select count(*) from GameStats where Opponent <> 'New' and "
                                            "GStatNumber <> cast(substr(Opponent, 2) as integer)"))
                     .toInt(),
                 0);
        QCOMPARE(Db().scalar("select GStatNumber from GameStats where Opponent = 'New'").toInt(), mode == "A" ? 94 : 0);
        if (mode == "A" || mode == "C")
            QCOMPARE(Db().scalar(QStringLiteral("select Location from GameStats where TeamNumber = 1 and GameNumber = ?"),
                                 {to})
                         .toString(),
                     QStringLiteral("Arena"));
    }

    void changedTypeReachesThePlayerRowsOnlyWhenAsked()
    {
        season(3);
        setBuffer("C", 2, 2, QStringLiteral("G2"));
        g.GameRec.gameType = 7;
        g.GameRec.homeTeam = false;
        QVERIFY(renumber().written);  // GameInfoChanged "N"
        const QString rows = QStringLiteral("select count(*) from %1 where TeamNumber = 1 and GameType = 7 and HomeTeam = 0");
        QCOMPARE(Db().scalar(rows.arg("PlayerStats")).toInt(), 0);
        QCOMPARE(Db().scalar(QStringLiteral("select GameType from GameStats where Opponent = 'G2'")).toInt(), 7);

        g.GameInfoChanged = "Y";
        QVERIFY(renumber().written);
        QCOMPARE(Db().scalar(rows.arg("PlayerStats")).toInt(), 2);
        QCOMPARE(Db().scalar(rows.arg("GoalieStats")).toInt(), 1);
        QCOMPARE(statMarkers("PlayerStats", 1, 2), QList<int>({2, 2}));

        // A moved game's rows take the new values too, and only its rows.
        setBuffer("C", 3, 1, QStringLiteral("G1"));
        g.GameRec.gameType = 8;
        g.GameInfoChanged = "Y";
        QVERIFY(renumber().written);
        QCOMPARE(Db().scalar(QStringLiteral("select count(*) from PlayerStats where GameType = 8")).toInt(), 2);
        QCOMPARE(statMarkers("PlayerStats", 1, 3), QList<int>({1, 1}));
        QCOMPARE(Db().scalar(QStringLiteral("select min(GameType) from PlayerStats where TeamNumber = 1 and "
                                            "GameNumber = 3"))
                     .toInt(),
                 8);
    }

    void aFailureHalfWayLeavesEveryGameAsItWas()
    {
        season(5);
        // The engine refuses the move of game 3's goalie rows, after the
        // changed game was parked and other rows had moved.
        Db().execute(QStringLiteral("create trigger refuse before update of GameNumber on GoalieStats when "
                                    "old.PlayerNumber = 350 begin select raise(abort, 'refused'); end"));
        setBuffer("C", 4, 2, QStringLiteral("G2"));
        RenumberOutcome failed = renumber();
        QVERIFY(!failed.written);
        QVERIFY(failed.message.startsWith(QStringLiteral("The game could not be changed!\rEvery game keeps its number")));
        QCOMPARE(gameOrder(1), QStringList({"G1", "G2", "G3", "G4", "G5"}));
        verifyRowsFollowGames(1);
        QCOMPARE(Db().scalar(QStringLiteral("select count(*) from GameStats where GameNumber = 0")).toInt(), 0);
        QCOMPARE(Db().scalar("select Location from GameStats where Opponent = 'G2'").toString(), "Rink");
        QCOMPARE(Db().transactionDepth(), 0);

        // The same for an insert: the new game is not kept either.
        setBuffer("A", 1, 6, QStringLiteral("New"));
        failed = renumber();
        QVERIFY(!failed.written);
        QVERIFY(failed.message.startsWith(QStringLiteral("The game could not be added!")));
        QCOMPARE(gameOrder(1), QStringList({"G1", "G2", "G3", "G4", "G5"}));
        verifyRowsFollowGames(1);
    }

    void aSeasonMovesInAFewStatements()
    {
        // 80 games of 25 players and 2 goalies, in a database that also holds
        // three other teams' seasons.
        Db().beginTrans();
        for (int team = 1; team <= 4; ++team)
            for (int k = 1; k <= 80; ++k)
                addStoredGame(int16_t(team), int16_t(k), k, 25, 2);
        Db().commitTrans();
        QElapsedTimer timer;
        timer.start();
        setBuffer("A", 1, 81, QStringLiteral("New"));
        QVERIFY(renumber().written);
        const qint64 insert = timer.restart();
        setBuffer("C", 1, 81, QStringLiteral("G80"));
        QVERIFY(renumber().written);
        const qint64 move = timer.restart();
        g.GameEditMode = "D";
        g.GameRec.gameNumber = 2;
        QVERIFY(renumber().written);
        const qint64 remove = timer.elapsed();
        qInfo("insert %lld ms, move %lld ms, delete %lld ms", insert, move, remove);
        QCOMPARE(gameNumbers(1).size(), 80);
        QCOMPARE(gameOrder(1).first(), QStringLiteral("G80"));
        QCOMPARE(statMarkers("PlayerStats", 1, 1).size(), 25);
        QCOMPARE(statMarkers("PlayerStats", 1, 80).value(0), 79);
        QCOMPARE(gameNumbers(2).size(), 80);
        // Generous bounds that a row-by-row walk of the tables would miss on
        // a sanitizer build.
        QVERIFY(insert < 2000 && move < 2000 && remove < 2000);
    }
};

VH_TEST_MAIN(TstRenumber)
#include "tst_renumber.moc"
