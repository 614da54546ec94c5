#pragma once
// The game header's save: the screen's values into the game record buffer,
// the checks in their order with their messages, the overtime question, the
// goal warnings and the write through RenumberGames. No window is needed:
// the header screen reads its boxes into a GameHeaderEntry and calls this.

#include <QString>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace vh {

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

// Fills the game record buffer from the screen (all but the overtime flag).
void FillGameRecord(const GameHeaderEntry& entry);

// The box the user is sent back to when a check stops the save.
enum class HeaderBox { None, GameNumber, GameDate, PPG, Kills };

struct HeaderSaveResult {
    bool saved = false;
    HeaderBox focus = HeaderBox::None;
    // The number box shows OldGameNumber again.
    bool restoreGameNumber = false;
};

// The header screen's OK: fills the buffer, sets GameInfoChanged when the
// type or home flag differs from the stored game's, runs the checks (each
// stop shows its message), settles the overtime flag, warns when the goals
// differ from the stored player and goalie statistics (a stored game only)
// and writes the game through RenumberGames.
HeaderSaveResult SaveGameHeader(const GameHeaderEntry& entry, int16_t originalGameType, int16_t originalHomeTeam);

// The two goal warnings for the statistics stored as game `statsGameNumber`.
void WarnGoalsAgainstStatistics(int16_t statsGameNumber);

}  // namespace vh
