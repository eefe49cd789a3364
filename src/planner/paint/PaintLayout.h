#pragma once

#include "platform/Geometry.h"

#include <vector>

class TCustomPlanner;

constexpr int kNavigatorButtonWidth = 16;

// Where the planner's parts sit in a widget of the given size; the grid's own coordinates
// start at its top left corner.
struct TPlannerLayout {
    TRect Caption;
    TRect Header;
    TRect PreviousButton;
    TRect NextButton;
    TRect Grid;
    int SidebarWidth = 0;
    int ColumnWidth = 0;            // of each position column
    std::vector<int> SectionWidths; // time column, positions, trailing; 0 when merged

    // A cell in grid coordinates; column 0 is the time column.
    TRect CellRect(int column, int row, int topRow, int rowHeight) const;
};

// The scroll bar takes `scrollBarWidth` pixels at the grid's right.
TPlannerLayout LayOutPlanner(const TCustomPlanner& planner, int width, int height,
                             int scrollBarWidth);

// The grid column under grid x: -1 left of the grid, 0 the time column, Positions + 1 or more
// right of the last position.
int ColumnAt(const TPlannerLayout& layout, int x);
