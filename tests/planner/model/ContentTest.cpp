#include "ScheduleItems.h"
#include "TestPlanner.h"

#include <gtest/gtest.h>

namespace {

class Content : public PlannerTest {};

TEST_F(Content, PutsItemsPositionsAndCaptionsBackExactly) {
    planner.SetPositions(3);
    planner.Header().Captions().Assign({"", "17.06.2010", "18.06.2010", "19.06.2010"});
    AddProgramme(planner, At(10, 5), At(0, 30), 0).SetItemKey("5");
    AddProgramme(planner, At(23, 30), At(1, 0), 1).SetItemKey("7");
    TPlannerItem& early = AddAt(planner, 0, 3, 2);
    early.Place(-2, 3, 2); // hangs above 00:00
    const TPlannerContent before = planner.Content();
    ASSERT_EQ(before.Items.size(), 3u);
    EXPECT_EQ(before.Items[2].OverflowBefore, 2);

    planner.Items()[0].SetBeginTime(At(12, 0));
    planner.Items().Delete(1);
    planner.SetPositions(1);
    planner.Header().Captions().Assign({"x"});
    ASSERT_NE(planner.Content(), before);

    planner.SetContent(before);
    EXPECT_EQ(planner.Content(), before);
    EXPECT_EQ(planner.Positions(), 3);
    EXPECT_EQ(planner.HeaderSections()[2], "18.06.2010");
    EXPECT_EQ(planner.Items()[0].BeginMinute(), 605);
    EXPECT_EQ(planner.Items()[1].EndMinute(), 1470);
    EXPECT_EQ(planner.Items()[1].LaneCount(), 1) << "arranged again";
}

TEST_F(Content, SelectionIsNoPartOfIt) {
    TPlannerItem& item = AddAt(planner, 60, 63);
    const TPlannerContent before = planner.Content();
    planner.Items().Select(&item, false, {});
    EXPECT_EQ(planner.Content(), before);
    planner.SetContent(before);
    EXPECT_EQ(planner.Items().SelectedItem(), nullptr);
}

} // namespace
