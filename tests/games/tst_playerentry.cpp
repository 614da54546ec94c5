// The entry screen's records against a real database: loading a game and its
// stored rows, merging an edited roster, and the save's rows, transaction and
// the rows it must leave alone.

#include "games/GameTestData.h"
#include "games/PlayerEntry.h"
#include "support/TestMain.h"

using namespace vh;
using vh::test::TestEnv;
using vh::test::addStatsRow;

namespace {

constexpr int16_t Team = 1;
constexpr int16_t Game = 3;

// The stored rows of `table` that meet `where`, each as field -> value.
QList<QVariantMap> rowsWhere(const QString& table, const QString& where)
{
    QList<QVariantMap> out;
    for (Recordset rs = Db().openRecordset(QStringLiteral("select * from %1 where %2").arg(table, where)); !rs.eof();
         rs.moveNext()) {
        QVariantMap row;
        for (const FieldInfo& f : rs.fields())
            row.insert(f.name, rs.value(f.name));
        out << row;
    }
    return out;
}

QList<QVariantMap> rowsOf(const QString& table, int16_t team, int16_t game, int16_t person)
{
    return rowsWhere(table, QStringLiteral("TeamNumber = %1 and GameNumber = %2 and PlayerNumber = %3")
                                .arg(team).arg(game).arg(person));
}

// The game's rows of both tables, by person.
QList<QVariantMap> gameRows()
{
    const QString game = QStringLiteral("TeamNumber = %1 and GameNumber = %2 order by PlayerNumber").arg(Team).arg(Game);
    return rowsWhere(QStringLiteral("PlayerStats"), game) + rowsWhere(QStringLiteral("GoalieStats"), game);
}

// Compares a stored row with the expected values of all its fields.
void compareRow(const QVariantMap& row, const QVariantMap& expected)
{
    QCOMPARE(row.size(), expected.size());
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        QVERIFY2(row.contains(it.key()), qPrintable(it.key()));
        QVERIFY2(!row.value(it.key()).isNull(), qPrintable(it.key()));
        QCOMPARE(row.value(it.key()).toString(), it.value().toString());
    }
}

const QVariantMap kStoredPlayer1 = {
    {"Per", 3},  {"Min", 14}, {"Sec", 25}, {"SOG", 4},  {"G", 2},    {"PP", 1},    {"SH", 1},  {"GW", 1},
    {"GT", 0},   {"EN", 0},   {"OT", 0},   {"UA", 1},   {"Ast", 1},  {"Pen", 2},   {"PIM", 4}, {"FOW", 7},
    {"FOL", 5},  {"Plus", 2}, {"Minus", 1}, {"U1", 11}, {"U2", 12},  {"U3", 13},   {"U4", 14}, {"U5", 15},
    // Fields the screen does not keep; its save writes their fixed values.
    {"EventNumber", 9}, {"Position", 3}, {"Unused1", 8}, {"U6", 6}, {"notes", "imported"}};

const QVariantMap kStoredGoalie3 = {
    {"Per", 3},  {"Min", 60}, {"Sec", 0},  {"W", 1},   {"L", 0},   {"T", 0},   {"GA1", 1}, {"GA2", 0},
    {"GA3", 1},  {"GA4", 0},  {"GAO", 0},  {"Sv1", 10}, {"Sv2", 12}, {"Sv3", 9}, {"Sv4", 0}, {"SvO", 0},
    {"G", 0},    {"Ast", 1},  {"Pen", 0},  {"PIM", 0}, {"EN", 1},  {"U1", 0},  {"U2", 0},  {"U3", 0},
    {"U4", 0},   {"U5", 21}};

}  // namespace

