#pragma once
// The player and goalie statistics report, computed without a window: the
// stored per-game rows of the selected teams are summed per person (per person
// and team, or per game in one player's game log) and into a TOTALS slot, the
// computed categories derived, cut to the top X, sorted, divided at a minimum,
// laid out as grid columns and written as preformatted rows into RptPlayer or
// RptGoalie.
//
// How a statistics window drives it (`report` kept by the window):
//   open, Compute, a choice in the player list:
//       report = collectStats(db, input);          // input.criteria.playerScope / selectedPlayer set
//       unless the scope is "Y": sortStats(report, format.sortCategory, format.sortDirection);
//       columns = buildColumns(report, format, style, measure);
//       writeStatsReport(db, report);               // also empties the table first, in one transaction
//       fill the player list from report.playerList only after the first collection of the window.
//   Format (a new report format chosen):
//       clearMinimum(report); buildColumns(...); unless "Y": sortStats(...); writeStatsReport(...)
//   Sort:    clearMinimum(report); sortStats(...); writeStatsReport(...)
//   Minimum: sortStats(...); applyMinimum(report, basis, value); writeStatsReport(...)
//   Font size: buildColumns(...) only; the rows stay.
// Nothing here reads the program-wide state: the window passes the options,
// the report format and the selected teams in as values.

#include "platform/db/Database.h"
#include "shell/ReportCriteria.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace vh {

// The options the report reads.
struct StatsOptions {
    int16_t nameFormat = 0;          // 0 first and last name, 1 first initial and last name, other: last name
    bool showPlayerNumber = false;   // append "-" and the uniform number on the team (option exactly True)
    bool showCommas = false;
    bool showNA = false;             // not-applicable rates as "na" instead of zero
    bool showPlayerSeconds = false;  // minutes as m:ss on the player report
    bool showGoalieSeconds = false;  // the same on the goalie report
    int16_t minutesPerGame = 60;     // goals-against average basis (10 to 60)
};

struct SelectedTeam {
    int16_t number = 0;
    QString shortName;  // as the team list holds it; shown in the Team column
};

// The current report format of the kind.
struct StatsFormat {
    std::vector<int16_t> line;               // category number per report position (28 / 30); 0 or less: empty
    int16_t sortCategory = 0;                // -1 by name, else a category number of the kind
    QString sortDirection = QStringLiteral("A");  // "D" descending, anything else ascending
    std::array<QString, 5> userAbbrev;       // abbreviations of the user categories 46..50 of the kind
};

struct StatsInput {
    char kind = 'P';                    // 'P' players, 'G' goalies
    std::vector<SelectedTeam> teams;    // the selected teams, in the order of the team list
    ReportCriteria criteria;            // game selection, top X, criteria.playerScope ("N", "A", "Y")
    int16_t selectedPlayer = 0;         // the chosen person for scope "Y" (the player list's item data)
    StatsOptions options;
    StatsFormat format;                 // its sort decides who the top X are
};

// One slot: a person, a person on one team, or one game of a game log; slot 0
// of a report is the TOTALS slot. Counters are 32-bit, rates single precision
// with -1 for not applicable.
struct StatsSlot {
    int16_t lastGameNumber = 0;  // game of the last row added (the game of a game-log slot)
    int16_t teamNumber = 0;      // team of the last row added
    int32_t personNumber = 0;
    QString name;                // display name, first 25 characters padded to 25; "TOTALS"; "Unknown"
    QString baseName;            // the display name without the uniform number the program appended
    QString opponent;            // game log: the game's opponent (at most 25 characters)

