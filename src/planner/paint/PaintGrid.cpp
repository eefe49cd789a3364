#include "planner/model/CustomPlanner.h"
#include "planner/model/ItemGeometry.h"
#include "planner/model/TimeText.h"
#include "planner/paint/PaintColors.h"
#include "planner/paint/PaintPlanner.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kGradientSteps = 32;
constexpr int kIndicatorWidth = 22;
constexpr int kIndicatorHeight = 10;

void DrawLine(TCanvas& canvas, TColor color, int x1, int y1, int x2, int y2) {
    canvas.Pen = {color, 1};
    canvas.Line(x1, y1, x2, y2);
}

// A box with a triangle and three dots, telling of items beyond the view.
void DrawIndicator(TCanvas& canvas, const TRect& box, bool up) {
    canvas.Pen = {clBlack, 1};
    canvas.Brush.Color = clInfoBk;
    canvas.Rectangle(box);
    canvas.Brush.Color = clBlack;
    const int x = box.Left;
    const int y = box.Top;
    if (up)
        canvas.Polygon({{x + 4, y + 2}, {x + 6, y + 6}, {x + 2, y + 6}});
    else
        canvas.Polygon({{x + 4, y + 6}, {x + 6, y + 2}, {x + 2, y + 2}});
    for (int dot : {8, 12, 16})
        canvas.FillRect({x + dot, y + 5, x + dot + 2, y + 7});
}

TFont HourFont(const TFont& font) {
    TFont result = font;
    SetFontSize(result, static_cast<int>(std::lround(FontSize(font) * 1.2)));
    return result;
}

} // namespace

TGridPainter::TGridPainter(TCustomPlanner& planner, const TPlannerLooks& looks,
                           const TPlannerLayout& layout, const TGridState& grid)
    : planner_(planner), looks_(looks), layout_(layout), grid_(grid) {}

int TGridPainter::LastVisibleRow() const {
    return std::min(grid_.TopRow + grid_.VisibleRows, planner_.RowCount()) - 1;
}

void TGridPainter::PaintGrid(TCanvas& canvas) {
    for (TPlannerItem& item : planner_.Items().All())
        item.ViewState().Painted = false;
    const int scale = planner_.Display().DisplayScale();
    const int last = LastVisibleRow();
    if (planner_.Sidebar().Visible())
        for (int row = grid_.TopRow; row <= last; ++row)
            PaintSidebarCell(canvas, row, layout_.CellRect(0, row, grid_.TopRow, scale));
    deferring_ = true;
    lanes_.emplace(planner_);
    for (int row = grid_.TopRow; row <= last; ++row)
        for (int position = 0; position < planner_.Positions(); ++position, ++cell_)
            PaintPositionCell(canvas, position, row,
                              layout_.CellRect(position + 1, row, grid_.TopRow, scale),
                              grid_.Selection.Contains(position + 1, row));
    deferring_ = false;
    lanes_.reset();
    PaintDeferredItems(canvas);
}

// A rounded item drawn again at a later cell covers its earlier drawings and the cell
// backgrounds under it alike, so only its last drawing counts.
void TGridPainter::DrawLaneItem(TCanvas& canvas, TPlannerItem& item, const TRect& rect) {
    if (!deferring_ || item.Shape() == psRect) return PaintItem(canvas, item, rect);
    const auto same = [&item](const TDeferredItem& entry) { return entry.Item == &item; };
    const auto found = std::find_if(deferred_.begin(), deferred_.end(), same);
    if (found == deferred_.end())
        deferred_.push_back({&item, rect, cell_});
    else
        *found = {&item, rect, cell_};
}

void TGridPainter::PaintDeferredItems(TCanvas& canvas) {
    std::stable_sort(
        deferred_.begin(), deferred_.end(),
        [](const TDeferredItem& a, const TDeferredItem& b) { return a.Cell < b.Cell; });
    for (const TDeferredItem& entry : deferred_) {
        entry.Item->ViewState().Painted = false;
        PaintItem(canvas, *entry.Item, entry.Rect);
    }
    deferred_.clear();
}

