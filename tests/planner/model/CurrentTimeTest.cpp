#include "planner/model/CurrentTime.h"

#include "ScheduleItems.h"
#include "TestPlanner.h"

#include <gtest/gtest.h>

namespace {

class CurrentTimeTest : public PlannerTest {};

TEST_F(CurrentTimeTest, CurrentRowCountsWholeSlotsOfTheDay) {
    EXPECT_EQ(CurrentRow(planner.Display(), 40000 + At(10, 10)), 61);
    EXPECT_EQ(CurrentRow(planner.Display(), 40000 + At(10, 9) + 0.99 / 1440), 60);
    EXPECT_TRUE(IsCurrentSlot(planner.Display(), 143, 40001.0 - 0.1 / 86400));
    planner.Display().SetShowCurrent(false);
    EXPECT_FALSE(IsCurrentSlot(planner.Display(), 61, 40000 + At(10, 10)));
}

TEST_F(CurrentTimeTest, ItemRunningPastMidnightIsNotBelowTheLastRow) {
    AddProgramme(planner, At(21, 45), At(2, 30), 0);
    EXPECT_FALSE(ItemsOutsideView(planner, 130, 143).Below);
    EXPECT_TRUE(ItemsOutsideView(planner, 120, 140).Below);
    EXPECT_TRUE(ItemsOutsideView(planner, 131, 143).Above);
}

} // namespace
