#pragma once
// A team's games stay numbered 1 to n without gaps; the one procedure that
// writes a game's row and keeps that numbering, and the next-number queries.

#include <QString>
#include <cstdint>

namespace vh {

// Writes the game record buffer into the current team's games by
// GameEditMode: "A" adds the game as number GameRecGameNumber (OldGameNumber
// is the next free number; a smaller number inserts it and moves the later
// games up), "C" rewrites the game stored as OldGameNumber and moves it to
// GameRecGameNumber, "D" deletes game GameRecGameNumber with its player and
// goalie rows and closes the gap; any other mode does nothing. Player and
// goalie rows move with their game; with GameInfoChanged "Y" they take the
// game's type and home flag.
//
// All or nothing: on a database error every game keeps its number and row,
// the user is told, and the result is false.
bool RenumberGames();

// The next-number rule: the single field "Result" of a "select max(...) as
// [result]" text plus 1, or 1 when it is Null (an empty table).
int16_t NextNumberFromMax(const QString& selectMax);
// The largest PersonNumber plus 1, or 1 when there are no people.
int16_t NextPersonNumber();
// The largest GStatNumber of all games plus 1, or 1 when there are none.
int16_t NextGStatNumber();
// The largest GameNumber of the team's games plus 1, or 1 when it has none.
int16_t NextGameNumber(int16_t teamNumber);

}  // namespace vh
