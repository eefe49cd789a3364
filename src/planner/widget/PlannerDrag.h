#pragma once

#include "planner/model/ItemMoves.h"

#include <cstdint>

enum class TDragMode { None, Move, SizeTop, SizeBottom };

// What the grid remembers of a drag between press and release; the item dragged is always
// the selected one.
struct TDragState {
    TDragMode Mode = TDragMode::None;
    int PressY = 0;    // pointer y at the press, shifted a row for each automatic scroll
    int PressSlot = 0; // whole first slot at the press; the end slot when sizing the bottom
    TItemPlace Before; // visible slots and position before the drag
    std::int64_t LastStep = 0;
    bool Paused = false; // an automatic scroll holds further steps back for a moment

    // Whole rows the pointer moved since the press, truncated toward zero.
    int RowsMoved(int y, int rowHeight) const { return (y - PressY) / rowHeight; }
};
