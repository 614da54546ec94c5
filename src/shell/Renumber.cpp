#include "shell/Renumber.h"

#include "platform/basic/Basic.h"
#include "platform/db/Database.h"

#include <algorithm>

namespace vh {

std::optional<int16_t> NextNumberFromMax(Database& db, const QString& selectMax, const QVariantList& params, int atLeast)
{
    Recordset rs = db.openRecordset(selectMax, params);
    // Keys below 1 (0 means none) are never handed out.
    long long next = std::max(atLeast, 1);
    if (!rs.isNull(QStringLiteral("Result")))
        next = std::max(next, (long long)rs.getLong(QStringLiteral("Result")) + 1);
    rs.close();
    if (next > LargestKey)
        return std::nullopt;
    return int16_t(next);
}

namespace {

// The three tables whose rows carry a team's game number.
constexpr const char* GameTables[] = {"GameStats", "PlayerStats", "GoalieStats"};
constexpr const char* StatTables[] = {"PlayerStats", "GoalieStats"};

class Renumbering {
public:
    Renumbering(Database& db, const RenumberRequest& r) : db_(db), r_(r), team_(r.team) {}
    void run();

private:
    // Game `from` becomes game `to`, in `tables`.
    template <size_t N>
    void moveGame(const char* const (&tables)[N], int16_t from, int16_t to)
    {
        for (const char* table : tables)
            db_.execute(QStringLiteral("update ") + QLatin1String(table) + QStringLiteral(" set GameNumber = ?") +
                            GameWhere,
                        {int(to), int(team_), int(from)});
    }
    void shiftGames(int first, int last, int step);
    void refreshCopies(int16_t game);
    void writeGameFields(Recordset& rs, bool newRow, int16_t gameNumber);
    void addGame(int16_t gameNumber);
    bool changeGame(int16_t found, int16_t gameNumber);

