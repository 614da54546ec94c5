#include "games/ImportMirror.h"

#include "platform/basic/Basic.h"
#include "platform/db/Database.h"

namespace vh {

MirroredGame MirrorOpponentGame(const Recordset& rs)
{
    // Rows converted from older data may leave fields Null; they count 0.
    const auto num = [&rs](const char* field) { return rs.intOr(QLatin1String(field)); };
    MirroredGame m;
    // A period count outside 2 to 4 shows the nearest the screen offers.
    m.periodsIndex = qBound(0, num("Periods") - 2, 2);
    m.gameDate = ShortDate(rs.getDate(QStringLiteral("GameDate")));
    m.location = Trim(rs.textOr(QStringLiteral("Location")));
    m.homeTeam = num("HomeTeam") == 0;
    m.gameType = num("GameType");
    m.teamPeriods = {num("OppGoalsPeriod1"), num("OppGoalsPeriod2"), num("OppGoalsPeriod3"), num("OppGoalsPeriod4"),
                     num("OppGoalsOT")};
    m.goals = num("OppGoals");
    m.opponentPeriods = {num("GoalsPeriod1"), num("GoalsPeriod2"), num("GoalsPeriod3"), num("GoalsPeriod4"),
                         num("GoalsOT")};
    m.oppGoals = num("Goals");
    m.pp = num("SH");
    m.ppg = CInt(double(num("SH")) - num("Kills"));
    m.sh = num("PP");
    m.kills = CInt(double(num("PP")) - num("PPG"));
    m.notes = Trim(rs.textOr(QStringLiteral("notes")));
    return m;
}

}  // namespace vh
