#pragma once
// The entry screen's per-person records of one game: one player record and
// one goalie record per person, as fixed slots of 16-bit values, and the
// tables that tie each slot to its stored field and each category number to
// its slot. Loading, showing, storing and saving all go through these tables,
// so a category's value travels the same way in every direction.

#include "shell/Categories.h"

#include <array>
#include <cstdint>

namespace vh {

// One person's player statistics of the game.
struct PlayerGameRecord {
    enum Slot : int {
        PersonNumber, OnRoster, Played,
        Per, Min, Sec, SOG, G, PP, SH, GW, GT, EN, OT, UA, Ast, Pen, PIM, FOW, FOL, Plus, Minus,
        U1, U2, U3, U4, U5,
        SlotCount
    };
    static constexpr CatKind Kind = CatKind::Player;
    std::array<int16_t, SlotCount> values{};

    int16_t& operator[](int s) { return values.at(size_t(s)); }
    int16_t operator[](int s) const { return values.at(size_t(s)); }
};

// One person's goalie statistics of the game.
struct GoalieGameRecord {
    enum Slot : int {
        PersonNumber, OnRoster, Played,
        Per, Min, Sec, W, L, T, G, Ast, Pen, PIM, EN, GA1, GA2, GA3, GA4, GAO, Sv1, Sv2, Sv3, Sv4, SvO,
        U1, U2, U3, U4, U5,
        SlotCount
    };
    static constexpr CatKind Kind = CatKind::Goalie;
    std::array<int16_t, SlotCount> values{};

    int16_t& operator[](int s) { return values.at(size_t(s)); }
    int16_t operator[](int s) const { return values.at(size_t(s)); }
};

// Slots shared by both kinds.
constexpr int SlotPersonNumber = 0;
constexpr int SlotOnRoster = 1;
constexpr int SlotPlayed = 2;
// The first slot that holds a statistic; every slot from here on is a field
// of PlayerStats / GoalieStats of the same name.
constexpr int FirstValueSlot = 3;

int recordSlotCount(CatKind kind);
// The PlayerStats / GoalieStats field of a value slot ("Per", "GA1", "U5").
const char* recordFieldName(CatKind kind, int slot);
// The slot that a category number fills on the entry screen, -1 for a number
// that is computed or names no category (such a box shows 0 and stores nothing).
int recordSlotOfCategory(CatKind kind, int category);

}  // namespace vh
