#pragma once
// The report parameters as the report-parameters dialog (frmCompute) takes
// and gives them, the lines of its game list, and the checks of its OK: what
// the dialog's controls hold becomes new report criteria, or the one message
// that sends the user back to a control.

#include "shell/ReportCriteria.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace vh {

class Database;

struct ComputeInput {
    QString reportCode;  // "P", "G" statistics; "R", "O", "S", "M" team reports
    // Game range, home/away, game types (number and whether included, in the
    // list's order), excluded games, top X and the title.
    ReportCriteria criteria;
    std::vector<QString> gameTypeNames;  // parallel to criteria.gameTypes
    // The kind's sort ("P" and "G" only): -1 by name, else a category number.
    int16_t sortCategory = 0;
    QString sortDirection = QStringLiteral("A");
    std::array<QString, 50> categoryAbbrev;  // the kind's abbreviations, category 1 at [0]
    int selectedTeamCount = 0;
    int16_t currentTeam = 0;  // whose games the list offers, with one team selected
};

struct ComputeOutput {
    ReportCriteria criteria;
    // Left out for the team reports; for the statistics the sort chosen (the
    // previous category when the list held no entry to choose).
    std::optional<int16_t> sortCategory;
    QString sortDirection;
};

// What the dialog's controls hold when OK is pressed.
struct ComputeChoices {
    QString lowGame, highGame, topX, title;
    bool home = true, away = true;
    std::vector<bool> gameTypesSelected;  // per entry of the game-type list
    // (GameNumber, selected) per line of the game list; empty when no list is
    // shown (several teams) or the team has no games.
    std::vector<std::pair<int16_t, bool>> games;
    std::optional<int16_t> sortCategory;  // item data of the chosen entry, if any
    bool descending = false;
};

// A failed check: its message and the control to go back to.
struct ComputeProblem {
    enum Control { Home, GameTypes, GameList };
    QString message;
    Control control = Home;
};

// Whether the dialog shows the number of players and the sort: only for the
// statistics reports, and not for one player's game log of one team.
bool computeShowsTopXAndSort(const ComputeInput& input);

// The entries of the sort list: "Name" (-1), then the categories a report of
// the kind can show and be sorted by (players 1-23 and 46-50, goalies 1-25 and
// 46-50), each as its abbreviation with its number. Empty for other reports.
std::vector<std::pair<QString, int16_t>> sortListEntries(const QString& reportCode,
                                                         const std::array<QString, 50>& abbrev);

// One line per game of the team in game-number order: number, date, opponent,
// score, padded into columns for a fixed-pitch list. Numbers may have gaps
// (converted data keeps the old numbers), so each line carries its game's.
struct GameLine {
    int16_t number = 0;
    QString text;
};
std::vector<GameLine> computeGameLines(Database& db, int16_t team);

// The OK: the three checks in order, then the defaults for empty or zero
// boxes, the swapped range, and the new criteria. The boxes' default texts
// come back in `choices` so the dialog can show them.
std::variant<ComputeOutput, ComputeProblem> checkComputeChoices(const ComputeInput& input, ComputeChoices& choices);

}  // namespace vh
