#pragma once
// The input-screen designer's working copy of the two entry-screen layouts:
// 32 "available" and 32 "input" cells per kind, moves between them, Clear and
// Default, and storing a layout in InputOrder.
//
// Cells hold category numbers, not abbreviation texts, so that a user-named
// category whose name equals another category's keeps its own number.

#include "shell/Categories.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vh {

class Database;

using CellRow = std::array<int16_t, 32>;  // category number per cell, 0 = empty

enum class CellArea { Avail, Input };

struct LayoutCells {
    CellRow avail{};
    CellRow input{};
    bool changed = false;
    CellRow& area(CellArea a) { return a == CellArea::Avail ? avail : input; }
};

// The categories that may stand on the entry screen, in the designer's
// standard order (the default layout read cell by cell).
std::vector<int16_t> InputEligibleCategories(CatKind kind);

// The cells of a stored layout: its input cells as they are, then every
// eligible category not among them in standard order in the available cells.
LayoutCells BuildLayoutCells(CatKind kind, const CellRow& inputOrder);

enum class DropOutcome { TargetNotEmpty, Done };
// Drops the source cell on the target cell. An occupied target refuses and
// nothing changes. Otherwise a filled source moves into the target, and the
// layout counts as changed even when nothing moved (an empty cell dropped).
DropOutcome DropCell(LayoutCells& cells, CellArea target, int targetIndex, CellArea source, int sourceIndex);

// Clear: every eligible category available, the entry screen empty.
void ClearLayoutCells(LayoutCells& cells, CatKind kind);
// Default: the default layout on the entry screen, nothing left available.
void DefaultLayoutCells(LayoutCells& cells, CatKind kind);

inline bool LayoutIsEmpty(const CellRow& input)
{
    for (int16_t c : input)
        if (c > 0)
            return false;
    return true;
}

// Replaces the kind's InputOrder rows with one row per filled input cell, in
// cell order, in one transaction.
void StoreInputOrder(Database& db, CatKind kind, const CellRow& input);
// Stores the changed layouts, players first, in one transaction; an
// unchanged kind keeps its rows. (ReadInputOrder of the category tables reads
// them back.)
void StoreLayouts(Database& db, const LayoutCells& player, const LayoutCells& goalie);

}  // namespace vh
