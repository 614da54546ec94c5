#include "games/GameStore.h"

#include "platform/basic/Basic.h"
#include "platform/db/Database.h"
#include "shell/TextFormat.h"

namespace vh {

std::vector<GameListEntry> ReadGameList(Database& db, int16_t team)
{
    std::vector<GameListEntry> out;
    Recordset rs =
        db.openRecordset(QStringLiteral("Select * from GameStats where TeamNumber = ? order by GameNumber"), {int(team)});
    while (!rs.eof()) {
        out.push_back({rs.getInt(QStringLiteral("GameNumber")), FormatGameListLine(rs)});
        rs.moveNext();
    }
    return out;
}

int16_t CountGames(Database& db, int16_t team)
{
    return CInt(db.scalar(QStringLiteral("select count(*) from GameStats where TeamNumber = ?"), {int(team)}).toDouble());
}

std::optional<GameRecord> ReadGame(Database& db, int16_t team, int16_t gameNumber)
{
    Recordset rs = db.openRecordset(QStringLiteral("select * from GameStats") + GameWhere, gameKey(team, gameNumber));
    if (rs.eof())
        return std::nullopt;
    const auto num = [&rs](const char* field) { return rs.intOr(QLatin1String(field)); };
    const auto text = [&rs](const char* field) { return rs.textOr(QLatin1String(field)); };
    GameRecord r;
    r.teamNumber = team;
    r.gStatNumber = num("GStatNumber");
    r.gameNumber = num("GameNumber");
    r.gameType = num("GameType");
    r.periods = num("Periods");
    const QDate date = rs.getDate(QStringLiteral("GameDate"));
    r.gameDate = date.isValid() ? Trim(ShortDate(date)) : QString();
    r.location = text("Location");
    r.homeTeam = num("HomeTeam") != 0;
    r.opponent = text("Opponent");
    r.opponentTeamNumber = num("OpponentTeamNumber");
    r.opponentGStatNumber = num("OpponentGStatNumber");
    r.goals = num("Goals");
    r.goalsPeriod1 = num("GoalsPeriod1");
    r.goalsPeriod2 = num("GoalsPeriod2");
    r.goalsPeriod3 = num("GoalsPeriod3");
    r.goalsPeriod4 = num("GoalsPeriod4");
    r.goalsOT = num("GoalsOT");
    r.oppGoals = num("OppGoals");
    r.oppGoalsPeriod1 = num("OppGoalsPeriod1");
    r.oppGoalsPeriod2 = num("OppGoalsPeriod2");
    r.oppGoalsPeriod3 = num("OppGoalsPeriod3");
    r.oppGoalsPeriod4 = num("OppGoalsPeriod4");
    r.oppGoalsOT = num("OppGoalsOT");
    r.overtime = num("Overtime") != 0;
    r.pp = num("PP");
    r.ppg = num("PPG");
    r.sh = num("SH");
    r.kills = num("Kills");
    r.notes = text("notes");
    return r;
}

std::optional<MirroredGame> ReadOpponentGame(Database& db, int16_t opponentTeam, int16_t gameNumber)
{
    Recordset rs =
        db.openRecordset(QStringLiteral("select * from GameStats") + GameWhere, gameKey(opponentTeam, gameNumber));
    if (rs.eof())
        return std::nullopt;
    return MirrorOpponentGame(rs);
}

}  // namespace vh
