#include "TestPlanner.h"
#include "platform/Exceptions.h"
#include "support/ErrorText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using testing::ElementsAre;

class PositionsTest : public PlannerTest {};

TEST_F(PositionsTest, FormCaptionsFillTheSectionsTheStripHas) {
    EXPECT_EQ(2, planner.ColumnCount());
    EXPECT_EQ(144, planner.RowCount());
    EXPECT_THAT(planner.HeaderSections(), ElementsAre("Caption 1", "Caption 2", "Caption 3"));
    EXPECT_EQ(18, planner.Header().Height());
}

TEST_F(PositionsTest, GrowingPadsCaptionsSoEachPositionHasOne) {
    planner.Header().Captions().Assign({"Only"});
    planner.SetPositions(2);
    EXPECT_THAT(planner.Header().Captions().Strings(), ElementsAre("Only", "", ""));
    EXPECT_THAT(planner.HeaderSections(), ElementsAre("Only", "", "", ""));
    planner.Header().Captions().Add("Late");
    EXPECT_EQ("Late", planner.HeaderSections()[3]); // the trailing section
    EXPECT_EQ(2u, planner.SlotColors().size());
    EXPECT_THAT(planner.SlotColors()[1],
                testing::AllOf(testing::SizeIs(289), testing::Each(clNone)));
}

TEST_F(PositionsTest, SectionsWithoutACaptionKeepTheirText) {
    planner.Header().Captions().Clear();
    EXPECT_THAT(planner.HeaderSections(), ElementsAre("Caption 1", "Caption 2", "Caption 3"));
    planner.Header().Captions().Add("New");
    EXPECT_THAT(planner.HeaderSections(), ElementsAre("New", "Caption 2", "Caption 3"));
    planner.SetPositions(3);
    EXPECT_THAT(planner.HeaderSections(), ElementsAre("New", "", "", "", ""));
}

TEST_F(PositionsTest, InvalidOrUnchangedCountsAreIgnored) {
    RecordingView view;
    planner.SetView(&view);
    planner.SetPositions(0);
    planner.SetPositions(1);
    EXPECT_EQ(1, planner.Positions());
    EXPECT_EQ(0, view.SettingsChanges);
    planner.SetPositions(4);
    planner.SetPositions(2);
    EXPECT_EQ(4u, planner.HeaderSections().size());
    EXPECT_EQ(2u, planner.SlotColors().size());
}

TEST_F(PositionsTest, ItemBeyondThePositionsIsKept) {
    planner.SetPositions(2);
    TPlannerItem& item = AddAt(planner, 10, 20, 2);
    TPlannerItem& outside = AddAt(planner, 10, 20, 3);
    EXPECT_EQ(2, planner.Items().Count());
    EXPECT_EQ(1, item.LaneCount()); // the grid's columns still hold it
    EXPECT_EQ(0, outside.LaneCount());
    EXPECT_EQ(0, outside.Lane());
}

TEST_F(PositionsTest, BlendOutsideAPercentRaisesAndKeepsTheValue) {
    EXPECT_EQ(ErrorOf([&] { planner.SetSelectBlend(101); }), "Illegal blend factor");
    EXPECT_EQ(20, planner.SelectBlend());
}

} // namespace
