#pragma once
// One game of a team as a value, in the field order of GameStats: what the
// header screen fills, the renumbering writes and the player entry reads.

#include <QString>
#include <QVariantList>
#include <cstdint>

namespace vh {

struct GameRecord {
    int16_t teamNumber = 0;
    int16_t gStatNumber = 0;
    int16_t gameNumber = 0;
    int16_t gameType = 0;
    int16_t periods = 0;
    QString gameDate;  // as typed, trimmed; empty for none
    QString location;
    bool homeTeam = false;
    QString opponent;
    int16_t opponentTeamNumber = 0;
    int16_t opponentGStatNumber = 0;
    int16_t goals = 0;
    int16_t goalsPeriod1 = 0;
    int16_t goalsPeriod2 = 0;
    int16_t goalsPeriod3 = 0;
    int16_t goalsPeriod4 = 0;
    int16_t goalsOT = 0;
    int16_t oppGoals = 0;
    int16_t oppGoalsPeriod1 = 0;
    int16_t oppGoalsPeriod2 = 0;
    int16_t oppGoalsPeriod3 = 0;
    int16_t oppGoalsPeriod4 = 0;
    int16_t oppGoalsOT = 0;
    bool overtime = false;
    int16_t pp = 0;
    int16_t ppg = 0;
    int16_t sh = 0;
    int16_t kills = 0;
    QString notes;
};

// The condition that picks one game of a team in GameStats, PlayerStats or
// GoalieStats; bind gameKey(team, game) to it.
inline const QString GameWhere = QStringLiteral(" where TeamNumber = ? and GameNumber = ?");
inline QVariantList gameKey(int16_t team, int16_t game) { return {int(team), int(game)}; }

}  // namespace vh
