#include "TestPlanner.h"
#include "platform/Exceptions.h"
#include "support/ErrorText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

class PlannerItemsTest : public PlannerTest {
protected:
    PlannerItemsTest() { planner.SetView(&view); }

    TPlannerItem& AddKeyed(const std::string& key, bool background = false) {
        TPlannerItem& item = planner.Items().Add();
        item.SetItemKey(key);
        item.SetBackground(background);
        return item;
    }

    RecordingView view;
};

TEST_F(PlannerItemsTest, AddedItemCopiesTheTemplateButNotItsKeyOrFixedPosition) {
    planner.DefaultItem().SetItemKey("42");
    planner.DefaultItem().SetFixedPosition(true);
    planner.DefaultItem().SetShape(psRounded);
    TPlannerItem& item = planner.Items().Add();
    EXPECT_TRUE(item.Visible());
    EXPECT_EQ(16, item.ItemBegin());
    EXPECT_EQ(17, item.ItemEnd());
    EXPECT_EQ(160, item.BeginMinute());
    EXPECT_EQ(170, item.EndMinute());
    EXPECT_EQ(psRounded, item.Shape());
    EXPECT_EQ("PlannerItem0", item.Name());
    EXPECT_EQ("", item.ItemKey());
    EXPECT_FALSE(item.FixedPosition());
    EXPECT_EQ(1, item.LaneCount());
}

TEST_F(PlannerItemsTest, IndexOutsideTheListRaises) {
    planner.Items().Add();
    for (int index : {1, -1}) {
        EXPECT_EQ(ErrorOf<EListError>([&] { planner.Items()[index]; }),
                  "List index out of bounds (" + std::to_string(index) + ")");
    }
    EXPECT_EQ(1, planner.Items().Count());
}

TEST_F(PlannerItemsTest, RemovingTheSelectedItemSelectsTheNextForegroundItem) {
    AddKeyed("a");
    TPlannerItem& b = AddKeyed("b");
    AddKeyed("background", true);
    TPlannerItem& d = AddKeyed("d");
    planner.Items().SetSelectedItem(&b);
    planner.Items().Delete(1);
    EXPECT_EQ(&d, planner.Items().SelectedItem());
    EXPECT_TRUE(d.Selected());
    EXPECT_EQ(2, d.Index());
    planner.Items().Delete(2); // none after it: the nearest foreground item before
    ASSERT_EQ(&planner.Items()[0], planner.Items().SelectedItem());
    EXPECT_TRUE(planner.Items()[0].Selected());
    planner.Items().Delete(0); // only a background item is left
    EXPECT_EQ(nullptr, planner.Items().SelectedItem());
    EXPECT_THAT(view.Removed, testing::ElementsAre("b", "d", "a"));
}

TEST_F(PlannerItemsTest, ClearFreesFromTheLastAndRepaintsTheGridOnce) {
    AddKeyed("a");
    planner.Items().SetSelectedItem(&AddKeyed("b"));
    view = {};
    planner.Items().Clear();
    EXPECT_EQ(0, planner.Items().Count());
    EXPECT_EQ(nullptr, planner.Items().SelectedItem());
    EXPECT_THAT(view.Removed, testing::ElementsAre("b", "a"));
    EXPECT_EQ(1, view.GridRepaints);
    EXPECT_TRUE(view.Invalidated.empty());
}

TEST_F(PlannerItemsTest, LockedLayoutIsArrangedWhenTheLastLevelIsReleased) {
    planner.Items().LockLayout();
    planner.Items().LockLayout();
    TPlannerItem& first = AddAt(planner, 0, 4);
    TPlannerItem& second = AddAt(planner, 2, 6);
    planner.Items().UnlockLayout();
    EXPECT_EQ(0, first.LaneCount());
    planner.Items().UnlockLayout();
    planner.Items().UnlockLayout(); // unbalanced: ignored
    EXPECT_EQ(2, first.LaneCount());
    EXPECT_EQ(1, second.Lane());
    EXPECT_TRUE(view.Invalidated.empty());
    EXPECT_EQ(1, view.GridRepaints);
    planner.Items().LockLayout();
    EXPECT_EQ(1, planner.Items().UpdateLock());
}

TEST_F(PlannerItemsTest, SlotSettersShowTheItemExceptItsEnd) {
    TPlannerItem& item = planner.Items().Add();
    item.SetVisible(false);
    item.SetItemEnd(30);
    EXPECT_FALSE(item.Visible());
    item.SetItemBegin(20);
    EXPECT_TRUE(item.Visible());
    item.SetVisible(false);
    view = {};
    item.SetItemPos(0);
    EXPECT_FALSE(item.Visible());
    EXPECT_TRUE(view.Invalidated.empty());
    planner.SetPositions(2);
    item.SetItemPos(1);
    EXPECT_TRUE(item.Visible());
    EXPECT_THAT(view.Invalidated, testing::Contains(RecordingView::Cells{2, 20, 30}));
}

TEST_F(PlannerItemsTest, RepaintCoversTheItemsItMeetsUnlessLocked) {
    TPlannerItem& item = AddAt(planner, 10, 12);
    AddAt(planner, 11, 15);
    AddAt(planner, 12, 20); // meets neither end of [10, 12)
    view = {};
    item.SetColor(clRed);
    EXPECT_THAT(view.Invalidated, testing::ElementsAre(RecordingView::Cells{1, 10, 15}));
    planner.Sidebar().SetShowOccupied(true);
    view = {};
    item.SetShadow(false);
    item.SetShadow(false); // unchanged: no repaint
    EXPECT_THAT(view.Invalidated, testing::ElementsAre(RecordingView::Cells{1, 10, 15},
                                                       RecordingView::Cells{0, 10, 15}));
    planner.Items().LockLayout();
    view = {};
    item.SetColor(clBlue);
    EXPECT_TRUE(view.Invalidated.empty());
}

TEST_F(PlannerItemsTest, SelectingOneItemDropsTheOthersAndMovesTheFocus) {
    TPlannerItem& a = AddKeyed("a");
    TPlannerItem& b = AddKeyed("b");
    std::vector<std::string> focus;
    const auto changed = [&](TPlannerItem& item) {
        focus.push_back(item.ItemKey() + (item.HasFocus() ? "+" : "-"));
    };
    planner.Items().Select(&a, false, changed);
    planner.Items().Select(&b, true, changed);
    EXPECT_TRUE(a.Selected()) << "a toggle keeps the others";
    EXPECT_TRUE(b.Selected());
    planner.Items().Select(&b, true, changed);
    EXPECT_FALSE(b.Selected());
    EXPECT_TRUE(b.HasFocus());
    planner.Items().Select(&a, false, changed);
    EXPECT_FALSE(b.Selected());
    EXPECT_EQ(&a, planner.Items().SelectedItem());
    planner.Items().Select(nullptr, false, changed);
    EXPECT_FALSE(a.Selected());
    EXPECT_EQ(nullptr, planner.Items().SelectedItem());
    EXPECT_THAT(focus, testing::ElementsAre("a+", "a-", "b+", "b-", "a+", "a-"));
}

TEST_F(PlannerItemsTest, TextStringBecomesLines) {
    TPlannerItem& item = planner.Items().Add();
    item.SetTextString("<html> \r\n<body>\r\nA\nB\r\r\n</html>\r\n");
    EXPECT_THAT(item.Text(), testing::ElementsAre("<html> ", "<body>", "A", "B", "", "</html>"));
}

} // namespace