class TstPlayerEntry : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

    // Team 1, game 3. On the roster as players: 1 Ann, 2 Bo, 3 Cy, 4 Di and 7
    // (who has no People row); 5 Ed is on the roster but not as a player; 9 is
    // on no roster. Stored rows of the game: player 1 (every category set),
    // player and goalie 2, goalie 3 (goalie only), player 5 and player 9.
    void makeSeason()
    {
        env = TestEnv::withNewDatabase();
        vh::test::loadEntryCategories();
        seed::addTeam(1, QStringLiteral("Lions"));
        seed::addTeam(2, QStringLiteral("Bears"));
        const char* const first[] = {"", "Ann", "Bo", "Cy", "Di", "Ed", "Flo", "", "", "Ida"};
        for (int p : {1, 2, 3, 4, 5, 6, 9})
            seed::addPerson(p, QString::fromLatin1(first[p]) + "  ", QStringLiteral(" Last%1").arg(p));
        for (auto [person, player] : std::initializer_list<std::pair<int, int>>{{1, -1}, {2, -1}, {5, 0}, {3, -1},
                                                                               {4, -1}, {7, -1}})
            seed::addRoster(Team, person, player);
        seed::addRoster(2, 6);
        insertGame(Team, Game, 3, false, true, "Bears");
        insertGame(Team, 4, 3, false, false, "Wolves");

        addStatsRow("PlayerStats", Team, Game, 1, kStoredPlayer1);
        addStatsRow("PlayerStats", Team, Game, 2, {{"G", 1}, {"SOG", 3}});
        addStatsRow("GoalieStats", Team, Game, 2, {{"Min", 20}, {"GA2", 1}});
        addStatsRow("GoalieStats", Team, Game, 3, kStoredGoalie3);
        addStatsRow("PlayerStats", Team, Game, 5, {{"G", 1}, {"Ast", 2}});
        addStatsRow("PlayerStats", Team, Game, 9, {{"PIM", 2}});
        addStatsRow("PlayerStats", Team, 4, 1, {{"G", 3}});
        addStatsRow("PlayerStats", 2, Game, 6, {{"G", 1}});

        g.CurrentTeam = Team;
        g.GameRec.gameNumber = Game;
        g.SelectedTeamName = QStringLiteral("Lions");
    }

    void insertGame(int16_t team, int16_t game, int periods, bool overtime, bool home, const QString& opponent)
    {
        seed::insertRow(Db(), QStringLiteral("GameStats"),
                        {{"TeamNumber", team}, {"GameNumber", game}, {"GStatNumber", team * 100 + game}, {"GameType", 2},
                         {"Periods", periods}, {"Overtime", overtime ? -1 : 0}, {"HomeTeam", home ? -1 : 0},
                         {"Opponent", opponent}, {"Goals", 5}, {"GoalsPeriod1", 1}, {"GoalsPeriod2", 2},
                         {"GoalsPeriod3", 0}, {"GoalsPeriod4", 1}, {"GoalsOT", 1}, {"OppGoals", 4},
                         {"OppGoalsPeriod1", 0}, {"OppGoalsPeriod2", 3}, {"OppGoalsPeriod3", 1}, {"OppGoalsPeriod4", 0},
                         {"OppGoalsOT", 0}});
    }

    PlayerEntry loaded()
    {
        PlayerEntry e(Db(), {g.CurrentTeam, g.GameRec.gameNumber, g.SelectedTeamName});
        e.LoadGame(QStringLiteral("Lions"));
        e.LoadGameStats();
        return e;
    }

