// Multi-selection in the picker's grid: bookmark order, Ctrl and plain clicks, Shift+arrows,
// double clicks, title clicks and the list's life with the result set.
#include "GridFixture.h"
#include "support/ErrorText.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

class PickerGridTest : public GridTest {
protected:
    PickerGridTest() {
        MakePicker();
        Open();
    }
};

TEST_F(PickerGridTest, CtrlClicksKeepTheRowsInResultOrder) {
    ASSERT_TRUE(grid.hasFocus());
    Click(4, Qt::ControlModifier);
    Click(1, Qt::ControlModifier);
    Click(8, Qt::ControlModifier);
    EXPECT_THAT(SelectedIds(), ElementsAre(2, 5, 9));
}

TEST_F(PickerGridTest, CtrlClickOnTheOnlySelectedRowEmptiesTheList) {
    Click(3, Qt::ControlModifier);
    Click(3, Qt::ControlModifier);
    EXPECT_EQ(grid.SelectedBookmarks().Count(), 0);
}

TEST_F(PickerGridTest, PlainClickLeavesOnlyTheClickedRowAndPlainArrowsClear) {
    Click(4, Qt::ControlModifier);
    Click(1, Qt::ControlModifier);
    Click(6);
    EXPECT_THAT(SelectedIds(), ElementsAre(7));
    Key(Qt::Key_Down);
    EXPECT_THAT(SelectedIds(), IsEmpty());
    EXPECT_EQ(CurrentId(), 8);
}

TEST_F(PickerGridTest, ShiftArrowsExtendFromTheAnchorAndGoBackDeselecting) {
    for (int i = 0; i < 3; ++i)
        Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_THAT(SelectedIds(), ElementsAre(1, 2, 3, 4));
    query->First();
    for (int i = 0; i < 3; ++i)
        query->Next();
    Key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_THAT(SelectedIds(), ElementsAre(1, 2, 3));
    EXPECT_EQ(CurrentId(), 3);
    Key(Qt::Key_Up, Qt::ShiftModifier);
    Key(Qt::Key_Up, Qt::ShiftModifier);
    Key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_THAT(SelectedIds(), ElementsAre(1));
    EXPECT_EQ(CurrentId(), 1);
}

TEST_F(PickerGridTest, ShiftArrowsAboveTheAnchorSelectUpwards) {
    Click(5);
    Key(Qt::Key_Up, Qt::ShiftModifier);
    Key(Qt::Key_Up, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_THAT(SelectedIds(), ElementsAre(5, 6));
}

TEST_F(PickerGridTest, DoubleClickSelectsWithItsFirstPressThenRunsOnDblClick) {
    int doubleClicks = 0;
    std::vector<int> selectedAtDoubleClick;
    grid.OnDblClick = [&](TRecordGrid& sender) {
        EXPECT_EQ(&sender, &grid);
        ++doubleClicks;
        selectedAtDoubleClick = SelectedIds();
    };
    Click(2, Qt::ControlModifier);
    // The window system sends a press and a release before the double press.
    Click(5);
    QTest::mouseDClick(&grid, Qt::LeftButton, {}, CellPoint(1, 5));
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_THAT(selectedAtDoubleClick, ElementsAre(6));
}

TEST_F(PickerGridTest, TitleClickKeepsRowAndSelectionAndReopeningEmptiesTheList) {
    std::vector<std::string> titles;
    int cellClicks = 0;
    grid.OnTitleClick = [&](TColumn& column) { titles.push_back(column.FieldName()); };
    grid.OnCellClick = [&](TColumn&) { ++cellClicks; };
    Click(4, Qt::ControlModifier);
    Click(2, Qt::ControlModifier);
    QTest::mouseClick(&grid, Qt::LeftButton, {}, CellPoint(1, -1));
    EXPECT_THAT(titles, ElementsAre("SNAME"));
    EXPECT_EQ(cellClicks, 2);
    EXPECT_EQ(CurrentId(), 3);
    EXPECT_THAT(SelectedIds(), ElementsAre(3, 5));
    Open("NID desc");
    EXPECT_EQ(grid.SelectedBookmarks().Count(), 0);
    EXPECT_EQ(CurrentId(), 40);
}

TEST_F(PickerGridTest, WheelMovesOneRowPerNotchWithoutTouchingTheSelection) {
    Click(0);
    const QPointF at = CellPoint(1, 3);
    QWheelEvent down(at, grid.mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(&grid, &down);
    QApplication::sendEvent(&grid, &down);
    EXPECT_EQ(CurrentId(), 3);
    EXPECT_THAT(SelectedIds(), ElementsAre(1));
}

TEST_F(PickerGridTest, CtrlDeleteOnAQueryThatCannotModifyDoesNothing) {
    Click(2);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.Calls().empty());
    EXPECT_EQ(CurrentId(), 3);
    EXPECT_THAT(SelectedIds(), ElementsAre(3));
}

TEST_F(PickerGridTest, TheSelectionOfAClosedResultSetCannotBeAskedOrSet) {
    query->Close();
    TBookmarkList& list = grid.SelectedBookmarks();
    EXPECT_EQ(ErrorOf([&] { list.CurrentRowSelected(); }),
              "Cannot perform this operation on a closed dataset");
    EXPECT_EQ(ErrorOf([&] { list.SetCurrentRowSelected(true); }),
              "Cannot perform this operation on a closed dataset");
}

TEST_F(PickerGridTest, SwitchingMultiSelectOffOrChangingTheSourceEmptiesTheList) {
    Click(1);
    grid.SetMultiSelect(false);
    EXPECT_EQ(grid.SelectedBookmarks().Count(), 0);
    EXPECT_FALSE(grid.Options() & dgMultiSelect);
    grid.SetMultiSelect(true);
    Click(1);
    TDataSource other;
    grid.SetDataSource(&other);
    EXPECT_EQ(grid.SelectedBookmarks().Count(), 0);
}

TEST(GridOptionsTest, RowSelectDropsEditingAndMultiSelectFollowsTheOption) {
    TestApplication();
    TRecordGrid grid;
    EXPECT_EQ(grid.Options(), kDefaultGridOptions);
    grid.SetOptions(kDefaultGridOptions | dgRowSelect | dgAlwaysShowEditor | dgMultiSelect);
    EXPECT_FALSE(grid.Options() & (dgEditing | dgAlwaysShowEditor));
    EXPECT_TRUE(grid.MultiSelect());
    EXPECT_EQ(grid.Options() & dgMultiSelect, dgMultiSelect);
}

} // namespace
