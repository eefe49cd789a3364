// Editing in place: the first change starts editing, pending text reaches the field on Enter,
// on moving and on leaving the grid, Esc takes it back, numbers refuse letters.
#include "GridFixture.h"
#include "support/ErrorText.h"

namespace {

class EditingTest : public EditableGridTest {
protected:
    EditingTest() { Click(2); }
};

TEST_F(EditingTest, TypingStartsEditingAndEnterWritesTheText) {
    Type("Morning news");
    EXPECT_EQ(dataSet->State(), dsEdit);
    EXPECT_EQ(grid.EditorText(), "Morning news");
    EXPECT_EQ(Name(), "Programme 3");
    Key(Qt::Key_Return);
    EXPECT_EQ(Name(), "Morning news");
    EXPECT_FALSE(grid.EditorShown());
}

TEST_F(EditingTest, MovingAwayWritesThePendingTextBeforeTheRowIsLeft) {
    Type("Late film");
    Key(Qt::Key_Down);
    EXPECT_EQ(Id(), 4);
    EXPECT_EQ(dataSet->State(), dsBrowse);
    EXPECT_EQ(grid.EditorText(), "Programme 4");
    dataSet->Prior();
    EXPECT_EQ(Name(), "Late film");
}

TEST_F(EditingTest, EscapeTakesBackTheTypedTextThenTheRow) {
    Type("Wrong");
    Key(Qt::Key_Escape);
    EXPECT_EQ(grid.EditorText(), "Programme 3");
    EXPECT_EQ(dataSet->State(), dsEdit);
    Key(Qt::Key_Escape);
    EXPECT_EQ(dataSet->State(), dsBrowse);
    EXPECT_EQ(Name(), "Programme 3");
}

TEST_F(EditingTest, ANumberColumnRefusesLettersBeforeEditingStarts) {
    Click(2, {}, 0);
    Type("x");
    EXPECT_EQ(dataSet->State(), dsBrowse);
    Type("7");
    EXPECT_EQ(dataSet->State(), dsEdit);
    EXPECT_EQ(grid.EditorText(), "7");
    Key(Qt::Key_Return);
    EXPECT_EQ(Id(), 7);
}

TEST_F(EditingTest, ClickingAnotherCellOrLeavingTheGridWritesThePendingText) {
    Type("First");
    Click(2, {}, 2);
    EXPECT_EQ(Name(), "First");
    Click(2);
    Type("Second");
    other->setFocus();
    EXPECT_EQ(Name(), "Second");
    EXPECT_EQ(dataSet->State(), dsEdit);
}

TEST_F(EditingTest, ATextTheFieldRefusesStaysPendingAndTheGridTakesTheFocusBack) {
    Click(2, {}, 2);
    Type("Noon");
    EXPECT_EQ(ErrorOf([&] { other->setFocus(); }), "'Noon' is not a valid time");
    EXPECT_TRUE(grid.hasFocus());
    EXPECT_EQ(grid.EditorText(), "Noon");
    Key(Qt::Key_Escape);
    EXPECT_NO_THROW(other->setFocus());
    EXPECT_EQ(dataSet->State(), dsEdit);
}

} // namespace
