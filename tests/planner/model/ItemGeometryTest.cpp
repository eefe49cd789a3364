#include "planner/model/ItemGeometry.h"

#include "TestPlanner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

class ItemGeometryTest : public PlannerTest {};

TEST_F(ItemGeometryTest, HitTestSkipsTheLaneEdgeAndGap) {
    TPlannerItem& left = AddAt(planner, 10, 20);
    TPlannerItem& right = AddAt(planner, 12, 16);
    const int column = 200; // two lanes of 100 pixels, 8 of them gap
    EXPECT_EQ(nullptr, HitItem(planner, 13, 0, 0, column));
    EXPECT_EQ(&left, HitItem(planner, 13, 0, 1, column));
    EXPECT_EQ(&left, HitItem(planner, 13, 0, 91, column));
    EXPECT_EQ(nullptr, HitItem(planner, 13, 0, 92, column));
    EXPECT_EQ(nullptr, HitItem(planner, 13, 0, 100, column));
    EXPECT_EQ(&right, HitItem(planner, 13, 0, 101, column));
    EXPECT_EQ(nullptr, HitItem(planner, 16, 0, 101, column)); // below its last slot
    EXPECT_EQ(&left, HitItem(planner, 19, 0, 50, column));
    right.SetVisible(false);
    EXPECT_EQ(nullptr, HitItem(planner, 13, 0, 101, column));
}

TEST_F(ItemGeometryTest, LaneRectanglesOfAnItem) {
    TPlannerItem& single = AddAt(planner, 30, 33);
    const TRect cell{60, 24, 260, 48};
    EXPECT_EQ((TRect{60, 24, 252, 48}), ItemLaneRect(planner, single, cell));
    TPlannerItem& second = AddAt(planner, 31, 32);
    EXPECT_EQ((TRect{160, 24, 252, 48}), ItemLaneRect(planner, second, cell));
    const TRowScale scale{24, 29, 0};
    EXPECT_EQ((TRect{60, 24, 160, 96}), ItemRect(single, LaneRect(cell, 2, 0), scale));
}

TEST_F(ItemGeometryTest, CellDivisionFollowsTheRangeGrownByItsItems) {
    TPlannerItem& x = AddAt(planner, 0, 2);
    AddAt(planner, 2, 4);
    TPlannerItem& z = AddAt(planner, 0, 4);
    const TCellLanes cell = CellLanes(planner, 0, 1);
    EXPECT_EQ(2, cell.Division);
    EXPECT_THAT(cell.Items, testing::ElementsAre(&x, &z));
    EXPECT_EQ(0, CellLanes(planner, 0, 10).Division);
    EXPECT_EQ((TRect{100, 0, 150, 24}), LaneRect({0, 0, 201, 24}, 4, 2));
}

TEST(RowScale, ConvertsBothWaysAroundTheTopRow) {
    const TRowScale scale{24, 29, 50};
    EXPECT_EQ(50, scale.RowToPixel(29));
    EXPECT_EQ(2, scale.RowToPixel(27));
    for (int row : {0, 28, 29, 30, 143}) {
        EXPECT_EQ(row, scale.PixelToRow(scale.RowToPixel(row)));
        EXPECT_EQ(row, scale.PixelToRow(scale.RowToPixel(row) + 23));
    }
}

TEST_F(ItemGeometryTest, BlockedOnlyByItemsKeepingOthersOut) {
    TPlannerItem& item = AddAt(planner, 10, 20);
    EXPECT_FALSE(planner.Blocked(12, 14, 0));
    item.SetAllowOverlap(false);
    EXPECT_TRUE(planner.Blocked(12, 14, 0));
    EXPECT_FALSE(planner.Blocked(20, 24, 0)); // touching only
    EXPECT_FALSE(planner.Blocked(12, 14, 1));
    planner.Items().SetSelectedItem(&item);
    EXPECT_FALSE(planner.Blocked(12, 14, 0));
    planner.Items().SetSelectedItem(nullptr);
    item.SetAllowOverlap(true);
    planner.SetOverlap(false);
    EXPECT_TRUE(planner.Blocked(5, 11, 0));
}

} // namespace
