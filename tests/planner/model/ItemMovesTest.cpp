#include "planner/model/ItemMoves.h"

#include "TestPlanner.h"

#include <gtest/gtest.h>

namespace {

class ItemMovesTest : public PlannerTest {};

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

} // namespace
