#include "shell/Renumber.h"

#include "platform/MsgBox.h"
#include "platform/basic/Basic.h"
#include "shell/Globals.h"

namespace vh {

int16_t NextNumberFromMax(const QString& selectMax)
{
    g.SqlText = selectMax;
    Recordset rs = Db().openRecordset(g.SqlText);
    const int16_t next = rs.isNull(QStringLiteral("Result")) ? 1 : CInt(rs.getLong(QStringLiteral("Result")) + 1.0);
    rs.close();
    return next;
}

namespace {

QString gameWhere(int16_t team, int16_t game)
{
    return QStringLiteral(" where TeamNumber =") + Str(team) + QStringLiteral(" and GameNumber =") + Str(game);
}

// The three tables whose rows carry a team's game number.
constexpr const char* GameTables[] = {"GameStats", "PlayerStats", "GoalieStats"};
constexpr const char* StatTables[] = {"PlayerStats", "GoalieStats"};

// Game f becomes game t, with its player and goalie rows.
void moveGame(int16_t team, int16_t from, int16_t to)
{
    for (const char* table : GameTables)
        Db().execute(QStringLiteral("update ") + QLatin1String(table) + QStringLiteral(" set GameNumber =") + Str(to) +
                     gameWhere(team, from));
}

// Games first..last each move by `step` (+1 or -1), with their player and
// goalie rows. The target numbers are free once the whole range has moved, and
// the tables have no key that a row could collide with half-way, so one
// statement per table does what moving them one by one would.
void shiftGames(int16_t team, int first, int last, int step)
{
    if (first > last)
        return;
    // A number past the 16-bit range cannot be stored; refuse before anything
    // moves rather than let the engine wrap or cut it.
    if (!fitsInt16(last + step) || !fitsInt16(first + step))
        throw RuntimeError(Err::Overflow, QStringLiteral("Overflow"));
    for (const char* table : GameTables)
        Db().execute(QStringLiteral("update ") + QLatin1String(table) + QStringLiteral(" set GameNumber = GameNumber +") +
                     Str(step) + QStringLiteral(" where TeamNumber =") + Str(team) +
                     QStringLiteral(" and GameNumber >=") + Str(first) + QStringLiteral(" and GameNumber <=") +
                     Str(last));
}

// The game's player and goalie rows take its type and home flag.
void refreshCopies(int16_t team, int16_t game)
{
    for (const char* table : StatTables)
        Db().execute(QStringLiteral("update ") + QLatin1String(table) + QStringLiteral(" set GameType = ?, HomeTeam = ?") +
                         gameWhere(team, game),
                     {int(g.GameRecGameType), int(g.GameRecHomeTeam ? True : False)});
}

// Writes the buffer into the row `rs` is editing or adding; the team and the
// row's serial number only for a new row.
void writeGameFields(Recordset& rs, bool newRow, int16_t gameNumber)
{
    const auto set = [&rs](const char* field, const QVariant& v) { rs.setValue(QLatin1String(field), v); };
    if (newRow) {
        set("TeamNumber", int(g.GameRecTeamNumber));
        set("GStatNumber", int(g.GameRecGStatNumber));
    }
    set("GameNumber", int(gameNumber));
    set("GameDate", g.GameRecGameDate.isEmpty() ? QVariant() : QVariant(g.GameRecGameDate));
    set("GameType", int(g.GameRecGameType));
    set("Periods", int(g.GameRecPeriods));
    set("Location", g.GameRecLocation);
    set("HomeTeam", int(g.GameRecHomeTeam ? True : False));
    set("Opponent", g.GameRecOpponent);
    set("OpponentTeamNumber", int(g.GameRecOpponentTeamNumber));
    set("OpponentGStatNumber", int(g.GameRecOpponentGStatNumber));
    set("Goals", int(g.GameRecGoals));
    set("GoalsPeriod1", int(g.GameRecGoalsPeriod1));
    set("GoalsPeriod2", int(g.GameRecGoalsPeriod2));
    set("GoalsPeriod3", int(g.GameRecGoalsPeriod3));
    set("GoalsPeriod4", int(g.GameRecGoalsPeriod4));
    set("GoalsOT", int(g.GameRecGoalsOT));
    set("OppGoals", int(g.GameRecOppGoals));
    set("OppGoalsPeriod1", int(g.GameRecOppGoalsPeriod1));
    set("OppGoalsPeriod2", int(g.GameRecOppGoalsPeriod2));
    set("OppGoalsPeriod3", int(g.GameRecOppGoalsPeriod3));
    set("OppGoalsPeriod4", int(g.GameRecOppGoalsPeriod4));
    set("OppGoalsOT", int(g.GameRecOppGoalsOT));
    set("PP", int(g.GameRecPP));
    set("PPG", int(g.GameRecPPG));
    set("SH", int(g.GameRecSH));
    set("Kills", int(g.GameRecKills));
    set("Overtime", int(g.GameRecOvertime ? True : False));
    set("notes", g.GameRecNotes);
}

void addGame(int16_t team, int16_t gameNumber)
{
    // Selects nothing (no game is parked at 0 here): only the new row is read.
    g.SqlText = QStringLiteral("select * from GameStats") + gameWhere(team, 0);
    Recordset rs = Db().openRecordset(g.SqlText);
    rs.addNew();
    writeGameFields(rs, true, gameNumber);
    rs.update();
    rs.close();
}

// Rewrites the stored game `found` and gives it number `gameNumber`; false
// when the team has no such game.
bool changeGame(int16_t team, int16_t found, int16_t gameNumber)
{
    g.SqlText = QStringLiteral("select * from GameStats") + gameWhere(team, found);
    Recordset rs = Db().openRecordset(g.SqlText);
    if (rs.eof())
        return false;
    rs.moveFirst();
    rs.edit();
    writeGameFields(rs, false, gameNumber);
    rs.update();
    rs.close();
    return true;
}

void renumber()
{
    const QString mode = g.GameEditMode.str();
    const int16_t team = g.CurrentTeam;
    const int16_t n = g.GameRecGameNumber;
    const int16_t o = g.OldGameNumber;
    const bool infoChanged = g.GameInfoChanged == "Y";

    if (mode == QLatin1String("A")) {
        if (n == o) {
            addGame(team, n);
        } else {
            addGame(team, 0);
            shiftGames(team, n, o - 1, +1);
            moveGame(team, 0, n);
        }
    } else if (mode == QLatin1String("C")) {
        if (n == o) {
            if (!changeGame(team, n, n))
                throw RuntimeError(Err::NoCurrentRecord, QStringLiteral("No current record."));
            if (infoChanged)
                refreshCopies(team, n);
        } else {
            if (!changeGame(team, o, 0))
                throw RuntimeError(Err::NoCurrentRecord, QStringLiteral("No current record."));
            for (const char* table : StatTables)
                Db().execute(QStringLiteral("update ") + QLatin1String(table) + QStringLiteral(" set GameNumber = 0") +
                             gameWhere(team, o));
            if (infoChanged)
                refreshCopies(team, 0);
            if (n > o)
                shiftGames(team, o + 1, n, -1);
            else
                shiftGames(team, n, o - 1, +1);
            moveGame(team, 0, n);
        }
    } else if (mode == QLatin1String("D")) {
        for (const char* table : GameTables)
            Db().execute(QStringLiteral("delete from ") + QLatin1String(table) + gameWhere(team, n));
        // Every later game closes the gap, also when the list's count was short.
        const QVariant last = Db().scalar(QStringLiteral("select max(GameNumber) from GameStats where TeamNumber =") +
                                          Str(team));
        shiftGames(team, n + 1, last.isValid() && !last.isNull() ? last.toInt() : 0, -1);
    }
}

}  // namespace

bool RenumberGames()
{
    const QString mode = g.GameEditMode.str();
    try {
        Transaction t(Db());
        renumber();
        t.commit();
        return true;
    } catch (const RuntimeError& e) {
        QString what;
        if (mode == QLatin1String("A"))
            what = QStringLiteral("The game could not be added!");
        else if (mode == QLatin1String("C"))
            what = QStringLiteral("The game could not be changed!");
        else
            what = QStringLiteral("The game could not be deleted!");
        MsgBox(what + QStringLiteral("\rEvery game keeps its number and nothing was changed.\r\r") + e.details(),
               g.MsgStyleWarn, QStringLiteral("Database Error"));
        return false;
    }
}

int16_t NextPersonNumber() { return NextNumberFromMax(QStringLiteral("select max([PersonNumber]) as [result] from People")); }

int16_t NextGStatNumber() { return NextNumberFromMax(QStringLiteral("select max([GStatNumber]) as [result] from GameStats")); }

int16_t NextGameNumber(int16_t teamNumber)
{
    return NextNumberFromMax(QStringLiteral("select max([GameNumber]) as [result] from GameStats where TeamNumber =") +
                    Str(teamNumber));
}

}  // namespace vh
