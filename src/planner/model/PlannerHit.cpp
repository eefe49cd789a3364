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

TPressAction PressAction(const TPlannerItem& item, THitZone zone, bool selected, bool directMove) {
    const bool movable = !item.FixedPos() && !item.Background();
    const bool sizable = !item.FixedSize() && !item.Background();
    if (!selected) return directMove && movable ? TPressAction::Move : TPressAction::Select;
    switch (zone) {
    case THitZone::Grip:
    case THitZone::Caption:
        return movable ? TPressAction::Move : TPressAction::Select;
    case THitZone::TopEdge:
        if (sizable) return TPressAction::SizeTop;
        break;
    case THitZone::BottomEdge:
        if (sizable) return TPressAction::SizeBottom;
        break;
    case THitZone::Body:
        break;
    }
    // An edge that cannot be dragged counts as body. An editable body is left to an in-place
    // editor, which this planner does not have.
    return item.ReadOnly() && directMove && movable ? TPressAction::Move : TPressAction::Select;
}
