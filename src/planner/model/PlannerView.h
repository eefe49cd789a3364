#pragma once

class TPlannerItem;

// What the planner model asks of the widget that shows it. Grid column 0 is the time column;
// position p is column p + 1. Rows are grid rows.
class TPlannerView {
public:
    virtual ~TPlannerView() = default;
    // Rows [beginRow, endRow) of one column need painting; the range lies within the grid.
    virtual void InvalidateCells(int column, int beginRow, int endRow) = 0;
    virtual void InvalidateGrid() = 0;
    // Rows, columns, header sections or another setting changed: lay out and repaint it all.
    virtual void SettingsChanged() = 0;
    // The item is about to be freed: close its in-place editor and forget it.
    virtual void ItemRemoving(TPlannerItem& item) = 0;
};
