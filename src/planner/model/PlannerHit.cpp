#include "planner/model/PlannerHit.h"

#include "planner/model/CustomPlanner.h"

#include <algorithm>

TItemFrame ItemFrame(const TCustomPlanner& planner, const TPlannerItem& item, int columnLeft,
                     int columnRight, const TRowScale& scale, int lastRow) {
    const auto laneIn = [&](int row) {
        row = std::clamp(row, scale.TopRow, std::max(scale.TopRow, lastRow));
        const TRect cell{columnLeft, scale.RowToPixel(row), columnRight, scale.RowToPixel(row + 1)};
        return ItemLaneRect(planner, item, cell);
    };
    return {laneIn(item.ItemBegin()), laneIn(item.ItemEnd() - 1)};
}

THitZone ItemZone(const TItemFrame& frame, int captionHeight, int trackWidth, int x, int y) {
    const TRect& first = frame.First;
    if (x < first.Left + trackWidth + 2) return THitZone::Grip;
    if (y < first.Top + 3) return THitZone::TopEdge;
    if (first.Top + 3 < y && y < first.Top + captionHeight && y < first.Bottom)
        return THitZone::Caption;
    if (y > frame.Last.Bottom - 5) return THitZone::BottomEdge;
    return THitZone::Body;
}

TPointerShape ZoneShape(const TPlannerItem& item, THitZone zone, bool directMove) {
    const bool pinned = item.FixedPos() || item.Background();
    switch (zone) {
    case THitZone::TopEdge:
    case THitZone::BottomEdge:
        if (!item.FixedSize() && !item.Background()) return TPointerShape::SizeVertical;
        break;
    case THitZone::Grip:
    case THitZone::Caption:
        return pinned ? TPointerShape::Default : TPointerShape::Move;
    case THitZone::Body:
        break;
    }
    return item.ReadOnly() && directMove && !pinned ? TPointerShape::Move : TPointerShape::Default;
}
