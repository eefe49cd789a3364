#include "planner/model/ItemGeometry.h"

#include "planner/model/CustomPlanner.h"
#include "planner/model/ItemRules.h"

#include <algorithm>

namespace {

// Drawn in a lane: visible, shown, and not an underlay behind the lanes.
bool TakesLane(const TCustomPlanner& planner, const TPlannerItem& item, int position) {
    return item.ItemPos() == position && item.Visible() &&
           !IsUnderlay(item.Background(), item.AllowOverlap()) &&
           LayerShown(item.Layer(), planner.Layer());
}

bool CoversRow(const TPlannerItem& item, int row) {
    return item.ItemBegin() <= row && row < item.ItemEnd();
}

// Width of one lane of the item's group within a column of usable width `width`.
int LaneWidth(const TPlannerItem& item, int width) {
    return item.LaneCount() > 1 ? width / item.LaneCount() : width;
}

} // namespace

int TRowScale::PixelToRow(int y) const {
    const int offset = y - Origin;
    const int rows = offset >= 0 ? offset / RowHeight : -((RowHeight - 1 - offset) / RowHeight);
    return TopRow + rows;
}

TCellLanes CellLanes(const TCustomPlanner& planner, int position, int row) {
    return TLaneIndex(planner, position).CellLanes(position, row);
}

// Entries keep item order: the range grows as the items are met one after another.
TLaneIndex::TLaneIndex(const TCustomPlanner& planner, int position)
    : positions_(planner.Positions()) {
    for (TPlannerItem& item : planner.Items().All()) {
        const int pos = item.ItemPos();
        if (pos < 0 || pos >= planner.Positions() || (position >= 0 && pos != position) ||
            !item.Visible() || !LayerShown(item.Layer(), planner.Layer()) ||
            item.ItemBegin() >= item.ItemEnd())
            continue;
        positions_[pos].push_back({item.ItemBegin(), item.ItemEnd(), item.LaneCount(), item.Lane(),
                                   TakesLane(planner, item, pos), &item});
    }
}

TCellLanes TLaneIndex::CellLanes(int position, int row) const {
    TCellLanes lanes;
    if (position < 0 || position >= static_cast<int>(positions_.size())) return lanes;
    const std::vector<TEntry>& entries = positions_[position];
    int begin = row;
    int end = row + 1;
    for (const TEntry& entry : entries) {
        if (!RangesMeet(entry.Begin, entry.End, begin, end)) continue;
        lanes.Division = std::max(lanes.Division, entry.LaneCount);
        begin = std::min(begin, entry.Begin);
        end = std::max(end, entry.End);
    }
    lanes.Items.assign(lanes.Division, nullptr);
    for (const TEntry& entry : entries) {
        const int lane = entry.Lane;
        if (lane >= 0 && lane < lanes.Division && !lanes.Items[lane] && entry.Begin <= row &&
            row < entry.End && entry.TakesLane)
            lanes.Items[lane] = entry.Item;
    }
    return lanes;
}

TRect LaneRect(const TRect& cell, int division, int lane) {
    if (division < 1) return cell;
    const int width = cell.Width() / division;
    return {cell.Left + lane * width, cell.Top, cell.Left + (lane + 1) * width, cell.Bottom};
}

TRect ItemRect(const TPlannerItem& item, const TRect& lane, const TRowScale& scale) {
    return {lane.Left, scale.RowToPixel(item.ItemBegin()), lane.Right,
            scale.RowToPixel(item.ItemEnd())};
}

TRect ItemLaneRect(const TCustomPlanner& planner, const TPlannerItem& item, const TRect& cell) {
    const int width = cell.Width() - planner.PositionGap();
    const int laneWidth = LaneWidth(item, width);
    const int left = item.LaneCount() < 2 ? cell.Left : cell.Left + laneWidth * item.Lane();
    return {left, cell.Top, left + laneWidth - planner.ItemGap(), cell.Bottom};
}

TPlannerItem* HitItem(const TCustomPlanner& planner, int row, int position, int x,
                      int columnWidth) {
    const int width = columnWidth - planner.PositionGap();
    for (TPlannerItem& item : planner.Items().All()) {
        if (!CoversRow(item, row) || !TakesLane(planner, item, position)) continue;
        const int laneWidth = LaneWidth(item, width);
        if (laneWidth * item.Lane() < x && x < laneWidth * (item.Lane() + 1) - planner.ItemGap())
            return &item;
    }
    return nullptr;
}
