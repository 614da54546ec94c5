#pragma once
// The player entry screen without its window: one game's records of every
// person on the team's roster (a player record and a goalie record each), how
// they are loaded from the game's stored rows and merged with the roster, what
// the category boxes show and how their texts go back into a record, the
// played counts, the goal cross-checks, the team totals view, and the save.
//
// The window keeps the controls, the focus and the message boxes and calls in
// here; everything that can be computed without a control lives here so that
// it can be tested directly. It takes the database and the game it edits;
// only the category layouts come from the project-wide state.

#include "games/PlayerEntryRecords.h"
#include "games/PlayerEntryRules.h"
#include "platform/RuntimeError.h"
#include "platform/basic/OneBased.h"
#include "shell/GameRecord.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace vh {

// What the screen's header shows of the game: caption, game number, the score
// board's names and numbers (visitor row above the home row), and where its
// columns stand for the game's periods and overtime.
struct EntryHeader {
    QString caption;         // "Player Entry Screen - " and the team's name
    QString gameNumberText;  // "Game 7"
    QString visitorName;     // at most 30 characters, "Opponent" for a blank opponent
    QString homeName;
    std::array<QString, 5> visitorScores;  // periods 1 to 4 and overtime
    std::array<QString, 5> homeScores;
    QString visitorTotal;
    QString homeTotal;

    // Score board columns in twips: lblPer(0..4) and the two score cells of
    // each column; a hidden cell is hidden in both rows.
    std::array<bool, 5> periodCaptionVisible{true, true, true, true, true};
    std::array<QString, 5> periodCaptions;
    std::array<bool, 5> scoreCellVisible{true, true, true, true, true};
    std::array<int, 5> scoreCellLeft{};
    int finalLeft = 0;  // lblFinal, lblVisitorTotal, lblHomeTotal
};

// One row of the person grid: a roster player who has a People row.
struct PersonRow {
    int16_t person = 0;
    QString name;  // first name, a blank, last name
    bool playedAsPlayer = false;
    bool playedAsGoalie = false;
};

struct PlayedCounts {
    int players = 0;
    int goalies = 0;
};

// What the 32 category boxes show for one person in one role.
struct CategoryBoxesView {
    std::array<bool, kCategoryBoxCount> visible{};
    std::array<QString, kCategoryBoxCount> labels;  // lblCat captions of the visible boxes
    // The text of each visible box; a hidden box keeps whatever text it has.
    std::array<std::optional<QString>, kCategoryBoxCount> texts;
    bool played = false;  // chkPlayed
};

// The team totals view of one role.
struct TeamTotalsView {
    std::array<int32_t, kCategoryBoxCount> totals{};  // box k holds the total of input cell k + 1
    int personCount = 0;
    QString helpLine;  // "Players Recorded - 12" / "Goalies Recorded - 2"
    BoxTexts texts;
};

// A message box to show, with MsgStyleWarn.
struct EntryMessage {
    QString title;
    QString text;
};

// The game the screen edits.
struct EntryGame {
    int16_t team = 0;
    int16_t gameNumber = 0;
    QString teamName;  // the selected team's name, for the caption
};

class Database;

class PlayerEntry {
public:
    // The records start with the placeholder at index 1 (person 0, not on the
    // roster, not played, all values 0); persons follow from index 2.
    PlayerEntry();  // no game yet
    PlayerEntry(Database& db, EntryGame game);

    OneBased<PlayerGameRecord> PlayerRecords;
    OneBased<GoalieGameRecord> GoalieRecords;

    // Reads the game's GameStats row into game() (type, periods, home flag,
    // goals of both sides by period, overtime) and returns
    // the header the screen shows. `teamLongName` is the current team's long
    // name. A missing game row is error 3021 with a message naming the game.
    EntryHeader LoadGame(const QString& teamLongName);
    // The game's header as LoadGame read it.
    const GameRecord& game() const { return game_; }
    GameRecord& game() { return game_; }

    // Merges the team's roster into the records: every person on the roster as
    // a player is marked on the roster; a person met for the first time gets a
    // record pair filled from the game's stored rows. Values of persons already
    // held stay as they are, so it can run again after the roster was edited.
    void LoadGameStats();

    // The rows of the person grid in roster order, with each person's played
    // flags of both roles.
    std::vector<PersonRow> LoadFromRoster() const;

    // The index of the person's records, 0 when the screen holds none (person 0
    // finds the placeholder).
    int StatIndex(int16_t person) const;

    // A slot of the record of `index` in the role's array.
    int16_t& slot(CatKind role, int index, int slot);
    int16_t slot(CatKind role, int index, int slot) const;

    bool played(CatKind role, int16_t person) const;
    // "Played In Game" ticked or unticked, or the first edit of a box.
    void setPlayed(CatKind role, int16_t person, bool played);

    // Persons on the roster who played as player and as goalie.
    PlayedCounts UpdatePlayedCounts() const;

    // The labels, visible boxes, box texts and played mark of the person in
    // the role, by the role's input layout.
    CategoryBoxesView ShowStats(CatKind role, int16_t person) const;

    // Copies the texts of the layout's boxes into the person's record of the
    // role. Only a category with a field is stored; Played, OnRoster and the
    // categories off the layout keep their values. Run only after
    // ValidateEntries returned "OK" and on texts CheckBoxText let in.
    void StoreEnteredStats(CatKind role, int16_t person, const BoxTexts& boxes);

    // The goals cross-checks against the game header, switched on by the
    // options EditGoalsForOption and EditGoalsAgainstOption: the warnings to
    // show, in order; none when everything matches. They change nothing.
    std::vector<EntryMessage> EditGameScreenGoals(bool warnGoalsFor, bool warnGoalsAgainst) const;

    // Sums of the role's values over the persons on the roster who played in
    // that role, per input cell, with seconds carried into the minutes cell.
    TeamTotalsView TeamTotals(CatKind role) const;

    // Rewrites the game's PlayerStats and GoalieStats rows of the persons the
    // screen holds records for: their old rows go, and a row is written for
    // each one on the roster who played in that role. Rows of persons the
    // screen never loaded stay. All in one transaction: on a failure nothing
    // has changed and the RuntimeError goes to the caller.
    void SaveGameStats() const;

private:
    void addPerson(int16_t person);

    Database* db_ = nullptr;
    EntryGame in_;
    GameRecord game_;
};

// The message shown when the save failed and nothing was changed.
inline const QString kSaveFailedTitle = QStringLiteral("Player Statistics Not Saved");
QString SaveFailedMessage(const RuntimeError& error);

}  // namespace vh