    Database& db_;
    const RenumberRequest& r_;
    const int16_t team_;
};

// Games first..last each move by `step` (+1 or -1), with their player and
// goalie rows. The target numbers are free once the whole range has moved, and
// the tables have no key that a row could collide with half-way, so one
// statement per table does what moving them one by one would.
void Renumbering::shiftGames(int first, int last, int step)
{
    if (first > last)
        return;
    // A number past the 16-bit range cannot be stored; refuse before anything
    // moves rather than let the engine wrap or cut it.
    if (!fitsInt16(last + step) || !fitsInt16(first + step))
        throw RuntimeError(Err::Overflow, QStringLiteral("Overflow"));
    for (const char* table : GameTables)
        db_.execute(QStringLiteral("update ") + QLatin1String(table) +
                        QStringLiteral(" set GameNumber = GameNumber + ? where TeamNumber = ? and GameNumber >= ? "
                                       "and GameNumber <= ?"),
                    {step, int(team_), first, last});
}

// The game's player and goalie rows take its type and home flag.
void Renumbering::refreshCopies(int16_t game)
{
    for (const char* table : StatTables)
        db_.execute(QStringLiteral("update ") + QLatin1String(table) + QStringLiteral(" set GameType = ?, HomeTeam = ?") +
                        GameWhere,
                    {int(r_.game.gameType), int(VbBool(r_.game.homeTeam)), int(team_), int(game)});
}

// Writes the game into the row `rs` is editing or adding; the team and the
// row's serial number only for a new row.
void Renumbering::writeGameFields(Recordset& rs, bool newRow, int16_t gameNumber)
{
    const GameRecord& game = r_.game;
    const auto set = [&rs](const char* field, const QVariant& v) { rs.setValue(QLatin1String(field), v); };
    if (newRow) {
        set("TeamNumber", int(game.teamNumber));
        set("GStatNumber", int(game.gStatNumber));
    }
    set("GameNumber", int(gameNumber));
    set("GameDate", game.gameDate.isEmpty() ? QVariant() : QVariant(game.gameDate));
    set("GameType", int(game.gameType));
    set("Periods", int(game.periods));
    set("Location", game.location);
    set("HomeTeam", int(VbBool(game.homeTeam)));
    set("Opponent", game.opponent);
    set("OpponentTeamNumber", int(game.opponentTeamNumber));
    set("OpponentGStatNumber", int(game.opponentGStatNumber));
    set("Goals", int(game.goals));
    set("GoalsPeriod1", int(game.goalsPeriod1));
    set("GoalsPeriod2", int(game.goalsPeriod2));
    set("GoalsPeriod3", int(game.goalsPeriod3));
    set("GoalsPeriod4", int(game.goalsPeriod4));
    set("GoalsOT", int(game.goalsOT));
    set("OppGoals", int(game.oppGoals));
    set("OppGoalsPeriod1", int(game.oppGoalsPeriod1));
    set("OppGoalsPeriod2", int(game.oppGoalsPeriod2));
    set("OppGoalsPeriod3", int(game.oppGoalsPeriod3));
    set("OppGoalsPeriod4", int(game.oppGoalsPeriod4));
    set("OppGoalsOT", int(game.oppGoalsOT));
    set("PP", int(game.pp));
    set("PPG", int(game.ppg));
    set("SH", int(game.sh));
    set("Kills", int(game.kills));
    set("Overtime", int(VbBool(game.overtime)));
    set("notes", game.notes);
}

void Renumbering::addGame(int16_t gameNumber)
{
    // Selects nothing (no game is parked at 0 here): only the new row is read.
    Recordset rs = db_.openRecordset(QStringLiteral("select * from GameStats") + GameWhere, gameKey(team_, 0));
    rs.addNew();
    writeGameFields(rs, true, gameNumber);
    rs.update();
    rs.close();
}

// Rewrites the stored game `found` and gives it number `gameNumber`; false
// when the team has no such game.
bool Renumbering::changeGame(int16_t found, int16_t gameNumber)
{
    Recordset rs = db_.openRecordset(QStringLiteral("select * from GameStats") + GameWhere, gameKey(team_, found));
    if (rs.eof())
        return false;
    rs.moveFirst();
    rs.edit();
    writeGameFields(rs, false, gameNumber);
    rs.update();
    rs.close();
    return true;
}

void Renumbering::run()
{
    const QString& mode = r_.mode;
    const int16_t n = r_.game.gameNumber;
    const int16_t o = r_.oldGameNumber;

    if (mode == QLatin1String("A")) {
        if (n == o) {
            addGame(n);
        } else {
            addGame(0);
            shiftGames(n, o - 1, +1);
            moveGame(GameTables, 0, n);
        }
    } else if (mode == QLatin1String("C")) {
        if (n == o) {
            if (!changeGame(n, n))
                throw RuntimeError(Err::NoCurrentRecord, QStringLiteral("No current record."));
            if (r_.infoChanged)
                refreshCopies(n);
        } else {
            if (!changeGame(o, 0))
                throw RuntimeError(Err::NoCurrentRecord, QStringLiteral("No current record."));
            moveGame(StatTables, o, 0);
            if (r_.infoChanged)
                refreshCopies(0);
            if (n > o)
                shiftGames(o + 1, n, -1);
            else
                shiftGames(n, o - 1, +1);
            moveGame(GameTables, 0, n);
        }
    } else if (mode == QLatin1String("D")) {
        for (const char* table : GameTables)
            db_.execute(QStringLiteral("delete from ") + QLatin1String(table) + GameWhere, gameKey(team_, n));
        // Every later game closes the gap, also when the list's count was short.
        const QVariant last =
            db_.scalar(QStringLiteral("select max(GameNumber) from GameStats where TeamNumber = ?"), {int(team_)});
        shiftGames(n + 1, last.isValid() && !last.isNull() ? last.toInt() : 0, -1);
    }
}

}  // namespace

RenumberOutcome RenumberGames(Database& db, const RenumberRequest& request)
{
    try {
        Transaction t(db);
        Renumbering(db, request).run();
        t.commit();
        return {};
    } catch (const RuntimeError& e) {
        QString what;
        if (request.mode == QLatin1String("A"))
            what = QStringLiteral("The game could not be added!");
        else if (request.mode == QLatin1String("C"))
            what = QStringLiteral("The game could not be changed!");
        else
            what = QStringLiteral("The game could not be deleted!");
        return {false, what + QStringLiteral("\rEvery game keeps its number and nothing was changed.\r\r") + e.details()};
    }
}

std::optional<int16_t> NextPersonNumber(Database& db)
{
    return NextNumberFromMax(db, QStringLiteral("select max([PersonNumber]) as [result] from People"));
}

std::optional<int16_t> NextGStatNumber(Database& db)
{
    return NextNumberFromMax(db, QStringLiteral("select max([GStatNumber]) as [result] from GameStats"));
}

std::optional<int16_t> NextGameNumber(Database& db, int16_t teamNumber)
{
    return NextNumberFromMax(db, QStringLiteral("select max([GameNumber]) as [result] from GameStats where TeamNumber = ?"),
                             {int(teamNumber)});
}

NoNumberLeft NoNumberLeftMessage(KeyKind kind)
{
    struct Words {
        const char* refused;  // what can no longer be added
        const char* key;      // the key's name, capitalised in the title
    };
    static const Words words[] = {
        {"teams can be added", "Team"},
        {"players can be added", "Person"},
        {"games can be added to this team", "Game"},
        {"games can be added", "Game Serial"},
        {"team filters can be added", "Filter"},
        {"game types can be added", "Game Type"},
        {"report formats can be added", "Report Format"},
    };
    const Words& w = words[size_t(kind)];
    const QString key = QLatin1String(w.key);
    return {QStringLiteral("No more %1: %2 number %3, the largest there is, is already in use!")
                .arg(QLatin1String(w.refused), key.toLower(), QString::number(LargestKey)),
            QStringLiteral("No %1 Number Left").arg(key)};
}

RuntimeError NoNumberLeftError(KeyKind kind) { return RuntimeError(Err::Overflow, NoNumberLeftMessage(kind).text); }

}  // namespace vh
