#pragma once
// The game rows the game windows read: a team's game list, its count, one
// stored game, and the opponent's copy of a game seen from the team's side.

#include "games/ImportMirror.h"
#include "shell/GameRecord.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace vh {

class Database;

struct GameListEntry {
    int16_t gameNumber = 0;
    QString line;  // the padded list line
};

// The team's games in game-number order.
std::vector<GameListEntry> ReadGameList(Database& db, int16_t team);
int16_t CountGames(Database& db, int16_t team);
// Game `gameNumber` of `team`; Null fields count 0 or empty, texts come as
// stored (untrimmed), the date is the trimmed short date. Empty when the team
// has no such game.
std::optional<GameRecord> ReadGame(Database& db, int16_t team, int16_t gameNumber);
// The opponent's game `gameNumber`, mirrored; empty when it has none.
std::optional<MirroredGame> ReadOpponentGame(Database& db, int16_t opponentTeam, int16_t gameNumber);

}  // namespace vh
