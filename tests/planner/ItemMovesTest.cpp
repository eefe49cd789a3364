#include "planner/model/ItemMoves.h"

#include "PlannerFixture.h"
#include "planner/model/PlannerHit.h"

#include <gtest/gtest.h>

namespace {

class ItemMovesTest : public testing::Test {
protected:
    ItemMovesTest() { ApplyScheduleSettings(planner); }
    TCustomPlanner planner;
};

TEST_F(ItemMovesTest, PlacingBeyondTheRowsKeepsTheRestAsOverflow) {
    TPlannerItem& item = AddAt(planner, 10, 13);
    item.Place(-2, 1, 0);
    EXPECT_EQ(item.ItemBegin(), 0);
    EXPECT_EQ(item.ItemEnd(), 1);
    EXPECT_EQ(item.OverflowBefore(), 2);
    EXPECT_EQ(item.FirstSlot(), -2);
    EXPECT_DOUBLE_EQ(item.BeginTime() * 1440, -20);
    item.Place(142, 145, 0);
    EXPECT_EQ(item.OverflowBefore(), 0);
    EXPECT_EQ(item.ItemEnd(), 144);
    EXPECT_EQ(item.OverflowAfter(), 1);
    EXPECT_EQ(item.EndMinute(), 1450);
    item.PlaceEnd(143);
    EXPECT_EQ(item.OverflowAfter(), 0);
    EXPECT_EQ(item.EndMinute(), 1430);
}

TEST_F(ItemMovesTest, DragKeepsOneRowInViewAndAFixedPosition) {
    TPlannerItem& item = AddAt(planner, 10, 13);
    EXPECT_EQ(DragMove(planner, item, -50, 0), (TItemPlace{-2, 1, 0}));
    EXPECT_EQ(DragMove(planner, item, 500, 0), (TItemPlace{143, 146, 0}));
    EXPECT_EQ(DragMove(planner, item, 10, 0), std::nullopt) << "its own place";
    planner.SetPositions(2);
    item.SetFixedPosition(true);
    EXPECT_EQ(DragMove(planner, item, 11, 1), (TItemPlace{11, 14, 0}));
}

TEST_F(ItemMovesTest, ItemsThatKeepOthersOutBlockMovesAndSizes) {
    TPlannerItem& item = AddAt(planner, 10, 13);
    TPlannerItem& wall = AddAt(planner, 14, 16);
    wall.SetAllowOverlap(false);
    planner.Items().SetSelectedItem(&item);
    EXPECT_EQ(DragMove(planner, item, 12, 0), std::nullopt);
    EXPECT_EQ(DragBottom(planner, item, 15), std::nullopt);
    EXPECT_EQ(DragBottom(planner, item, 14), (TItemPlace{10, 14, 0}));
    EXPECT_EQ(ArrowStep(planner, item, TArrowKey::Down, false)->Place, (TItemPlace{11, 14, 0}));
    item.SetItemEnd(14);
    EXPECT_EQ(ArrowStep(planner, item, TArrowKey::Down, true), std::nullopt);
    item.SetFixedPos(true);
    EXPECT_EQ(ArrowStep(planner, item, TArrowKey::Up, false)->Change, TItemChange::Size);
}

TEST_F(ItemMovesTest, ZonesOfAnItemFromItsFirstAndLastRows) {
    const TItemFrame frame{{100, 0, 200, 24}, {100, 48, 200, 72}};
    const auto zone = [&](int x, int y) { return ItemZone(frame, 16, 4, x, y); };
    EXPECT_EQ(zone(105, 30), THitZone::Grip);
    EXPECT_EQ(zone(106, 2), THitZone::TopEdge);
    EXPECT_EQ(zone(106, 3), THitZone::Body);
    EXPECT_EQ(zone(106, 4), THitZone::Caption);
    EXPECT_EQ(zone(106, 15), THitZone::Caption);
    EXPECT_EQ(zone(106, 16), THitZone::Body);
    EXPECT_EQ(zone(106, 67), THitZone::Body);
    EXPECT_EQ(zone(106, 68), THitZone::BottomEdge);
}

TEST_F(ItemMovesTest, FrameRowsOutsideTheViewComeFromTheNearestVisibleRow) {
    TPlannerItem& item = AddAt(planner, 10, 40);
    const TRowScale scale{24, 20, 0};
    const TItemFrame frame = ItemFrame(planner, item, 60, 560, scale, 29);
    EXPECT_EQ(frame.First, (TRect{60, 0, 552, 24}));
    EXPECT_EQ(frame.Last, (TRect{60, 216, 552, 240}));
}

} // namespace
