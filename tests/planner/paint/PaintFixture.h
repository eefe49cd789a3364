#pragma once

#include "ScheduleItems.h"
#include "TestPlanner.h"
#include "planner/paint/PaintPlanner.h"
#include "support/RecordingCanvas.h"

#include <gtest/gtest.h>

// The test planner, one position 793 pixels wide beside the 60-pixel time column,
// painted on a recording canvas.
class PaintTest : public PlannerTest {
protected:
    PaintTest() { layout = LayOutPlanner(planner, 870, 576, 16); }

    void PaintGrid(int topRow, int rows) {
        grid.TopRow = topRow;
        grid.VisibleRows = rows;
        grid.Outside = ItemsOutsideView(planner, topRow, topRow + rows - 1);
        TGridPainter(planner, looks, layout, grid).PaintGrid(canvas);
    }
    TRect Cell(int row) const { return layout.CellRect(1, row, grid.TopRow, 24); }
    // The colour the cell's first fill used.
    TColor CellColor(int row) const {
        for (const TCanvasOp& op : canvas.OfKind("FillRect"))
            if (op.Rect.Left == 60 && op.Rect.Top == Cell(row).Top) return op.Brush.Color;
        return clNone;
    }
    bool Has(const std::string& kind, const TRect& rect) const {
        for (const TCanvasOp& op : canvas.OfKind(kind))
            if (op.Rect == rect) return true;
        return false;
    }

    TPlannerLooks looks;
    TPlannerLayout layout;
    TGridState grid;
    RecordingCanvas canvas;
};
