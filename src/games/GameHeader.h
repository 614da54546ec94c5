#pragma once
// The game header's save without its window: the screen's values into a game
// record, the checks in their order with their messages, the questions to ask
// (inserting at another number, overtime), the goal warnings and the request
// for RenumberGames. The header screen asks the questions and shows the
// messages; a check can be run again with the answers given so far.

#include "shell/GameRecord.h"
#include "shell/Renumber.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace vh {

class Database;

// What the header screen's boxes hold.
struct GameHeaderEntry {
    QString gameNumber;   // txtGameNumber
    int16_t gameType = 0; // item data of the selected game type
    int periodsIndex = 1; // cmbPeriods: 0, 1, 2 for 2, 3, 4 periods
    QString gameDate;
    QString location;
    bool homeTeam = true;
    QString opponent;     // the opponent box's text, typed or picked
    // The opponent box's entries: trimmed long name and team number.
    std::vector<std::pair<QString, int16_t>> opponentTeams;
    // 0 to 4 the opponent's periods 1 to 4 and overtime, 5 to 9 the team's.
    std::array<QString, 10> periodScores;
    QString oppGoals;     // the opponent's total
    QString goals;        // the team's total
    QString pp, ppg, sh, kills;
    QString notes;
};

// The number a box's text begins with, 0 when it has none; held to the 16-bit
// range.
int16_t BoxNumber(const QString& text);

// The total of one row of period boxes (0 the opponent's, 5 the team's):
// periods 1 and 2 and overtime, and periods 3 and 4 only when shown.
int16_t RowTotal(const std::array<QString, 10>& periodScores, int firstBox, int periodsIndex);

// The game record of the screen's values for `team` (all but the overtime
// flag and the serial number, which only a new game takes); a number beyond
// the 16-bit range keeps `oldGameNumber`.
GameRecord FillGameRecord(const GameHeaderEntry& entry, int16_t team, int16_t oldGameNumber);

// The box the user is sent back to when a check stops the save.
enum class HeaderBox { None, GameNumber, GameDate, PPG, Kills };

struct HeaderMessage {
    QString text;
    QString title;
};

struct GameHeaderInput {
    GameHeaderEntry entry;
    QString mode;  // "A" adding, "C" changing
    int16_t team = 0;
    int16_t oldGameNumber = 0;  // the number the game had on opening (the next free one when adding)
    int16_t numGames = 0;       // the team's stored games
    // The stored game's type and home flag; a new game has none.
    int16_t originalGameType = -1;
    int16_t originalHomeTeam = 777;
    bool warnGoalsFor = false;
    bool warnGoalsAgainst = false;
    // The user's answers so far; empty until asked.
    std::optional<bool> insertAtNumber;
    std::optional<bool> overtime;
};

enum class HeaderQuestion { None, InsertAtNumber, Overtime };

// The next thing the save needs: a stop with its message, a question, or the
// write (after showing the warnings).
struct HeaderStep {
    enum class Kind { Stop, Ask, Write } kind = Kind::Write;
    HeaderMessage message;  // Stop: the message (none for a declined question); Ask: the question
    HeaderQuestion question = HeaderQuestion::None;
    HeaderBox focus = HeaderBox::None;
    bool restoreGameNumber = false;  // the number box shows the old number again
    // Always: the screen's values, and whether the type or home flag differs
    // from the stored game's. The overtime flag is settled only for Write.
    GameRecord game;
    bool infoChanged = false;
    // Write: the goal warnings to show first, and what to write.
    std::vector<HeaderMessage> warnings;
    RenumberRequest request;
};

HeaderStep CheckGameHeader(Database& db, const GameHeaderInput& input);

// The goal warnings for `game` against the statistics stored as game
// `statsGameNumber` of `team`.
std::vector<HeaderMessage> GoalWarnings(Database& db, int16_t team, int16_t statsGameNumber, const GameRecord& game,
                                        bool warnGoalsFor, bool warnGoalsAgainst);

}  // namespace vh
