// Editing in place: the first change starts editing, pending text reaches the field on Enter,
// on moving and on leaving the grid, Esc takes it back, numbers refuse letters.
#include "GridFixture.h"
#include "support/ErrorText.h"

using testing::ElementsAre;

namespace {

// A query that lets its rows be edited in its record cache: enough for the grid's side of
// editing, which only needs the edit state, field writes and the browse check.
class CacheEditedQuery : public TIBQuery {
public:
    bool Modifiable() const override { return true; }
    void Edit() override {
        CheckBrowseMode();
        SetState(dsEdit);
    }
    void Post() override { CheckBrowseMode(); }
    void Cancel() override { SetState(dsBrowse); }
    // Notes the row instead of deleting it; fails on the row numbered failAt.
    void Delete() override {
        deleted.push_back(Field("NID").AsInteger());
        heldViews.push_back(ControlsDisabled());
        if (deleted.back() == failAt) DatabaseError("lock conflict");
    }

    std::vector<int> deleted;
    std::vector<bool> heldViews;
    int failAt = 0;
};

class EditingTest : public GridTest {
protected:
    EditingTest() {
        grid.SetDataSource(nullptr);
        source.SetDataSet(nullptr);
        query = std::make_unique<CacheEditedQuery>();
        query->SetDatabase(database.get());
        query->SetTransaction(transaction.get());
        source.SetDataSet(query.get());
        grid.SetDataSource(&source);
        Open();
        Click(2);
    }

    std::string Name() const { return query->Field("SNAME").AsString(); }
    CacheEditedQuery& Edited() const { return static_cast<CacheEditedQuery&>(*query); }
    void Type(const std::string& text) {
        for (char c : text)
            QTest::keyClick(QApplication::focusWidget(), c);
    }
};

TEST_F(EditingTest, TypingStartsEditingAndEnterWritesTheText) {
    Type("Morning news");
    EXPECT_EQ(query->State(), dsEdit);
    EXPECT_EQ(grid.EditorText(), "Morning news");
    EXPECT_EQ(Name(), "Programme 3");
    Key(Qt::Key_Return);
    EXPECT_EQ(Name(), "Morning news");
    EXPECT_FALSE(grid.EditorShown());
}

TEST_F(EditingTest, MovingAwayWritesThePendingTextBeforeTheRowIsLeft) {
    Type("Late film");
    Key(Qt::Key_Down);
    EXPECT_EQ(CurrentId(), 4);
    EXPECT_EQ(query->State(), dsBrowse);
    EXPECT_EQ(grid.EditorText(), "Programme 4");
    query->Prior();
    EXPECT_EQ(Name(), "Late film");
}

TEST_F(EditingTest, EscapeTakesBackTheTypedTextThenTheRow) {
    Type("Wrong");
    Key(Qt::Key_Escape);
    EXPECT_EQ(grid.EditorText(), "Programme 3");
    EXPECT_EQ(query->State(), dsEdit);
    Key(Qt::Key_Escape);
    EXPECT_EQ(query->State(), dsBrowse);
    EXPECT_EQ(Name(), "Programme 3");
}

TEST_F(EditingTest, ANumberColumnRefusesLettersBeforeEditingStarts) {
    Click(2, {}, 0);
    Type("x");
    EXPECT_EQ(query->State(), dsBrowse);
    Type("7");
    EXPECT_EQ(query->State(), dsEdit);
    EXPECT_EQ(grid.EditorText(), "7");
    Key(Qt::Key_Return);
    EXPECT_EQ(CurrentId(), 7);
}

TEST_F(EditingTest, ClickingAnotherCellOrLeavingTheGridWritesThePendingText) {
    Type("First");
    Click(2, {}, 2);
    EXPECT_EQ(Name(), "First");
    Click(2);
    Type("Second");
    other->setFocus();
    EXPECT_EQ(Name(), "Second");
    EXPECT_EQ(query->State(), dsEdit);
}

TEST_F(EditingTest, ATextTheFieldRefusesStaysPendingAndTheGridTakesTheFocusBack) {
    Click(2, {}, 2);
    Type("Noon");
    EXPECT_EQ(ErrorOf([&] { other->setFocus(); }), "'Noon' is not a valid time");
    EXPECT_TRUE(grid.hasFocus());
    EXPECT_EQ(grid.EditorText(), "Noon");
    Key(Qt::Key_Escape);
    EXPECT_NO_THROW(other->setFocus());
    EXPECT_EQ(query->State(), dsEdit);
}

TEST_F(EditingTest, CtrlDeleteAsksFirstAndNoKeepsTheRow) {
    dialogs.Answer(mrNo);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].Text, "Delete record?");
    EXPECT_EQ(dialogs.Calls()[0].Buttons, MessageButtons::YesNo);
    EXPECT_TRUE(Edited().deleted.empty());
    dialogs.Answer(mrYes);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_THAT(Edited().deleted, ElementsAre(3));
}

TEST_F(EditingTest, SelectedRowsAreDeletedLastFirstWithTheViewsHeld) {
    grid.SetOptions(grid.Options() | dgMultiSelect);
    Click(8, Qt::ControlModifier);
    Click(1, Qt::ControlModifier);
    Click(4, Qt::ControlModifier);
    dialogs.Answer(mrYes);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(dialogs.Messages().at(0), "Delete all selected records?");
    EXPECT_THAT(Edited().deleted, ElementsAre(9, 5, 2));
    EXPECT_THAT(Edited().heldViews, ElementsAre(true, true, true));
    EXPECT_EQ(grid.SelectedBookmarks().Count(), 0);
}

TEST_F(EditingTest, AFailedDeleteKeepsItsRowAndTheOnesBeforeItSelected) {
    grid.SetOptions((grid.Options() & ~dgConfirmDelete) | dgMultiSelect);
    Click(8, Qt::ControlModifier);
    Click(1, Qt::ControlModifier);
    Click(4, Qt::ControlModifier);
    Edited().failAt = 5;
    EXPECT_EQ(ErrorOf([&] { Key(Qt::Key_Delete, Qt::ControlModifier); }), "lock conflict");
    EXPECT_TRUE(dialogs.Calls().empty());
    EXPECT_THAT(SelectedIds(), ElementsAre(2, 5));
    EXPECT_FALSE(query->ControlsDisabled());
}

} // namespace
