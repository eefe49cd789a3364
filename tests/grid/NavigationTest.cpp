// Keys, columns and the record window of the catalogue's grid over a query that cannot modify:
// editing keys are refused, rows are read only as far as the grid shows them.
#include "GridFixture.h"

#include <QScrollBar>

using testing::ElementsAre;

namespace {

class CatalogueGridTest : public GridTest {
protected:
    CatalogueGridTest() { Open(); }

    std::vector<std::string> FieldNames() const {
        std::vector<std::string> names;
        for (int i = 0; i < grid.Columns().Count(); ++i)
            names.push_back(grid.Columns()[i].FieldName());
        return names;
    }
};

TEST_F(CatalogueGridTest, OpeningReadsOnlyTheRowsShownAndPagesReadOnAsNeeded) {
    const int shown = grid.VisibleRowCount();
    ASSERT_LT(shown, 40);
    EXPECT_EQ(query->RecordCount(), shown);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(CurrentId(), 1 + shown);
    EXPECT_LE(query->RecordCount(), 2 * shown);
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(CurrentId(), 40);
    Key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(CurrentId(), 41 - shown);
    Key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(CurrentId(), 40);
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(CurrentId(), 1);
}

TEST_F(CatalogueGridTest, ScrollBarStepsMoveTheCurrentRowAndItsSliderGoesToARow) {
    auto* bar = grid.findChild<QScrollBar*>();
    ASSERT_EQ(bar->orientation(), Qt::Vertical);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(CurrentId(), 2);
    EXPECT_EQ(query->ActiveRecordIndex(), 1);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(CurrentId(), 2 + grid.VisibleRowCount());
    EXPECT_EQ(bar->value(), CurrentId() - 1);
    bar->setValue(4);
    EXPECT_EQ(CurrentId(), 5);
}

TEST_F(CatalogueGridTest, ArrowsMoveBetweenColumnsAndHomeEndGoToTheOuterOnes) {
    Key(Qt::Key_Right);
    EXPECT_EQ(grid.SelectedIndex(), 1);
    Key(Qt::Key_End);
    EXPECT_EQ(grid.SelectedIndex(), 2);
    Key(Qt::Key_Right);
    EXPECT_EQ(grid.SelectedIndex(), 2);
    Key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(grid.SelectedIndex(), 0);
    EXPECT_EQ(CurrentId(), 1);
}

TEST_F(CatalogueGridTest, TabMovesOnToTheNextControlUnlessTheGridTakesTabs) {
    Key(Qt::Key_Tab);
    EXPECT_TRUE(other->hasFocus());
    grid.setFocus();
    grid.SetOptions(grid.Options() | dgTabs);
    Key(Qt::Key_End);
    Key(Qt::Key_Tab);
    EXPECT_EQ(grid.SelectedIndex(), 0);
    EXPECT_EQ(CurrentId(), 2);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(grid.SelectedIndex(), 2);
    EXPECT_EQ(CurrentId(), 1);
    EXPECT_TRUE(grid.hasFocus());
}

TEST_F(CatalogueGridTest, TypingOnAQueryThatCannotModifyLeavesRowAndFieldAlone) {
    Click(2);
    QTest::keyClicks(QApplication::focusWidget(), "xy");
    EXPECT_TRUE(grid.EditorShown());
    EXPECT_EQ(grid.EditorText(), "Programme 3");
    EXPECT_EQ(query->State(), dsBrowse);
    Key(Qt::Key_Escape);
    EXPECT_FALSE(grid.EditorShown());
    EXPECT_TRUE(grid.hasFocus());
}

TEST_F(CatalogueGridTest, InsertAndDownOnTheLastRowAddNothingWhenTheQueryCannotModify) {
    Key(Qt::Key_End, Qt::ControlModifier);
    Key(Qt::Key_Down);
    Key(Qt::Key_Insert);
    EXPECT_EQ(query->State(), dsBrowse);
    EXPECT_EQ(CurrentId(), 40);
    EXPECT_EQ(query->RecordCount(), 40);
}

TEST_F(CatalogueGridTest, EnterAndF2ShowTheEditorOnTheCurrentCell) {
    Click(1);
    Key(Qt::Key_F2);
    ASSERT_TRUE(grid.EditorShown());
    EXPECT_EQ(grid.EditorText(), "Programme 2");
    Key(Qt::Key_Return);
    EXPECT_FALSE(grid.EditorShown());
    Key(Qt::Key_Return);
    EXPECT_TRUE(grid.EditorShown());
    Key(Qt::Key_Down);
    EXPECT_EQ(CurrentId(), 3);
    EXPECT_EQ(grid.EditorText(), "Programme 3");
}

TEST_F(CatalogueGridTest, ASecondPressOnTheCurrentCellOpensTheEditor) {
    Click(3);
    EXPECT_FALSE(grid.EditorShown());
    Click(3);
    EXPECT_TRUE(grid.EditorShown());
    Click(5);
    EXPECT_FALSE(grid.EditorShown());
    EXPECT_EQ(CurrentId(), 6);
}

TEST_F(CatalogueGridTest, DraggingATitleBorderResizesWithoutATitleClick) {
    int titleClicks = 0;
    grid.OnTitleClick = [&](TColumn&) { ++titleClicks; };
    const TRect title = grid.CellRect(1, 0);
    const int y = grid.Geometry().TitleHeight / 2;
    QTest::mousePress(&grid, Qt::LeftButton, {}, {title.Right, y});
    QTest::mouseRelease(&grid, Qt::LeftButton, {}, {title.Right + 40, y});
    EXPECT_EQ(grid.Columns()[1].Width(), 190);
    EXPECT_EQ(titleClicks, 0);
}

TEST_F(CatalogueGridTest, DraggingATitleMovesItsColumnThenClicksIt) {
    std::vector<std::string> clicked;
    grid.OnTitleClick = [&](TColumn& column) { clicked.push_back(column.FieldName()); };
    Click(2, {}, 2);
    QTest::mousePress(&grid, Qt::LeftButton, {}, CellPoint(0, -1));
    QTest::mouseRelease(&grid, Qt::LeftButton, {}, CellPoint(2, -1));
    EXPECT_THAT(FieldNames(), ElementsAre("SNAME", "FDURATION", "NID"));
    EXPECT_THAT(clicked, ElementsAre("NID"));
    EXPECT_EQ(grid.SelectedIndex(), 1);
    EXPECT_EQ(CurrentId(), 3);
}

TEST_F(CatalogueGridTest, ColumnsWithoutAFieldOrAGridTakeTheDefaultWidth) {
    TColumn loose(nullptr);
    EXPECT_EQ(loose.Width(), 64);
    TColumn& missing = grid.Columns().Add("NO_SUCH_FIELD", "None");
    EXPECT_EQ(missing.Field(), nullptr);
    EXPECT_EQ(missing.Width(), 64);
    EXPECT_GT(grid.Columns()[0].Width(), 4);
    query->Close();
    EXPECT_EQ(grid.Columns()[0].Field(), nullptr);
}

} // namespace