private slots:
    void init() { makeSeason(); }
    void cleanup() { env.reset(); }

    void loadsTheGameHeader()
    {
        PlayerEntry e(Db(), {g.CurrentTeam, g.GameRec.gameNumber, g.SelectedTeamName});
        const EntryHeader h = e.LoadGame(QStringLiteral("The Lions of the North Shore Hockey Club"));
        QCOMPARE(e.game().gameType, int16_t(2));
        QCOMPARE(e.game().periods, int16_t(3));
        QVERIFY(e.game().homeTeam);
        QVERIFY(!e.game().overtime);
        QCOMPARE(e.game().goalsOT, int16_t(1));
        // At home: the opponent is the visitor, above.
        QCOMPARE(h.visitorName, QStringLiteral("Bears"));
        QCOMPARE(h.homeName, QStringLiteral("The Lions of the North Shore H"));
        QCOMPARE(h.visitorScores[1], QStringLiteral("3"));
        QCOMPARE(h.visitorTotal, QStringLiteral("4"));
        QCOMPARE(h.homeScores[1], QStringLiteral("2"));
        QCOMPARE(h.homeTotal, QStringLiteral("5"));

        e = PlayerEntry(Db(), {Team, 4, g.SelectedTeamName});
        const EntryHeader away = e.LoadGame(QStringLiteral("Lions"));
        QCOMPARE(away.visitorName, QStringLiteral("Lions"));
        QCOMPARE(away.visitorTotal, QStringLiteral("5"));
        QCOMPARE(away.homeName, QStringLiteral("Wolves"));
        QCOMPARE(away.homeTotal, QStringLiteral("4"));

        Db().execute(QStringLiteral("update GameStats set Opponent = '  ' where GameNumber = 4"));
        QCOMPARE(e.LoadGame(QStringLiteral("Lions")).homeName, QStringLiteral("Opponent"));

        e = PlayerEntry(Db(), {Team, 99, g.SelectedTeamName});
        try {
            e.LoadGame(QStringLiteral("Lions"));
            QFAIL("a missing game loaded");
        } catch (const RuntimeError& err) {
            QCOMPARE(err.number(), Err::NoCurrentRecord);
            QVERIFY(err.description().contains(QStringLiteral("Game 99")));
        }

        // The periods the game had, and overtime when it went there; an
        // unknown period count shows them all. A score cell under each.
        const std::tuple<int, bool, QString> boards[] = {
            {2, false, "1 2"}, {2, true, "1 2 OT"}, {3, false, "1 2 3"}, {4, true, "1 2 3 4 OT"}, {5, false, "1 2 3 4 OT"}};
        for (const auto& [periods, overtime, captions] : boards) {
            Db().execute(QStringLiteral("update GameStats set Periods = ?, Overtime = ? where GameNumber = 4"),
                         {periods, overtime ? -1 : 0});
            const EntryHeader h = PlayerEntry(Db(), {Team, 4, g.SelectedTeamName}).LoadGame(QStringLiteral("Lions"));
            QStringList shown;
            int cells = 0;
            for (size_t i = 0; i < 5; ++i) {
                if (h.periodCaptionVisible[i])
                    shown << h.periodCaptions[i];
                cells += h.scoreCellVisible[i] ? 1 : 0;
            }
            QCOMPARE(shown.join(' '), captions);
            QCOMPARE(cells, shown.size());
        }
    }

    void loadsRecordsFromTheRosterAndStoredRows()
    {
        const PlayerEntry e = loaded();
        // The placeholder, then the roster players in roster order.
        QCOMPARE(e.PlayerRecords.upper(), 6);
        QCOMPARE(e.GoalieRecords.upper(), 6);
        QCOMPARE(e.PlayerRecords[1][SlotPersonNumber], int16_t(0));
        QCOMPARE(e.PlayerRecords[1][SlotOnRoster], False);
        const int16_t order[] = {1, 2, 3, 4, 7};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(e.StatIndex(order[i]), i + 2);
            QCOMPARE(e.GoalieRecords[i + 2][SlotPersonNumber], order[i]);
            QVERIFY(e.PlayerRecords[i + 2][SlotOnRoster] && e.GoalieRecords[i + 2][SlotOnRoster]);
        }
        // Persons not on the roster as players get no records.
        QCOMPARE(e.StatIndex(5), 0);
        QCOMPARE(e.StatIndex(9), 0);

        const PlayerGameRecord& p1 = e.PlayerRecords[e.StatIndex(1)];
        QCOMPARE(p1[SlotPlayed], True);
        for (int s = FirstValueSlot; s < PlayerGameRecord::SlotCount; ++s) {
            const char* field = recordFieldName(CatKind::Player, s);
            QCOMPARE(p1[s], int16_t(kStoredPlayer1.value(field).toInt()));
        }
        QCOMPARE(e.GoalieRecords[e.StatIndex(1)][SlotPlayed], False);

        QVERIFY(e.played(CatKind::Player, 2));
        QVERIFY(e.played(CatKind::Goalie, 2));
        QCOMPARE(e.GoalieRecords[e.StatIndex(2)][GoalieGameRecord::GA2], int16_t(1));

        // Played only as goalie.
        QVERIFY(!e.played(CatKind::Player, 3));
        const GoalieGameRecord& g3 = e.GoalieRecords[e.StatIndex(3)];
        QCOMPARE(g3[SlotPlayed], True);
        for (int s = FirstValueSlot; s < GoalieGameRecord::SlotCount; ++s) {
            const char* field = recordFieldName(CatKind::Goalie, s);
            QCOMPARE(g3[s], int16_t(kStoredGoalie3.value(field).toInt()));
        }
        for (int s = FirstValueSlot; s < PlayerGameRecord::SlotCount; ++s)
            QCOMPARE(e.PlayerRecords[e.StatIndex(3)][s], int16_t(0));

        QVERIFY(!e.played(CatKind::Player, 4));
        QVERIFY(!e.played(CatKind::Goalie, 4));

        QCOMPARE(e.UpdatePlayedCounts().players, 2);
        QCOMPARE(e.UpdatePlayedCounts().goalies, 2);

        // The grid lists the roster players who have a People row.
        const std::vector<PersonRow> rows = e.LoadFromRoster();
        QCOMPARE(int(rows.size()), 4);
        QCOMPARE(rows[0].person, int16_t(1));
        QCOMPARE(rows[0].name, QStringLiteral("Ann Last1"));
        QVERIFY(rows[0].playedAsPlayer && !rows[0].playedAsGoalie);
        QVERIFY(rows[1].playedAsPlayer && rows[1].playedAsGoalie);
        QCOMPARE(rows[2].person, int16_t(3));
        QVERIFY(!rows[2].playedAsPlayer && rows[2].playedAsGoalie);
        QCOMPARE(rows[3].name, QStringLiteral("Di Last4"));
    }

    void rosterMergeKeepsTypedValues()
    {
        PlayerEntry e = loaded();
        const int i1 = e.StatIndex(1);
        const int i2 = e.StatIndex(2);
        BoxTexts boxes;
        const CategoryBoxesView shown = e.ShowStats(CatKind::Player, 1);
        for (int k = 0; k < kCategoryBoxCount; ++k)
            boxes[size_t(k)] = shown.texts[size_t(k)].value_or(QString());
        boxes[4] = QStringLiteral("3");  // G
        boxes[3] = QStringLiteral("6");  // SOG
        e.StoreEnteredStats(CatKind::Player, 1, boxes);
        e.setPlayed(CatKind::Goalie, 4, true);

        // The roster editor takes 2 off, makes 5 a player and adds 6.
        Db().execute(QStringLiteral("delete from Roster where TeamNumber = 1 and PersonNumber = 2"));
        Db().execute(QStringLiteral("update Roster set PlayerIndicator = -1 where TeamNumber = 1 and PersonNumber = 5"));
        seed::addRoster(Team, 6);
        e.LoadGameStats();

        QCOMPARE(e.StatIndex(1), i1);
        QCOMPARE(e.PlayerRecords[i1][PlayerGameRecord::G], int16_t(3));
        QCOMPARE(e.PlayerRecords[i1][PlayerGameRecord::SOG], int16_t(6));
        QCOMPARE(e.PlayerRecords[i1][PlayerGameRecord::FOW], int16_t(7));
        QVERIFY(e.played(CatKind::Goalie, 4));
        // Off the roster: kept in memory, no longer counted.
        QCOMPARE(e.StatIndex(2), i2);
        QVERIFY(!e.PlayerRecords[i2][SlotOnRoster] && !e.GoalieRecords[i2][SlotOnRoster]);
        QCOMPARE(e.PlayerRecords[i2][PlayerGameRecord::G], int16_t(1));
        // New players come after everybody held, with their stored rows.
        QCOMPARE(e.StatIndex(5), 7);
        QCOMPARE(e.StatIndex(6), 8);
        QVERIFY(e.played(CatKind::Player, 5));
        QCOMPARE(e.PlayerRecords[7][PlayerGameRecord::Ast], int16_t(2));
        QVERIFY(!e.played(CatKind::Player, 6));
        QCOMPARE(e.UpdatePlayedCounts().players, 2);  // 1 and 5
        QCOMPARE(e.UpdatePlayedCounts().goalies, 2);  // 3 and 4

        // Saved, the game's rows of the person who left the roster go; rows of
        // a person never loaded stay.
        e.SaveGameStats();
        QVERIFY(rowsOf("PlayerStats", Team, Game, 2).isEmpty());
        QVERIFY(rowsOf("GoalieStats", Team, Game, 2).isEmpty());
        QCOMPARE(rowsOf("PlayerStats", Team, Game, 9).size(), 1);
    }

    void saveWritesEveryField()
    {
        PlayerEntry e = loaded();
        // Di played as goalie with every box 0 but one; Bo did not play as a player after all.
        BoxTexts boxes;
        boxes[17] = QStringLiteral("2");  // G in the default goalie layout
        e.StoreEnteredStats(CatKind::Goalie, 4, boxes);
        e.setPlayed(CatKind::Goalie, 4, true);
        e.setPlayed(CatKind::Player, 2, false);
        e.SaveGameStats();
        QCOMPARE(Db().transactionDepth(), 0);

        auto fixed = [](int16_t person, bool player) {
            QVariantMap m{{"TeamNumber", Team}, {"GameNumber", Game}, {"PlayerNumber", person}};
            m.insert({{"EventNumber", 1}, {"GameType", 2}, {"HomeTeam", -1}, {"Unused1", 0}, {"Unused2", 0},
                      {"Unused3", 0}, {"U6", 0}, {"U7", 0}, {"U8", 0}, {"U9", 0}, {"U10", 0}, {"notes", ""}});
            if (player)
                m.insert("Position", 0);
            return m;
        };
        QVariantMap expected1 = fixed(1, true);
        for (int s = FirstValueSlot; s < PlayerGameRecord::SlotCount; ++s) {
            const char* field = recordFieldName(CatKind::Player, s);
            expected1.insert(field, kStoredPlayer1.value(field));
        }
        QList<QVariantMap> rows = rowsOf("PlayerStats", Team, Game, 1);
        QCOMPARE(rows.size(), 1);
        compareRow(rows[0], expected1);

        QVERIFY(rowsOf("PlayerStats", Team, Game, 2).isEmpty());
        QCOMPARE(rowsOf("GoalieStats", Team, Game, 2).size(), 1);
        QVERIFY(rowsOf("PlayerStats", Team, Game, 3).isEmpty());
        QVERIFY(rowsOf("PlayerStats", Team, Game, 4).isEmpty());

        QVariantMap expected3 = fixed(3, false);
        expected3.insert(kStoredGoalie3);
        rows = rowsOf("GoalieStats", Team, Game, 3);
        QCOMPARE(rows.size(), 1);
        compareRow(rows[0], expected3);

        QVariantMap expected4 = fixed(4, false);
        for (int s = FirstValueSlot; s < GoalieGameRecord::SlotCount; ++s)
            expected4.insert(recordFieldName(CatKind::Goalie, s), 0);
        expected4.insert("G", 2);
        rows = rowsOf("GoalieStats", Team, Game, 4);
        QCOMPARE(rows.size(), 1);
        compareRow(rows[0], expected4);

        // Rows of persons the screen did not load, of other games and of other teams stay.
        QCOMPARE(rowsOf("PlayerStats", Team, Game, 5).value(0).value("Ast").toInt(), 2);
        QCOMPARE(rowsOf("PlayerStats", Team, Game, 9).value(0).value("PIM").toInt(), 2);
        QCOMPARE(rowsOf("PlayerStats", Team, 4, 1).value(0).value("G").toInt(), 3);
        QCOMPARE(rowsOf("PlayerStats", 2, Game, 6).size(), 1);

        // Saving again changes nothing.
        const QList<QVariantMap> before = gameRows();
        e.SaveGameStats();
        QCOMPARE(gameRows(), before);
    }

    void failedSaveChangesNothing()
    {
        PlayerEntry e = loaded();
        e.setPlayed(CatKind::Player, 1, false);
        e.setPlayed(CatKind::Player, 4, true);
        e.setPlayed(CatKind::Goalie, 4, true);
        // The goalie rows are written after the player rows: the failure comes
        // when the player rows are already rewritten.
        Db().execute(QStringLiteral("create trigger refuse before insert on GoalieStats when new.PlayerNumber = 4 "
                                    "begin select raise(abort, 'disk full'); end"));
        const QList<QVariantMap> before = gameRows();
        try {
            e.SaveGameStats();
            QFAIL("the save did not report its failure");
        } catch (const RuntimeError& err) {
            QVERIFY(err.description().contains(QStringLiteral("disk full")));
        }
        QCOMPARE(Db().transactionDepth(), 0);
        QCOMPARE(gameRows(), before);

        // The records are still there: once the cause is gone the save goes through.
        Db().execute(QStringLiteral("drop trigger refuse"));
        e.SaveGameStats();
        QVERIFY(rowsOf("PlayerStats", Team, Game, 1).isEmpty());
        QCOMPARE(rowsOf("PlayerStats", Team, Game, 4).size(), 1);
        QCOMPARE(rowsOf("GoalieStats", Team, Game, 4).size(), 1);
    }
};

VH_TEST_MAIN(TstPlayerEntry)
#include "tst_playerentry.moc"
