#include "planner/model/ItemMoves.h"

#include "planner/model/CustomPlanner.h"

#include <algorithm>

namespace {

std::optional<TItemStep> SidewaysStep(const TCustomPlanner& planner, const TPlannerItem& item,
                                      int step) {
    const int position = item.ItemPos() + step;
    if (position < 0 || position >= planner.Positions() || item.FixedPos() ||
        item.FixedPosition() || planner.Blocked(item.ItemBegin(), item.ItemEnd(), position))
        return std::nullopt;
    return TItemStep{{item.FirstSlot(), item.EndSlot(), position}, TItemChange::Move};
}

// One slot up (-1) or down (+1): the whole item moves, or only its end follows.
std::optional<TItemStep> VerticalStep(const TCustomPlanner& planner, const TPlannerItem& item,
                                      int step, bool sizing) {
    const int begin = item.ItemBegin();
    const int end = item.ItemEnd();
    const int pos = item.ItemPos();
    if (!sizing) {
        if (planner.Blocked(begin + step, end + step, pos)) return std::nullopt;
        return TItemStep{{begin + step, end + step, pos}, TItemChange::Move, TPlaceBy::Slots};
    }
    if (item.FixedSize() || (step < 0 && begin + 1 >= end) ||
        planner.Blocked(begin, end + step, pos))
        return std::nullopt;
    return TItemStep{{item.FirstSlot(), item.EndSlot() + step, pos}, TItemChange::Size};
}

} // namespace

TItemPlace SlotsOf(const TPlannerItem& item) {
    return {item.ItemBegin(), item.ItemEnd(), item.ItemPos()};
}

void PlaceItem(TPlannerItem& item, const TItemPlace& to, TPlaceBy by) {
    switch (by) {
    case TPlaceBy::Range:
        item.Place(to.Begin, to.End, to.Pos);
        return;
    case TPlaceBy::Ends:
        item.SetItemPos(to.Pos);
        if (to.Begin != item.FirstSlot()) item.PlaceBegin(to.Begin);
        if (to.End != item.EndSlot()) item.PlaceEnd(to.End);
        return;
    case TPlaceBy::Slots:
        item.SetItemPos(to.Pos);
        item.SetItemBegin(to.Begin);
        item.SetItemEnd(to.End);
        return;
    }
}

std::optional<TItemStep> ArrowStep(const TCustomPlanner& planner, const TPlannerItem& item,
                                   TArrowKey key, bool shift) {
    switch (key) {
    case TArrowKey::Left:
        return SidewaysStep(planner, item, -1);
    case TArrowKey::Right:
        return SidewaysStep(planner, item, 1);
    case TArrowKey::Up:
        if (item.ItemBegin() <= 0) return std::nullopt;
        return VerticalStep(planner, item, -1, shift || item.FixedPos());
    case TArrowKey::Down:
        if (item.ItemEnd() >= planner.RowCount()) return std::nullopt;
        return VerticalStep(planner, item, 1, shift || item.FixedPos());
    }
    return std::nullopt;
}

std::optional<TItemPlace> DragMove(const TCustomPlanner& planner, const TPlannerItem& item,
                                   int begin, int position) {
    if (item.FixedPosition()) position = item.ItemPos();
    const int length = item.EndSlot() - item.FirstSlot();
    begin = std::clamp(begin, 1 - length, planner.RowCount() - 1);
    if ((begin == item.FirstSlot() && position == item.ItemPos()) || position < 0 ||
        position >= planner.Positions())
        return std::nullopt;
    const TItemPlace place{begin, begin + length, position};
    if (planner.Blocked(std::max(place.Begin, 0), std::min(place.End, planner.RowCount()),
                        position))
        return std::nullopt;
    return place;
}

std::optional<TItemPlace> DragTop(const TCustomPlanner& planner, const TPlannerItem& item,
                                  int slot) {
    if (slot == item.ItemBegin() || slot < 0 || slot >= item.ItemEnd() ||
        planner.Blocked(slot, item.ItemEnd(), item.ItemPos()))
        return std::nullopt;
    return TItemPlace{slot, item.EndSlot(), item.ItemPos()};
}

std::optional<TItemPlace> DragBottom(const TCustomPlanner& planner, const TPlannerItem& item,
                                     int slot) {
    if (slot == item.ItemEnd() || slot < 0 || slot > planner.RowCount() ||
        slot <= item.ItemBegin() || planner.Blocked(item.ItemBegin(), slot, item.ItemPos()))
        return std::nullopt;
    return TItemPlace{item.FirstSlot(), slot, item.ItemPos()};
}
