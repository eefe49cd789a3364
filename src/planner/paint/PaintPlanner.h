#pragma once

#include "planner/model/CurrentTime.h"
#include "planner/model/ItemGeometry.h"
#include "planner/paint/PaintLayout.h"
#include "planner/paint/PaintLooks.h"
#include "platform/Canvas.h"

#include <optional>
#include <string>
#include <vector>

class TCustomPlanner;
class TPlannerItem;

// A rectangle of grid cells, columns and rows both inclusive; empty by default.
struct TGridSelection {
    int Left = 0;
    int Top = 0;
    int Right = -1;
    int Bottom = -1;

    bool Contains(int column, int row) const {
        return Left <= column && column <= Right && Top <= row && row <= Bottom;
    }
};

// What one paint of the grid shows.
struct TGridState {
    int TopRow = 0;
    int VisibleRows = 0;
    TGridSelection Selection;
    TDateTime Now = 0;
    TPoint Mouse{-1, -1}; // in grid coordinates
    bool MouseDown = false;
    TRowsOutside Outside; // drives the indicators in the time column
    const TImageList* Images = nullptr;
};

// Draws the grid's cells and items in grid coordinates.
class TGridPainter {
public:
    TGridPainter(TCustomPlanner& planner, const TPlannerLooks& looks, const TPlannerLayout& layout,
                 const TGridState& grid);

    // Rounded items come out as if redrawn over each of their cells: drawn once, after the cells.
    void PaintGrid(TCanvas& canvas);
    void PaintSidebarCell(TCanvas& canvas, int row, const TRect& cell);
    void PaintPositionCell(TCanvas& canvas, int position, int row, const TRect& cell,
                           bool selected);
    // Nothing is drawn for an item already painted in this pass or without slots.
    void PaintItem(TCanvas& canvas, TPlannerItem& item, TRect rect);

private:
    struct TDeferredItem {
        TPlannerItem* Item;
        TRect Rect;
        int Cell; // the last cell that drew it
    };

    int LastVisibleRow() const;
    void DrawLaneItem(TCanvas& canvas, TPlannerItem& item, const TRect& rect);
    void PaintDeferredItems(TCanvas& canvas);
    TColor SlotColor(int position, int row, bool selected) const;
    void FillSlot(TCanvas& canvas, const TRect& rect, TColor color) const;
    void PaintLanes(TCanvas& canvas, int position, int row, const TRect& cell, TColor color);
    void PaintTimeLabels(TCanvas& canvas, int row, TRect box);
    void PaintItemFrame(TCanvas& canvas, TPlannerItem& item, TRect& rect, TRect& outer,
                        TPen& outline) const;
    int PaintCaptionBand(TCanvas& canvas, TPlannerItem& item, const TRect& rect,
                         const TPen& outline);
    void PaintItemText(TCanvas& canvas, TPlannerItem& item, const TRect& rect);
    void PaintArrows(TCanvas& canvas, const TPlannerItem& item, const TRect& outer) const;

    TCustomPlanner& planner_;
    const TPlannerLooks& looks_;
    const TPlannerLayout& layout_;
    const TGridState& grid_;
    std::optional<TLaneIndex> lanes_; // while the whole grid is painted
    bool deferring_ = false;
    int cell_ = 0;
    std::vector<TDeferredItem> deferred_;
};

// Item, header and caption texts containing "</" go to the markup renderer.
bool IsMarkup(const std::string& text);
unsigned AlignmentFlags(TAlignment alignment);

// The parts above the grid, in widget coordinates.
void PaintCaptionBar(TCanvas& canvas, const TCustomPlanner& planner, const TPlannerLooks& looks,
                     const TRect& rect);
void PaintHeader(TCanvas& canvas, const TCustomPlanner& planner, const TPlannerLooks& looks,
                 const TPlannerLayout& layout);
void PaintNavigatorButton(TCanvas& canvas, const TPlannerLooks& looks, const TRect& rect,
                          bool next);
