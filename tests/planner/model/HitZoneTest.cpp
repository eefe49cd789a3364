#include "TestPlanner.h"
#include "planner/model/PlannerHit.h"

#include <gtest/gtest.h>
#include <string>

namespace {

class HitZoneTest : public PlannerTest {
protected:
    // What a press on the selected item starts in the grip, top edge, caption, bottom edge and
    // body: Select, Move, Top or Bottom.
    std::string Actions(const TPlannerItem& item, bool directMove = true) const {
        std::string result;
        for (THitZone zone : {THitZone::Grip, THitZone::TopEdge, THitZone::Caption,
                              THitZone::BottomEdge, THitZone::Body}) {
            static const char* const names[] = {"Select", "Move", "Top", "Bottom"};
            result += std::string(result.empty() ? "" : " ") +
                      names[static_cast<int>(PressAction(item, zone, true, directMove))];
        }
        return result;
    }
};

TEST_F(HitZoneTest, PressOnTheSelectedItemByZoneAndFlags) {
    TPlannerItem& item = AddAt(planner, 10, 14);
    EXPECT_EQ(Actions(item), "Move Top Move Bottom Select") << "an editable body would edit";
    item.SetReadOnly(true);
    EXPECT_EQ(Actions(item), "Move Top Move Bottom Move");
    EXPECT_EQ(Actions(item, false), "Move Top Move Bottom Select");
    item.SetFixedSize(true);
    EXPECT_EQ(Actions(item), "Move Move Move Move Move") << "fixed edges count as body";
    item.SetFixedSize(false);
    item.SetFixedPos(true);
    EXPECT_EQ(Actions(item), "Select Top Select Bottom Select");
    item.SetFixedPos(false);
    item.SetBackground(true);
    item.SetFixedPos(false);
    item.SetFixedSize(false);
    EXPECT_EQ(Actions(item), "Select Select Select Select Select") << "a background item is pinned";
}

TEST_F(HitZoneTest, FirstPressMovesFromAnywhereUnlessPinned) {
    TPlannerItem& item = AddAt(planner, 10, 14);
    EXPECT_EQ(PressAction(item, THitZone::TopEdge, false, true), TPressAction::Move);
    EXPECT_EQ(PressAction(item, THitZone::Body, false, false), TPressAction::Select);
    item.SetBackground(true);
    item.SetFixedPos(false);
    EXPECT_EQ(PressAction(item, THitZone::Body, false, true), TPressAction::Select);
}

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
