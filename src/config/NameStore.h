#pragma once
// The names of the user-named categories (46 to 50 of each kind) and the
// game types in the database. Every write that touches more than one row runs
// in one transaction; names are always bound, never pasted into SQL.

#include "shell/Categories.h"
#include "shell/GameTypes.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace vh {

class Database;

// The number a new game type takes: `next` (the window's next number), or one
// more than the largest stored when that is higher. Empty when the largest
// number is in use.
std::optional<int16_t> NewGameTypeNumber(Database& db, int next);
// A typed game-type name with the blanks around it removed; empty when
// nothing is left (the name is then refused).
QString GameTypeName(const QString& typed);
void AddGameType(Database& db, int16_t number, const QString& name);
// False when the game type has no row.
bool RenameGameType(Database& db, int16_t number, const QString& name);
// The games of all teams that carry the game type.
int CountGamesOfType(Database& db, int16_t number);
// Removes the game type and gives its games, and their player and goalie
// rows, no game type (0), so that a later game type reusing the number does
// not collect old games. All or nothing.
void DeleteGameType(Database& db, int16_t number);

// The name a category box gives: the text without the blanks around it, or
// "H" / "G" followed by the position (1 to 5) when nothing is left.
QString CategoryName(CatKind kind, int position, const QString& typed);
// Writes the five names of each kind into the NameYourOwnCats rows 1 to 5
// (rows that are missing are not added). All or nothing.
void SaveCategoryNames(Database& db, const std::array<QString, 5>& player, const std::array<QString, 5>& goalie);

}  // namespace vh
