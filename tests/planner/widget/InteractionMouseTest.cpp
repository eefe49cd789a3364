#include "InteractionFixture.h"

#include <QImage>

namespace {

using Strings = std::vector<std::string>;

TEST_F(InteractionTest, DraggingDownOneRowSnapsBothEndsToSlots) {
    TPlannerItem& item = Programme(10, 5, 30);
    const QPoint from = Body(item);
    Press(from);
    EXPECT_EQ(planner.HintText(), "10:05 - 10:35");
    MoveTo(from + QPoint(0, 24));
    EXPECT_EQ(planner.HintText(), "10:10 - 10:50");
    Release(from + QPoint(0, 24));
    EXPECT_EQ(planner.HintText(), "");
    EXPECT_DOUBLE_EQ(item.BeginTime(), At(10, 10));
    EXPECT_DOUBLE_EQ(item.EndTime(), At(10, 50));
    EXPECT_EQ(item.EndMinute() - item.BeginMinute(), 40);
    EXPECT_EQ(events, Strings{"move 0 0:60-64 > 0:61-65"});
}

TEST_F(InteractionTest, PressAndReleaseWithoutMovingKeepsExactMinutes) {
    TPlannerItem& item = Programme(10, 5, 30);
    Click(Body(item));
    Press(Body(item));
    MoveTo(Body(item) + QPoint(0, 23));
    Release(Body(item) + QPoint(0, 23));
    EXPECT_EQ(item.BeginMinute(), 605);
    EXPECT_EQ(item.EndMinute(), 635);
    EXPECT_TRUE(item.Selected());
    EXPECT_TRUE(events.empty());
}

TEST_F(InteractionTest, DraggingAboveMidnightLeavesTheItemInRowZeroWithOverflow) {
    planner.SetTopRow(0);
    TPlannerItem& item = Programme(0, 0, 30);
    const QPoint from = Body(item);
    Press(from);
    MoveTo(from - QPoint(0, 24));
    EXPECT_EQ(item.ItemBegin(), 0);
    EXPECT_EQ(item.ItemEnd(), 2);
    EXPECT_EQ(item.OverflowBefore(), 1);
    EXPECT_LT(item.BeginTime(), 0);
    EXPECT_EQ(item.CaptionString(), "23:50 - 0:20 Program \xB9"
                                    "7");
    MoveTo(from - QPoint(0, 24 * 10));
    EXPECT_EQ(item.ItemEnd(), 1) << "one row stays in view";
    EXPECT_EQ(item.OverflowBefore(), 2);
    Release(from - QPoint(0, 24 * 10));
    EXPECT_EQ(events, Strings{"move 0 0:0-3 > 0:0-1"}) << "an overflow is reported";

    Drag(Point(0, 0, 100, 12), Point(0, 2, 100, 12));
    EXPECT_EQ(item.OverflowBefore(), 0) << "moving back consumes the overflow first";
    EXPECT_EQ(item.ItemEnd(), 3);
    EXPECT_EQ(item.TimeSpanText(), "0:00 - 0:30");
}

TEST_F(InteractionTest, DraggingPastTheLastRowEndsTheItemThereWithOverflow) {
    planner.SetTopRow(planner.RowCount());
    TPlannerItem& item = Programme(23, 0, 40);
    Drag(Body(item), Body(item) + QPoint(0, 96));
    EXPECT_EQ(item.ItemEnd(), 144);
    EXPECT_EQ(item.OverflowAfter(), 2);
    EXPECT_EQ(item.TimeSpanText(), "23:40 - 0:20");
}

TEST_F(InteractionTest, PositionChangesOnlyOverAPositionColumn) {
    planner.SetPositions(2);
    TPlannerItem& item = Programme(10, 5, 30, 1);
    const QPoint from = Body(item);
    Press(from);
    MoveTo({30, from.y() + 24});
    EXPECT_EQ(item.ItemPos(), 1) << "over the time column";
    EXPECT_EQ(item.ItemBegin(), 60);
    MoveTo({planner.width() + 40, from.y() + 24});
    EXPECT_EQ(item.ItemPos(), 1) << "right of the last position";
    EXPECT_EQ(item.ItemBegin(), 60);
    MoveTo(Point(0, 61, 50, 12));
    EXPECT_EQ(item.ItemPos(), 0);
    EXPECT_EQ(item.ItemBegin(), 60);
    Release(Point(0, 61, 50, 12));
    EXPECT_EQ(events, Strings{"move 0 1:60-64 > 0:60-64"});
}

TEST_F(InteractionTest, EdgesOfTheSelectedItemSizeItWithinLimits) {
    TPlannerItem& item = Programme(10, 5, 30);
    Click(Body(item));
    const QPoint top = Point(0, 60, 100, 1);
    Press(top);
    EXPECT_EQ(planner.DragMode(), TDragMode::SizeTop);
    EXPECT_EQ(planner.HintText(), "10:05");
    MoveTo(top - QPoint(0, 24));
    EXPECT_EQ(planner.HintText(), "9:50");
    MoveTo(top + QPoint(0, 24 * 3));
    MoveTo(top + QPoint(0, 24 * 4));
    Release(top + QPoint(0, 24 * 4));
    EXPECT_EQ(item.ItemBegin(), 63) << "one slot is left";
    EXPECT_EQ(item.EndMinute(), 635) << "the other end keeps its minute";

    const QPoint bottom = Point(0, 63, 100, 22);
    Press(bottom);
    EXPECT_EQ(planner.DragMode(), TDragMode::SizeBottom);
    MoveTo(bottom + QPoint(0, 48));
    EXPECT_EQ(planner.HintText(), "11:00");
    MoveTo(bottom - QPoint(0, 24));
    EXPECT_EQ(item.ItemEnd(), 66) << "the end stays below the start";
    MoveTo(bottom + QPoint(0, 24));
    Release(bottom + QPoint(0, 24));
    EXPECT_EQ(item.ItemEnd(), 65);
    EXPECT_EQ(item.ItemBegin(), 63);
    EXPECT_EQ(events, (Strings{"size 0 0:60-64 > 0:63-64", "size 0 0:63-64 > 0:63-65"}));
}

TEST_F(InteractionTest, ZonesOfTheSelectedItemDecideWhatAPressStarts) {
    TPlannerItem& item = Programme(10, 5, 30);
    item.SetFixedSize(true);
    Click(Body(item));
    Press(Point(0, 60, 100, 1));
    EXPECT_EQ(planner.DragMode(), TDragMode::Move) << "a fixed size makes the edge body";
    Release(Point(0, 60, 100, 1));
    item.SetFixedSize(false);
    item.SetReadOnly(false);
    Press(Point(0, 61, 100, 12));
    EXPECT_EQ(planner.DragMode(), TDragMode::None) << "an editable item's body";
    Release(Point(0, 61, 100, 12));
    Press(Point(0, 61, 3, 12));
    EXPECT_EQ(planner.DragMode(), TDragMode::Move) << "the grip";
    Release(Point(0, 61, 3, 12));
    Press(Point(0, 60, 100, 8));
    EXPECT_EQ(planner.DragMode(), TDragMode::Move) << "the caption band";
    Release(Point(0, 60, 100, 8));
}

TEST_F(InteractionTest, BackgroundItemStaysPinnedWhateverItsOtherFlags) {
    TPlannerItem& item = Programme(10, 5, 30);
    item.SetBackground(true);
    item.SetFixedPos(false);
    item.SetFixedSize(false);
    Press(Body(item));
    EXPECT_EQ(planner.Items().SelectedItem(), &item);
    EXPECT_EQ(planner.DragMode(), TDragMode::None) << "the first press";
    Release(Body(item));
    for (const QPoint at : {Body(item), Point(0, 60, 100, 1), Point(0, 61, 3, 12)}) {
        Hover(at);
        EXPECT_EQ(planner.cursor().shape(), Qt::ArrowCursor);
        Drag(at, at + QPoint(0, 48));
        EXPECT_EQ(item.ItemBegin(), 60);
        EXPECT_EQ(item.ItemEnd(), 64);
    }
    EXPECT_TRUE(events.empty());
}

TEST_F(InteractionTest, CursorFollowsTheZonesOfTheSelectedItem) {
    TPlannerItem& item = Programme(10, 5, 30);
    Hover(Body(item));
    EXPECT_EQ(planner.cursor().shape(), Qt::ArrowCursor) << "not selected";
    Click(Body(item));
    Hover(Point(0, 60, 100, 1));
    EXPECT_EQ(planner.cursor().shape(), Qt::SizeVerCursor);
    Hover(Point(0, 63, 100, 22));
    EXPECT_EQ(planner.cursor().shape(), Qt::SizeVerCursor);
    Hover(Body(item));
    EXPECT_EQ(planner.cursor().shape(), Qt::SizeAllCursor);
    Hover(Point(0, 66, 100, 12));
    EXPECT_EQ(planner.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(InteractionTest, LinksInTheSelectedItemsTextShowTheHandAndNotify) {
    TPlannerItem& item = Programme(10, 0, 60);
    item.SetText({"<a href=\"next\">Next part</a> of the story"});
    QImage image(planner.size(), QImage::Format_RGB32);
    planner.render(&image);
    Click(Point(0, 64, 100, 12));
    const TRect text = item.ViewState().TextRect;
    const QPoint link(text.Left + 3, planner.Layout().Grid.Top + text.Top + 5);
    Hover(link);
    EXPECT_EQ(planner.cursor().shape(), Qt::PointingHandCursor);
    Strings targets;
    planner.OnItemAnchorClick = [&](TPlannerItem&, const std::string& target) {
        targets.push_back(target);
    };
    Press(link);
    EXPECT_EQ(planner.DragMode(), TDragMode::None);
    Release(link);
    EXPECT_EQ(targets, Strings{"next"});
}

TEST_F(InteractionTest, CtrlClickTogglesOneItemAndKeepsTheOthers) {
    TPlannerItem& first = Programme(10, 5, 30);
    TPlannerItem& second = Programme(11, 0, 20);
    Click(Body(first));
    Click(Body(second), Qt::ControlModifier);
    EXPECT_TRUE(first.Selected());
    EXPECT_TRUE(second.Selected());
    EXPECT_FALSE(first.HasFocus());
    Click(Body(second), Qt::ControlModifier);
    EXPECT_FALSE(second.Selected());
    EXPECT_EQ(planner.Items().SelectedItem(), &second);
    EXPECT_TRUE(second.HasFocus());
    EXPECT_TRUE(first.Selected());
    Click(Body(second));
    EXPECT_FALSE(first.Selected()) << "a plain click selects one item";
}

TEST_F(InteractionTest, ClickOnEmptySpaceDeselectsAllAndSelectsTheSlot) {
    TPlannerItem& first = Programme(10, 5, 30);
    TPlannerItem& second = Programme(11, 0, 20);
    Click(Body(first));
    Click(Body(second), Qt::ControlModifier);
    std::vector<TPoint> clicks;
    planner.OnPlannerLeftClick = [&](TPoint cell) { clicks.push_back(cell); };
    Click(Point(0, 68, 100, 12));
    EXPECT_FALSE(first.Selected());
    EXPECT_FALSE(second.Selected());
    EXPECT_FALSE(second.HasFocus());
    EXPECT_EQ(planner.Items().SelectedItem(), nullptr);
    EXPECT_EQ(planner.Selection().Top, 68);
    EXPECT_EQ(planner.Selection().Bottom, 68);
    EXPECT_EQ(planner.Selection().Left, 1);
    EXPECT_EQ(clicks, (std::vector<TPoint>{TPoint{1, 68}}));
    Press(Point(0, 58, 100, 12));
    MoveTo(Point(0, 56, 100, 12));
    Release(Point(0, 56, 100, 12));
    EXPECT_EQ(planner.Selection().Top, 56) << "dragging extends the range";
    EXPECT_EQ(planner.Selection().Bottom, 58);
}

TEST_F(InteractionTest, OverlappingItemsSplitTheColumnIntoLanesWithGaps) {
    TPlannerItem& left = Programme(10, 0, 30);
    TPlannerItem& right = Programme(10, 10, 30);
    ASSERT_EQ(left.LaneCount(), 2);
    const int lane = planner.Layout().ColumnWidth / 2;
    const auto pressed = [&](int x) {
        Click(Point(0, 61, x, 12));
        return planner.Items().SelectedItem();
    };
    EXPECT_EQ(pressed(1), &left);
    EXPECT_EQ(pressed(lane - 9), &left);
    EXPECT_EQ(pressed(lane - 8), nullptr) << "the gap";
    EXPECT_EQ(pressed(lane - 1), nullptr);
    EXPECT_EQ(pressed(lane), nullptr) << "a lane's first pixel";
    EXPECT_EQ(pressed(lane + 1), &right);
    EXPECT_EQ(pressed(2 * lane - 9), &right);
    EXPECT_EQ(pressed(2 * lane - 8), nullptr);
}

TEST_F(InteractionTest, AutomaticScrollPausesFurtherStepsFor50Milliseconds) {
    TPlannerItem& item = Programme(11, 0, 30);
    const QPoint from = Body(item);
    Press(from);
    MoveTo(from + QPoint(0, 24 * 2));
    EXPECT_EQ(item.ItemBegin(), 68);
    EXPECT_EQ(planner.TopRow(), 56) << "the item reached past the rows in view";
    ticks += 50;
    MoveTo(from + QPoint(0, 24 * 2 + 1));
    EXPECT_EQ(item.ItemBegin(), 68);
    ticks += 1;
    MoveTo(from + QPoint(0, 24 * 2 + 1));
    EXPECT_EQ(item.ItemBegin(), 69) << "the pointer now stands a row further down the day";
    EXPECT_EQ(planner.TopRow(), 57);
    Release(from + QPoint(0, 24 * 2 + 1));
}

TEST_F(InteractionTest, VetoedMoveEndsTheDrag) {
    TPlannerItem& item = Programme(10, 5, 30);
    planner.OnItemMoving = [](TPlannerItem&, const TItemPlace& to) { return to.Begin < 62; };
    const QPoint from = Body(item);
    Press(from);
    MoveTo(from + QPoint(0, 24));
    MoveTo(from + QPoint(0, 48));
    EXPECT_EQ(planner.DragMode(), TDragMode::None);
    EXPECT_EQ(item.ItemBegin(), 61);
    MoveTo(from + QPoint(0, 72));
    Release(from + QPoint(0, 72));
    EXPECT_EQ(item.ItemBegin(), 61);
    EXPECT_EQ(events, Strings{"move 0 0:60-64 > 0:61-65"});
}

TEST_F(InteractionTest, RightButtonAndDoubleClickOnlyNotify) {
    TPlannerItem& item = Programme(10, 5, 30);
    Strings clicks;
    planner.OnItemRightClick = [&](TPlannerItem&) { clicks.push_back("item right"); };
    planner.OnPlannerRightClick = [&](TPoint) { clicks.push_back("planner right"); };
    planner.OnItemDblClick = [&](TPlannerItem&) { clicks.push_back("item double"); };
    planner.OnPlannerDblClick = [&](TPoint) { clicks.push_back("planner double"); };
    QTest::mouseClick(&planner, Qt::RightButton, {}, Body(item));
    QTest::mouseClick(&planner, Qt::RightButton, {}, Point(0, 68, 10, 10));
    QTest::mouseDClick(&planner, Qt::LeftButton, {}, Body(item));
    QTest::mouseDClick(&planner, Qt::LeftButton, {}, Point(0, 68, 10, 10));
    EXPECT_EQ(clicks, (Strings{"item right", "planner right", "item double", "planner double"}));
    EXPECT_FALSE(item.Selected()) << "the empty double-click's press deselected it";
    EXPECT_EQ(planner.DragMode(), TDragMode::None);
    EXPECT_EQ(item.BeginMinute(), 605);
}

} // namespace
