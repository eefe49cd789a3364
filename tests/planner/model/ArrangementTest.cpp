#include "ReferenceArrangement.h"
#include "TestPlanner.h"
#include "planner/model/ItemGeometry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <random>

namespace {

class ArrangementTest : public PlannerTest {
protected:
    // Lane and lane count of every item, in index order.
    std::vector<std::pair<int, int>> Lanes() const {
        std::vector<std::pair<int, int>> lanes;
        for (const TPlannerItem& item : planner.Items().All())
            lanes.emplace_back(item.Lane(), item.LaneCount());
        return lanes;
    }
};

using Lane = std::pair<int, int>;

TEST_F(ArrangementTest, ChainedOverlapsShareTheLanesTheirColumnUses) {
    AddAt(planner, 0, 2);
    AddAt(planner, 2, 4);
    TPlannerItem& z = AddAt(planner, 0, 4);
    EXPECT_THAT(Lanes(), testing::ElementsAre(Lane{0, 2}, Lane{0, 2}, Lane{1, 2}));
    EXPECT_EQ(0, z.GroupBegin());
    EXPECT_EQ(4, z.GroupEnd());
    EXPECT_EQ(0, planner.Items()[1].GroupBegin());
}

TEST_F(ArrangementTest, MutualOverlapsTakeOneLaneEach) {
    AddAt(planner, 0, 6);
    AddAt(planner, 2, 4);
    AddAt(planner, 3, 8);
    EXPECT_THAT(Lanes(), testing::ElementsAre(Lane{0, 3}, Lane{1, 3}, Lane{2, 3}));
    planner.Items().Delete(1);
    EXPECT_THAT(Lanes(), testing::ElementsAre(Lane{0, 2}, Lane{1, 2}));
}

TEST_F(ArrangementTest, TouchingOrSeparateItemsKeepOneLane) {
    planner.SetPositions(2);
    AddAt(planner, 0, 3);
    AddAt(planner, 3, 6);
    AddAt(planner, 0, 6, 1);
    EXPECT_THAT(Lanes(), testing::Each(Lane{0, 1}));
}

TEST_F(ArrangementTest, HiddenItemKeepsNoMoreLanesThanItsColumnUses) {
    planner.SetPositions(2);
    AddAt(planner, 0, 6);
    AddAt(planner, 2, 4);
    TPlannerItem& hidden = AddAt(planner, 2, 4);
    hidden.SetVisible(false);
    planner.ArrangeItems();
    EXPECT_EQ(1, hidden.LaneCount());
    EXPECT_EQ(2, hidden.Lane()); // from its last visible arrangement
    hidden.SetItemPos(1);
    hidden.SetVisible(false);
    planner.ArrangeItems();
    EXPECT_EQ(0, hidden.LaneCount());
}

TEST_F(ArrangementTest, EmptyItemTakesPartButIsNeverInALane) {
    TPlannerItem& empty = AddAt(planner, 5, 5);
    AddAt(planner, 4, 8);
    EXPECT_EQ(0, empty.LaneCount());
    const TCellLanes cell = CellLanes(planner, 0, 5);
    EXPECT_EQ(1, cell.Division);
    EXPECT_THAT(cell.Items, testing::ElementsAre(&planner.Items()[1]));
}

TEST_F(ArrangementTest, LayoutChangesAreRepainted) {
    RecordingView view;
    AddAt(planner, 0, 6);
    TPlannerItem& moved = AddAt(planner, 10, 12);
    planner.SetView(&view);
    moved.SetItemBegin(2);
    EXPECT_THAT(view.Invalidated, testing::Contains(RecordingView::Cells{1, 0, 12}));
    EXPECT_TRUE(planner.Items()[0].LaneChanged());
    view = {};
    planner.ArrangeItems();
    EXPECT_TRUE(view.Invalidated.empty());
    EXPECT_FALSE(planner.Items()[0].LaneChanged());
}

std::vector<TArrangedItem> RandomItems(std::mt19937& random, const TArrangeGrid& grid) {
    auto chance = [&random](int percent) { return int(random() % 100) < percent; };
    std::vector<TArrangedItem> items(1 + random() % 60);
    for (TArrangedItem& item : items) {
        item.ItemPos = int(random() % (grid.Columns + 2)) - 1;
        item.ItemBegin = int(random() % (grid.Rows + 6)) - 3;
        item.ItemEnd = item.ItemBegin + int(random() % 9) - (chance(5) ? 3 : 0);
        item.Visible = chance(85);
        item.Background = chance(10);
        item.AllowOverlap = chance(90);
        item.Layer = int(random() % 4);
        item.Layout.LaneCount = int(random() % 4);
        item.Layout.Lane = int(random() % 3);
    }
    return items;
}

TEST(LaneArranger, MatchesTheStepByStepArrangementOnRandomItems) {
    std::mt19937 random(20100617);
    TLaneArranger arranger;
    for (int round = 0; round < 2000; ++round) {
        const int layers[] = {0, 0, 1, 2, -1};
        const TArrangeGrid grid{1 + int(random() % 4), 8 + int(random() % 24), layers[round % 5]};
        std::vector<TArrangedItem> fast = RandomItems(random, grid);
        std::vector<TArrangedItem> reference = fast;
        for (int pass = 0; pass < 2; ++pass) { // the second pass starts from the first's lanes
            const std::vector<int> repaint = arranger.Arrange(fast, grid);
            ASSERT_EQ(ReferenceArrange(reference, grid), repaint) << round;
            for (size_t i = 0; i < fast.size(); ++i)
                ASSERT_EQ(reference[i].Layout, fast[i].Layout) << round << " item " << i;
        }
    }
}

} // namespace
