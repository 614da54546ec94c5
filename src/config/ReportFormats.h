#pragma once
// Named report formats of the player and goalie statistics reports: listing,
// reading, checking, storing and deleting them, and recording which one each
// kind of report uses. Names are always bound, never pasted into SQL.

#include "shell/Categories.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace vh {

class Database;

struct FormatEntry {
    int16_t number = 0;
    QString name;
};

struct FormatDetails {
    QString name;
    int16_t sortCategory = 0;        // 0 = none chosen
    QString sortDirection;           // "A", "D" or empty (none chosen)
    std::vector<int16_t> line;       // the report line, in column order
};

// The kind of a report code: "G" goalies, anything else players.
CatKind FormatKind(const QString& reportCode);

// The categories a report line may hold, in number order (28 player, 30 goalie).
std::vector<int16_t> ReportableCategories(CatKind kind);

// The default format of a kind: its report line, sort category and direction
// (the name is left empty).
FormatDetails DefaultFormat(CatKind kind);
// The sort a new format starts with: category and direction.
FormatDetails NewFormat(CatKind kind);

// Every format of the kind in number order.
std::vector<FormatEntry> ListFormats(Database& db, CatKind kind);
// One format's list entry; nothing when it has no row.
std::optional<FormatEntry> ReadFormatEntry(Database& db, CatKind kind, int16_t number);
// A stored format with its report line; nothing when it has no row.
std::optional<FormatDetails> ReadFormat(Database& db, CatKind kind, int16_t number);

// The first check a format fails, in the order the editor tests them.
struct FormatProblem {
    enum Field { Name, Line, SortCategory, SortDirection };
    QString message;
    QString title;
    Field focus;
};
std::optional<FormatProblem> CheckFormat(const FormatDetails& format);

// Stores the format under `number`, or under the next free number when it is
// 0, replacing its whole report line (ReportOrder 1 to n). The name is stored
// without the blanks around it. Returns the format's number; empty, with
// nothing stored, when a new format finds the largest number in use. All or
// nothing.
std::optional<int16_t> StoreFormat(Database& db, CatKind kind, int16_t number, const FormatDetails& format);

// The number of the format the kind's report uses, as stored in table
// ReportNumber; nothing when the kind has no row there.
std::optional<int16_t> ChosenFormat(Database& db, CatKind kind);
// Records the kind's chosen format; false when the kind has no ReportNumber row.
bool ChooseFormat(Database& db, CatKind kind, int16_t number);
// Deletes a format with its report line; when it is the kind's chosen format,
// the choice moves to `replacement`. All or nothing.
void DeleteFormat(Database& db, CatKind kind, int16_t number, int16_t replacement);

}  // namespace vh
