#pragma once

#include "platform/Geometry.h"

#include <vector>

class TCustomPlanner;
class TPlannerItem;

// Vertical mapping between grid rows and pixels: row TopRow starts at pixel Origin.
struct TRowScale {
    int RowHeight = 1;
    int TopRow = 0;
    int Origin = 0;

    int RowToPixel(int row) const { return Origin + (row - TopRow) * RowHeight; }
    // The row holding pixel y; rows above the view come out below TopRow.
    int PixelToRow(int y) const;
};

// How one cell of a position column is cut into lanes, and the item drawn in each lane.
struct TCellLanes {
    int Division = 0;                 // number of lanes; 0 when no item meets the cell
    std::vector<TPlannerItem*> Items; // per lane the item drawn there, or null
};

// Items meeting the cell, and those meeting the range grown by them, set the division.
TCellLanes CellLanes(const TCustomPlanner& planner, int position, int row);

// The shown items of the positions as cell lanes need them, gathered once for many cells.
class TLaneIndex {
public:
    // All positions, or only `position` when it is not negative.
    explicit TLaneIndex(const TCustomPlanner& planner, int position = -1);
    TCellLanes CellLanes(int position, int row) const;

private:
    struct TEntry {
        int Begin;
        int End;
        int LaneCount;
        int Lane;
        bool TakesLane;
        TPlannerItem* Item;
    };
    std::vector<std::vector<TEntry>> positions_;
};
// Lane `lane` of `division` equal lanes of the cell.
TRect LaneRect(const TRect& cell, int division, int lane);
// The whole item drawn from a lane of one of its cells: the lane widened to all its rows.
TRect ItemRect(const TPlannerItem& item, const TRect& lane, const TRowScale& scale);
// The item's lane within the cell of its position column, from its own lane fields, less the
// item gap at the right.
TRect ItemLaneRect(const TCustomPlanner& planner, const TPlannerItem& item, const TRect& cell);
// The item under x (measured from the cell's left edge) in row `row` of the position column,
// or null; a lane's first pixel and its gap at the right belong to no item.
TPlannerItem* HitItem(const TCustomPlanner& planner, int row, int position, int x, int columnWidth);
