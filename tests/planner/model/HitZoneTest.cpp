#include "TestPlanner.h"
#include "planner/model/PlannerHit.h"

#include <gtest/gtest.h>

namespace {

class HitZoneTest : public testing::Test {
protected:
    HitZoneTest() { SetUpTestPlanner(planner); }
    TCustomPlanner planner;
};

TEST_F(HitZoneTest, ZonesOfAnItemFromItsFirstAndLastRows) {
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

TEST_F(HitZoneTest, FrameRowsOutsideTheViewComeFromTheNearestVisibleRow) {
    TPlannerItem& item = AddAt(planner, 10, 40);
    const TRowScale scale{24, 20, 0};
    const TItemFrame frame = ItemFrame(planner, item, 60, 560, scale, 29);
    EXPECT_EQ(frame.First, (TRect{60, 0, 552, 24}));
    EXPECT_EQ(frame.Last, (TRect{60, 216, 552, 240}));
}

} // namespace
