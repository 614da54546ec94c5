// The slot and field tables of the entry screen's player and goalie records.

#include "games/PlayerEntryRecords.h"

#include <cstring>

namespace vh {

namespace {

const char* const kPlayerFields[PlayerGameRecord::SlotCount] = {
    "PersonNumber", "OnRoster", "Played", "Per", "Min", "Sec", "SOG", "G",   "PP",   "SH",    "GW", "GT", "EN", "OT",
    "UA",           "Ast",      "Pen",    "PIM", "FOW", "FOL", "Plus", "Minus", "U1", "U2",    "U3", "U4", "U5"};

const char* const kGoalieFields[GoalieGameRecord::SlotCount] = {
    "PersonNumber", "OnRoster", "Played", "Per", "Min", "Sec", "W",   "L",   "T",   "G",   "Ast", "Pen", "PIM", "EN", "GA1",
    "GA2",          "GA3",      "GA4",    "GAO", "Sv1", "Sv2", "Sv3", "Sv4", "SvO", "U1",  "U2",  "U3",  "U4",  "U5"};

// Category number (1..50) to slot, built once from the category table's
// per-game field names, which are the record's field names.
struct SlotTable {
    std::array<int, 51> slot{};
    explicit SlotTable(CatKind kind)
    {
        slot.fill(-1);
        const int count = recordSlotCount(kind);
        for (int n = 1; n <= 50; ++n) {
            const CategoryDef* d = categoryDef(kind, n);
            if (!d || !*d->field)
                continue;
            for (int s = FirstValueSlot; s < count; ++s)
                if (std::strcmp(recordFieldName(kind, s), d->field) == 0)
                    slot[size_t(n)] = s;
        }
    }
};

}  // namespace

int recordSlotCount(CatKind kind)
{
    return kind == CatKind::Player ? int(PlayerGameRecord::SlotCount) : int(GoalieGameRecord::SlotCount);
}

const char* recordFieldName(CatKind kind, int slot)
{
    if (slot < 0 || slot >= recordSlotCount(kind))
        return "";
    return kind == CatKind::Player ? kPlayerFields[slot] : kGoalieFields[slot];
}

int recordSlotOfCategory(CatKind kind, int category)
{
    static const SlotTable player(CatKind::Player);
    static const SlotTable goalie(CatKind::Goalie);
    if (category < 1 || category > 50)
        return -1;
    return (kind == CatKind::Player ? player : goalie).slot[size_t(category)];
}

}  // namespace vh
