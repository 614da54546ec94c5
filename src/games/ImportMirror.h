#pragma once
// The opponent's stored copy of a game, seen from the other side: its goals
// are the team's goals against, its power plays the team's short-handed
// situations, its home game the team's away game.

#include <QString>
#include <array>
#include <cstdint>

namespace vh {

class Recordset;

struct MirroredGame {
    int periodsIndex = 1;  // cmbPeriods list index: 0, 1, 2 for 2, 3, 4 periods
    QString gameDate;      // the short date, "" when the game has none
    QString location;
    bool homeTeam = true;  // the team's home box: ticked when the opponent was away
    int16_t gameType = 0;
    // Periods 1 to 4 and overtime.
    std::array<int16_t, 5> teamPeriods{};
    std::array<int16_t, 5> opponentPeriods{};
    int16_t goals = 0;     // the team's total
    int16_t oppGoals = 0;  // the opponent's total
    int16_t pp = 0, ppg = 0, sh = 0, kills = 0;
    QString notes;
};

// The header of the opponent's game row `rs` stands on, from the team's side.
MirroredGame MirrorOpponentGame(const Recordset& rs);

}  // namespace vh