    int32_t gamesPlayed = 0, periodsPlayed = 0, minutesPlayed = 0, secondsPlayed = 0;
    int32_t goalsScored = 0, assists = 0, penalties = 0, penaltyMinutes = 0, emptyNetGoals = 0;
    std::array<int32_t, 5> userField{};
    // players
    int32_t shotsOnGoal = 0, powerPlayGoals = 0, shortHandedGoals = 0, gameWinningGoals = 0, gameTyingGoals = 0;
    int32_t overtimeGoals = 0, unassistedGoals = 0, hatTricks = 0, playerPoints = 0;
    int32_t faceOffsWon = 0, faceOffsLost = 0, plusMinusSum = 0;
    float shootingPct = 0, pointsPerGame = 0, faceOffPct = 0;
    // goalies
    int32_t wins = 0, losses = 0, ties = 0;
    std::array<int32_t, 4> goalsAgainst{};
    int32_t goalsAgainstOT = 0, totalGoalsAgainst = 0;
    std::array<int32_t, 4> saves{};
    int32_t savesOT = 0, totalSaves = 0;
    float savePct = 0, goalsAgainstAvg = 0;
};

// An entry of the window's player list: text and item data (-1 / 0 for the
// all-player entries, else a PersonNumber).
struct PlayerListEntry {
    QString text;
    int32_t itemData = 0;
};

struct StatsReport {
    StatsInput input;                  // what was collected, kept for the later steps
    std::vector<StatsSlot> slotList;   // [0] TOTALS, then the persons (or games) in the order met
    std::vector<int> sortOrder;        // report position -> slot index; sortOrder[0] is always 0
    int separatorPosition = 0;         // position before which the minimum's separator row stands; 0 none
    QString minimumFootnote;
    int16_t currentSortCategory = 0;   // what the last sort used
    QString currentSortDirection;
    std::vector<PlayerListEntry> playerList;  // header entries, then persons from the last slot down
    QString gameLogCaption;            // one-team game log: the person's display name ("Unknown")

    bool gameLog() const;              // one team (or none) selected and scope "Y"
    int personCount() const { return int(slotList.size()) - 1; }
};

// Reads, sums, derives and names; applies top X (sorting by input.format in
// between). The result is in collection order (sortOrder the identity).
StatsReport collectStats(Database& db, const StatsInput& input);

// Orders report positions 1.. by the category (or by name) and direction;
// position 0 (TOTALS) never moves. Starts from the current order.
void sortStats(StatsReport& report, int16_t sortCategory, const QString& sortDirection);

// Moves the persons meeting the minimum ("G" games played, otherwise minutes)
// ahead of the others, each group in its order, and sets the separator and
// its footnote.
void applyMinimum(StatsReport& report, const QString& basis, int16_t minimumValue);
void clearMinimum(StatsReport& report);

// Grid columns.
struct StatsColumn {
    QString caption;
    QString dataField;      // field of RptPlayer / RptGoalie; empty for a category without a column
    int width = -1;         // twips; -1 leaves the grid's width for a new column
    QChar alignment;        // 'L', 'C', 'R' for category columns; null for the leading ones and unbound columns
};

struct ColumnStyle {
    int fontSize = 8;                        // points of the report font
    QChar alignment = QLatin1Char('R');      // of the statistics columns
};

// Width in twips of a text in the report font at bold weight.
using TextMeasurer = std::function<double(const QString& text)>;

struct ColumnLayout {
    std::vector<StatsColumn> columns;
    int columnCount = 1;  // leading columns: 1 name, 2 name and Team / Opponent
};

ColumnLayout buildColumns(const StatsReport& report, const StatsFormat& format, const ColumnStyle& style,
                          const TextMeasurer& measure);

// The report rows in display order (persons, the separator row, TOTALS last),
// one value per field of statsReportFields(kind): SortKey from 1, the numbers,
// then finished texts (names without the blanks that pad them to 25).
QStringList statsReportFields(char kind);
QString statsReportTable(char kind);  // "RptPlayer" or "RptGoalie"
std::vector<QVariantList> statsReportRows(const StatsReport& report);

// Empties the report's work table and writes its rows, in one transaction.
void writeStatsReport(Database& db, const StatsReport& report);

}  // namespace vh
