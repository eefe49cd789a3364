#include "InteractionFixture.h"

namespace {

using Strings = std::vector<std::string>;

TEST_F(InteractionTest, ArrowsMoveTheSelectedItemBySlots) {
    planner.SetPositions(2);
    TPlannerItem& item = Programme(10, 5, 30);
    Click(Body(item));
    Key(Qt::Key_Right);
    EXPECT_EQ(item.ItemPos(), 1);
    EXPECT_EQ(item.BeginMinute(), 605) << "sideways keeps the minutes";
    Key(Qt::Key_Right);
    EXPECT_EQ(item.ItemPos(), 1) << "no position to the right";
    Key(Qt::Key_Down);
    EXPECT_DOUBLE_EQ(item.BeginTime(), At(10, 10));
    EXPECT_DOUBLE_EQ(item.EndTime(), At(10, 50));
    Key(Qt::Key_Up);
    Key(Qt::Key_Left);
    EXPECT_EQ(events, (Strings{"move 0 0:60-64 > 1:60-64", "move 0 1:60-64 > 1:61-65",
                               "move 0 1:61-65 > 1:60-64", "move 0 1:60-64 > 0:60-64"}));
    EXPECT_EQ(planner.CurrentCell().Y, -1) << "the grid's cell stayed where it was";
}

TEST_F(InteractionTest, ArrowsStopAtTheDaysEnds) {
    TPlannerItem& first = Programme(0, 0, 30);
    TPlannerItem& last = Programme(23, 30, 30);
    planner.Items().SetSelectedItem(&first);
    Key(Qt::Key_Up);
    Key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(first.ItemBegin(), 0);
    EXPECT_EQ(first.ItemEnd(), 3);
    EXPECT_EQ(first.OverflowBefore(), 0);
    planner.Items().SetSelectedItem(&last);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(last.ItemEnd(), 144);
    EXPECT_EQ(last.EndMinute(), 1440);
    EXPECT_TRUE(events.empty());
}

TEST_F(InteractionTest, ShiftArrowsSizeTheEndWithinOneSlot) {
    TPlannerItem& item = Programme(10, 5, 30);
    planner.Items().SetSelectedItem(&item);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(item.EndTime(), At(10, 50));
    EXPECT_EQ(item.BeginMinute(), 605) << "the start keeps its minute";
    for (int i = 0; i < 6; ++i)
        Key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(item.ItemBegin(), 60);
    EXPECT_EQ(item.ItemEnd(), 61) << "never below one slot";
    EXPECT_EQ(events.size(), 5u);
    EXPECT_EQ(events.front(), "size 0 0:60-64 > 0:60-65");
}

TEST_F(InteractionTest, UpAndDownStepBothSlotsAndKeepTheOverflow) {
    planner.SetTopRow(planner.RowCount());
    TPlannerItem& late = Programme(21, 45, 150);
    ASSERT_EQ(late.OverflowAfter(), 1);
    planner.Items().SetSelectedItem(&late);
    Key(Qt::Key_Up);
    EXPECT_EQ(late.ItemBegin(), 129);
    EXPECT_EQ(late.ItemEnd(), 143);
    EXPECT_EQ(late.OverflowAfter(), 1);
    EXPECT_EQ(late.TimeSpanText(), "21:30 - 0:00");

    planner.SetTopRow(0);
    TPlannerItem& early = Programme(0, 0, 30);
    Drag(Body(early), Body(early) - QPoint(0, 24));
    ASSERT_EQ(early.OverflowBefore(), 1);
    Key(Qt::Key_Down);
    EXPECT_EQ(early.ItemBegin(), 1);
    EXPECT_EQ(early.ItemEnd(), 3);
    EXPECT_EQ(early.OverflowBefore(), 1);
    EXPECT_EQ(early.TimeSpanText(), "0:00 - 0:30");
    EXPECT_EQ(events.back(), "move 1 0:0-2 > 0:1-3");
}

TEST_F(InteractionTest, KeysScrollTheViewAfterTheItem) {
    TPlannerItem& item = Programme(11, 10, 30);
    planner.Items().SetSelectedItem(&item);
    Key(Qt::Key_Down);
    EXPECT_EQ(planner.TopRow(), 56);
    planner.SetTopRow(68);
    Key(Qt::Key_Up);
    EXPECT_EQ(planner.TopRow(), 67);
}

TEST_F(InteractionTest, TabStepsThroughTheForegroundItems) {
    TPlannerItem& first = Programme(10, 0, 30);
    TPlannerItem& background = Programme(11, 0, 30);
    background.SetBackground(true);
    TPlannerItem& last = Programme(12, 0, 30);
    Strings selected;
    planner.OnItemSelect = [&](TPlannerItem& item) {
        selected.push_back(std::to_string(item.Index()));
    };
    Key(Qt::Key_Tab);
    EXPECT_EQ(planner.Items().SelectedItem(), &first);
    Key(Qt::Key_Tab);
    EXPECT_EQ(planner.Items().SelectedItem(), &last);
    EXPECT_FALSE(first.Selected());
    EXPECT_FALSE(first.HasFocus());
    EXPECT_TRUE(last.Selected());
    EXPECT_TRUE(last.HasFocus());
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(planner.Items().SelectedItem(), &first);
    EXPECT_EQ(selected, (Strings{"0", "2", "0"}));

    planner.Items().SetSelectedItem(nullptr);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(planner.Items().SelectedItem(), &last) << "from no selection, the last";
}

TEST_F(InteractionTest, DeleteAndInsertOnlyNotify) {
    TPlannerItem& item = Programme(10, 0, 30);
    Strings requests;
    planner.OnItemDelete = [&](TPlannerItem&) { requests.push_back("delete"); };
    planner.OnItemInsert = [&](const TGridSelection& range) {
        requests.push_back("insert " + std::to_string(range.Top));
    };
    Click(Point(0, 58, 100, 12));
    Key(Qt::Key_Insert);
    planner.SetInsertAlways(false);
    planner.SetSelection({1, 61, 1, 61});
    Key(Qt::Key_Insert);
    Click(Point(0, 66, 100, 12));
    Key(Qt::Key_Insert);
    Click(Body(item));
    Key(Qt::Key_Delete);
    Key(Qt::Key_Return);
    EXPECT_EQ(requests, (Strings{"insert 58", "insert 66", "delete"}));
    EXPECT_EQ(planner.Items().Count(), 1);
}

TEST_F(InteractionTest, ArrowsWithoutAnItemMoveTheCurrentCell) {
    planner.SetPositions(3);
    planner.SetCurrentCell({1, 60});
    Key(Qt::Key_Left);
    EXPECT_EQ(planner.CurrentCell(), (TPoint{1, 60})) << "the time column is not a cell to go to";
    Key(Qt::Key_End);
    Key(Qt::Key_Down);
    EXPECT_EQ(planner.CurrentCell(), (TPoint{3, 61}));
    Key(Qt::Key_PageDown);
    EXPECT_EQ(planner.CurrentCell().Y, 76);
    EXPECT_EQ(planner.TopRow(), 62) << "the view follows";
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(planner.CurrentCell(), (TPoint{3, 0}));
    EXPECT_EQ(planner.TopRow(), 0);
    EXPECT_EQ(planner.Selection().Top, 0);
}

TEST_F(InteractionTest, WheelMovesTheCurrentRowByTenWithinTheDay) {
    std::vector<int> changes;
    planner.OnSelectionChange = [&](const TGridSelection& range) { changes.push_back(range.Top); };
    Wheel(-120);
    EXPECT_EQ(planner.CurrentCell(), (TPoint{1, 10})) << "from the top-left cell";
    EXPECT_EQ(planner.TopRow(), 10);
    planner.SetCurrentCell({1, 140});
    Wheel(-120);
    EXPECT_EQ(planner.CurrentCell().Y, 143);
    EXPECT_EQ(planner.TopRow(), 143 - 14);
    Wheel(120);
    EXPECT_EQ(planner.CurrentCell().Y, 133);
    planner.SetCurrentCell({1, 4});
    Wheel(120);
    EXPECT_EQ(planner.CurrentCell().Y, 0);
    EXPECT_EQ(changes, (std::vector<int>{10, 140, 143, 133, 4, 0}));
}

TEST_F(InteractionTest, SmallWheelStepsAddUpToWholeNotches) {
    planner.SetCurrentCell({1, 60});
    for (int i = 0; i < 5; ++i)
        Wheel(-24);
    EXPECT_EQ(planner.CurrentCell().Y, 70) << "five steps of a fifth of a notch";
    Wheel(-60);
    Wheel(20);
    EXPECT_EQ(planner.CurrentCell().Y, 70);
    Wheel(-80);
    EXPECT_EQ(planner.CurrentCell().Y, 80);
    Wheel(-240);
    EXPECT_EQ(planner.CurrentCell().Y, 100) << "two notches at once";
}

} // namespace
