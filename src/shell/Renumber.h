#pragma once
// A team's games stay numbered 1 to n without gaps; the one procedure that
// writes a game's row and keeps that numbering, and the next-number queries.

#include <cstdint>

namespace vh {

// The largest PersonNumber plus 1, or 1 when there are no people.
int16_t NextPersonNumber();
// The largest GStatNumber of all games plus 1, or 1 when there are none.
int16_t NextGStatNumber();
// The largest GameNumber of the team's games plus 1, or 1 when it has none.
int16_t NextGameNumber(int16_t teamNumber);

}  // namespace vh
