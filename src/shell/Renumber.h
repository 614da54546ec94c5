#pragma once
// A team's games stay numbered 1 to n without gaps; the one procedure that
// writes a game's row and keeps that numbering, and the next-number queries.

#include "platform/RuntimeError.h"
#include "shell/GameRecord.h"

#include <QString>
#include <QVariantList>
#include <cstdint>
#include <optional>

namespace vh {

class Database;

// What RenumberGames writes.
struct RenumberRequest {
    // "A" adds `game` as number game.gameNumber (oldGameNumber is the next
    // free number; a smaller number inserts it and moves the later games up),
    // "C" rewrites the game stored as oldGameNumber and moves it to
    // game.gameNumber, "D" deletes game game.gameNumber with its player and
    // goalie rows and closes the gap; any other mode does nothing.
    QString mode;
    int16_t team = 0;
    int16_t oldGameNumber = 0;
    // The player and goalie rows take the game's type and home flag.
    bool infoChanged = false;
    GameRecord game;
};

struct RenumberOutcome {
    bool written = true;
    QString message;  // for the user when not written
    static inline const QString Title = QStringLiteral("Database Error");
};

// Player and goalie rows move with their game. All or nothing: on a database
// error every game keeps its number and row and the outcome says why.
RenumberOutcome RenumberGames(Database& db, const RenumberRequest& request);

// Keys are 16-bit: once this one is in use, the next-number rule has no number
// left to give.
constexpr int LargestKey = 32767;

// The next-number rule: the single field "Result" of a "select max(...) as
// [result]" text plus 1, or 1 when it is Null (an empty table), and never
// below `atLeast` (a number the program already handed out). Empty when that
// passes LargestKey: a wrapped or repeated number would file rows under a key
// that is already someone's.
std::optional<int16_t> NextNumberFromMax(Database& db, const QString& selectMax, const QVariantList& params = {},
                                         int atLeast = 1);
// The largest PersonNumber plus 1, or 1 when there are no people.
std::optional<int16_t> NextPersonNumber(Database& db);
// The largest GStatNumber of all games plus 1, or 1 when there are none.
std::optional<int16_t> NextGStatNumber(Database& db);
// The largest GameNumber of the team's games plus 1, or 1 when it has none.
std::optional<int16_t> NextGameNumber(Database& db, int16_t teamNumber);

// The keys a new row takes, and what the user is told when none is left.
enum class KeyKind { Team, Person, Game, GameSerial, Filter, GameType, ReportFormat };
struct NoNumberLeft {
    QString text;
    QString title;
};
NoNumberLeft NoNumberLeftMessage(KeyKind kind);
// The same text as an error, for work that stops on it.
RuntimeError NoNumberLeftError(KeyKind kind);

}  // namespace vh
