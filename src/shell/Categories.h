#pragma once
// The statistics categories: numbers 1 to 50 within each kind (players,
// goalies), their abbreviations, help-line names, per-game fields and report
// columns; the default entry-screen layouts; and the start-up steps that turn
// the configuration tables into the in-memory category tables.

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace vh {

class Database;
struct Globals;

enum class CatKind { Player, Goalie };

struct CategoryDef {
    int number = 0;
    const char* abbrev = "";        // fixed abbreviation; empty for 46..50 (user-named)
    const char* longName = "";      // help line on the entry screen; empty when computed
    const char* field = "";         // per-game field in PlayerStats/GoalieStats; empty when computed
    const char* reportColumn = "";  // field of RptPlayer/RptGoalie; empty when the category has none
};

// The category of a number, or nullptr when the number names none.
const CategoryDef* categoryDef(CatKind kind, int number);
bool isEnteredCategory(CatKind kind, int number);
bool isComputedCategory(CatKind kind, int number);

// The code of a kind in InputOrder and NameYourOwnCats ("H" or "G").
QString categoryTypeCode(CatKind kind);

// Default entry-screen layouts: the category number of each of the 32 cells,
// 0 for an empty cell.
const std::array<int16_t, 32>& defaultInputLayout(CatKind kind);

// Start-up steps on the open database and the project-wide state.
void LoadNameYourOwnCats();          // default rows when empty, then the user names
void LoadInputOrder(CatKind kind);   // default layout rows when the kind has none
void BuildCatAbbrev(CatKind kind);   // the 50 abbreviations of the kind
void LoadPlayerReportFormat(int16_t reportNumber);
void LoadGoalieReportFormat(int16_t reportNumber);

// The same steps from any database into any state. Default rows are written
// only when `writeDefaults` allows it (never into a file that is only checked).
void LoadNameYourOwnCats(Database& db, Globals& state, bool writeDefaults);
void LoadInputOrder(Database& db, Globals& state, CatKind kind, bool writeDefaults);
void BuildCatAbbrev(Globals& state, CatKind kind);
void LoadReportFormat(Database& db, Globals& state, CatKind kind, int16_t reportNumber);
// The current format of each kind, as table ReportNumber names it; a number
// that names no format gives the kind's first format, stored as the choice
// when `storeFallback` allows it.
void LoadCurrentReportFormats(Database& db, Globals& state, bool storeFallback);

// A kind's entry-screen layout as stored: the category of each cell, 0 for
// an empty one. A row whose cell is not 1 to 32 or whose category is not 1 to
// 50 (a database edited elsewhere) is passed over.
std::array<int16_t, 32> ReadInputOrder(Database& db, CatKind kind);

// The number for a new format of the kind named by ReportCode ("P" or "G");
// empty when the largest number is in use.
std::optional<int16_t> NextReportNumber();

}  // namespace vh
