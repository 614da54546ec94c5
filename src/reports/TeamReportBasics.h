#pragma once
// What the five team reports share: the options they take as values, the
// number texts they write, the won/lost/tied tally of a set of games with its
// points and percentage, and the game-type names.

#include "platform/db/Database.h"
#include "shell/TextFormat.h"

#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

namespace vh {

// Points for a win, loss and tie, in regulation and in overtime (options 11 to 16).
struct PointsOptions {
    int16_t regWin = 2, regLoss = 0, regTie = 1;
    int16_t otWin = 2, otLoss = 0, otTie = 1;
};

// How numbers are written: thousands separators (option 6) and -1 as "na"
// (option 7).
using NumberStyle = FigureStyle;

// A sum or count as FormatWholeNumber writes it. Sums of 16-bit game figures
// over the 32767 games a team can hold stay within 32 bits.
QString wholeNumber(long long value, const NumberStyle& style);
// numerator / denominator with three decimals, "####.000" or "#,###.000", so
// a quarter is ".250". The ratio is worked out exactly from the two whole
// numbers and an exact half of the last decimal rounds away from zero: one tie
// in eight games, .0625, is written .063, whatever a binary fraction would
// make of it. A ratio of exactly -1 follows the "na" rule of
// FormatThreeDecimals. The denominator must not be 0.
QString threeDecimalRatio(long long numerator, long long denominator, const NumberStyle& style);

// The user's game types (number, description) in list order.
using GameTypeNames = std::vector<std::pair<int16_t, QString>>;
// The description of the first entry with the number, "No Game Type" for
// none (type 0 has no entry).
QString gameTypeName(const GameTypeNames& names, int16_t gameType);

// The counted games of one team (or one game type), by result and by whether
// they went to overtime.
struct ResultTally {
    long long regWins = 0, otWins = 0;
    long long regLosses = 0, otLosses = 0;
    long long regTies = 0, otTies = 0;
    long long goalsFor = 0, goalsAgainst = 0;

    long long wins() const { return regWins + otWins; }
    long long losses() const { return regLosses + otLosses; }
    long long ties() const { return regTies + otTies; }
    long long games() const { return wins() + losses() + ties(); }
    long long points(const PointsOptions& p) const;
    // (wins + ties / 2) / games; ".000" when no game counts.
    QString winPct(const NumberStyle& style) const;

    // Counts one game: won when its goals are above the opponent's, lost when
    // below, tied when equal. Returns the result: 1, -1 or 0.
    int add(long long goals, long long oppGoals, bool overtime);
    ResultTally& operator+=(const ResultTally& other);
};

// The columns ResultTally::add reads from a GameStats row, in its order: a
// missing number reads 0 and a missing Overtime as not set.
inline constexpr const char* kTallyColumns = "coalesce(Goals, 0), coalesce(OppGoals, 0), coalesce(Overtime, 0) <> 0";

}  // namespace vh
