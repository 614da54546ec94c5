#pragma once
// The statistics categories: numbers 1 to 50 within each kind (players,
// goalies), their abbreviations, help-line names, per-game fields and report
// columns; the default entry-screen layouts; and the start-up steps that turn
// the configuration tables into the in-memory category tables.

#include <QString>
#include <array>
#include <cstdint>

namespace vh {

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

// Start-up steps.
void LoadNameYourOwnCats();          // default rows when empty, then the user names
void LoadInputOrder(CatKind kind);   // default layout rows when the kind has none
void BuildCatAbbrev(CatKind kind);   // the 50 abbreviations of the kind
void LoadPlayerReportFormat(int16_t reportNumber);
void LoadGoalieReportFormat(int16_t reportNumber);
// The number for a new format of the kind named by ReportCode ("P" or "G").
int16_t NextReportNumber();

}  // namespace vh