void TGridPainter::PaintSidebarCell(TCanvas& canvas, int row, const TRect& cell) {
    GradientFill(canvas, looks_.SidebarBackground, looks_.SidebarBackgroundTo,
                 TGradientDirection::LeftToRight, cell, kGradientSteps);
    if (looks_.SidebarBorder) {
        DrawLine(canvas, clWhite, cell.Left, cell.Top, cell.Left, cell.Bottom);
        if (row == grid_.TopRow)
            DrawLine(canvas, clWhite, cell.Left, cell.Top, cell.Right, cell.Top);
        DrawLine(canvas, clGray, cell.Right - 1, cell.Top, cell.Right - 1, cell.Bottom);
        if (row == planner_.RowCount() - 1)
            DrawLine(canvas, clGray, cell.Left, cell.Bottom - 1, cell.Right, cell.Bottom - 1);
    }
    const TRect box{cell.Left + 4, cell.Top + 1, cell.Right - 4, cell.Bottom - 1};
    PaintTimeLabels(canvas, row, box);
    if (!looks_.IndicateNonVisibleItems) return;
    if (row == grid_.TopRow && grid_.Outside.Above)
        DrawIndicator(canvas,
                      {box.Left, box.Top, box.Left + kIndicatorWidth, box.Top + kIndicatorHeight},
                      true);
    // The last row may show only a few pixels: the box sits on the bottom of what shows.
    const int bottom = std::min(cell.Bottom, layout_.Grid.Height());
    if (row == LastVisibleRow() && grid_.Outside.Below)
        DrawIndicator(canvas,
                      {cell.Left, bottom - kIndicatorHeight, cell.Left + kIndicatorWidth, bottom},
                      false);
}

// Hours on the first row of each hour; the minutes of every row line up behind the hour.
void TGridPainter::PaintTimeLabels(TCanvas& canvas, int row, TRect box) {
    const TPlannerDisplay& display = planner_.Display();
    const int minutes = display.SlotMinute(row);
    const std::string hour = HourText(minutes);
    const std::string minute = MinuteText(minutes);
    canvas.Font = looks_.SidebarFont;
    canvas.Brush.Color = clNone;
    if (row != grid_.TopRow) {
        const int from = minute == "00" ? box.Left : box.Right - canvas.TextWidth(minute);
        DrawLine(canvas, looks_.SidebarSeparatorLineColor, from, box.Top - 1, box.Right - 1,
                 box.Top - 1);
    }
    canvas.Font = HourFont(looks_.SidebarFont);
    if (minutes % 60 < display.DisplayUnit())
        canvas.DrawText(box, hour, tfLeft | tfTop | tfSingleLine | tfNoPrefix);
    box.Left += canvas.TextWidth(hour) + 4;
    canvas.Font = looks_.SidebarFont;
    canvas.DrawText(box, minute, tfLeft | tfWordBreak | tfNoPrefix);
}

TColor TGridPainter::SlotColor(int position, int row, bool selected) const {
    const TPlannerDisplay& display = planner_.Display();
    TColor color = display.ActiveStart() <= row && row < display.ActiveEnd()
                       ? display.ColorActive()
                       : display.ColorNonActive();
    const std::vector<TColor>& slots = planner_.SlotColors()[position];
    if (row >= 0 && row < static_cast<int>(slots.size()) && slots[row] != clNone)
        color = slots[row];
    if (IsCurrentSlot(display, row, grid_.Now) && InCurrentPositions(display, position))
        color = display.ColorCurrent();
    if (selected) color = BlendColor(planner_.SelectColor(), color, planner_.SelectBlend());
    return color;
}

// The slot's fill with its line along the bottom.
void TGridPainter::FillSlot(TCanvas& canvas, const TRect& rect, TColor color) const {
    canvas.Brush.Color = color;
    canvas.FillRect(rect);
    DrawLine(canvas, looks_.GridLineColor, rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom - 1);
}

void TGridPainter::PaintPositionCell(TCanvas& canvas, int position, int row, const TRect& cell,
                                     bool selected) {
    const TColor color = SlotColor(position, row, selected);
    PaintLanes(canvas, position, row, cell, color);
    DrawLine(canvas, looks_.GridLineColor, cell.Right - 1, cell.Top - 1, cell.Right - 1,
             cell.Bottom - 1);
}

// Rounded items are drawn again over each freshly filled cell, so the last drawing is whole.
void TGridPainter::PaintLanes(TCanvas& canvas, int position, int row, const TRect& cell,
                              TColor color) {
    const TCellLanes lanes =
        lanes_ ? lanes_->CellLanes(position, row) : CellLanes(planner_, position, row);
    if (lanes.Division == 0) return FillSlot(canvas, cell, color);
    const TRowScale scale{planner_.Display().DisplayScale(), grid_.TopRow, 0};
    for (int lane = 0; lane < lanes.Division; ++lane) {
        TRect rect = LaneRect(cell, lanes.Division, lane);
        if (lane == lanes.Division - 1) rect.Right = cell.Right;
        TPlannerItem* item = lanes.Items[lane];
        if (!item) {
            FillSlot(canvas, rect, color);
            continue;
        }
        if (item->Shape() != psRect) {
            FillSlot(canvas, rect, color);
            item->ViewState().Painted = false;
        }
        DrawLaneItem(canvas, *item, ItemRect(*item, rect, scale));
        FillSlot(canvas, {rect.Right - planner_.ItemGap(), rect.Top, rect.Right, rect.Bottom},
                 color);
    }
}
