// The catalogue's grid over an editable dataset: appending on Down at the end, dropping an
// untouched new row, posting a typed one, and Ctrl+Delete of one row or of the selected ones.
#include "GridFixture.h"
#include "support/ErrorText.h"

using testing::ElementsAre;

namespace {

using DataSetGridTest = EditableGridTest;

TEST_F(DataSetGridTest, DownOnTheLastRowAppendsAndLeavingTheGridDropsItUntouched) {
    Key(Qt::Key_End, Qt::ControlModifier);
    Key(Qt::Key_Down);
    EXPECT_EQ(dataSet->State(), dsInsert);
    Key(Qt::Key_Down);
    EXPECT_EQ(dataSet->State(), dsInsert);
    other->setFocus();
    EXPECT_EQ(dataSet->State(), dsBrowse);
    EXPECT_EQ(Id(), 40);
    EXPECT_EQ(dataSet->RecordCount(), 40);
}

TEST_F(DataSetGridTest, UpOnAnUntouchedNewRowDropsIt) {
    Key(Qt::Key_End, Qt::ControlModifier);
    Key(Qt::Key_Down);
    Key(Qt::Key_Up);
    EXPECT_EQ(dataSet->State(), dsBrowse);
    EXPECT_EQ(Id(), 40);
}

TEST_F(DataSetGridTest, ATypedNewRowIsPostedWhenTheGridMovesOn) {
    Key(Qt::Key_End, Qt::ControlModifier);
    Key(Qt::Key_Down);
    Type("41");
    Key(Qt::Key_Right);
    Type("Night film");
    Key(Qt::Key_Up);
    EXPECT_EQ(dataSet->State(), dsBrowse);
    EXPECT_EQ(Id(), 40);
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(Id(), 41);
    EXPECT_EQ(dataSet->Field("SNAME").AsString(), "Night film");
    EXPECT_EQ(StoredRows(), 41);
}

TEST_F(DataSetGridTest, CtrlDeleteAsksAndOnlyYesDeletesTheRow) {
    Click(2);
    dialogs.Answer(mrNo);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(dialogs.Messages().at(0), "Delete record?");
    EXPECT_EQ(Id(), 3);
    dialogs.Answer(mrYes);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_NE(Id(), 3);
    EXPECT_EQ(StoredRows(), 39);
}

TEST_F(DataSetGridTest, SelectedRowsAreDeletedLastFirstWithTheViewsHeld) {
    std::vector<std::pair<int, bool>> deleting;
    dataSet->BeforeDelete = [&](TIBCustomDataSet&) {
        deleting.push_back({Id(), dataSet->ControlsDisabled()});
    };
    grid.SetOptions(grid.Options() | dgMultiSelect);
    Click(8, Qt::ControlModifier);
    Click(1, Qt::ControlModifier);
    Click(3, Qt::ControlModifier);
    dialogs.Answer(mrYes);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(dialogs.Messages().at(0), "Delete all selected records?");
    EXPECT_THAT(deleting, ElementsAre(std::pair{9, true}, std::pair{4, true}, std::pair{2, true}));
    EXPECT_EQ(grid.SelectedBookmarks().Count(), 0);
    EXPECT_FALSE(dataSet->ControlsDisabled());
    EXPECT_EQ(StoredRows(), 37);
}

TEST_F(DataSetGridTest, AFailedDeleteKeepsItsRowAndTheOnesBeforeItSelected) {
    grid.SetOptions((grid.Options() & ~dgConfirmDelete) | dgMultiSelect);
    Click(8, Qt::ControlModifier);
    Click(1, Qt::ControlModifier);
    Click(4, Qt::ControlModifier);
    EXPECT_NE(ErrorOf([&] { Key(Qt::Key_Delete, Qt::ControlModifier); }), "no error");
    EXPECT_TRUE(dialogs.Calls().empty());
    EXPECT_FALSE(dataSet->ControlsDisabled());
    std::vector<int> selected;
    for (int i = 0; i < grid.SelectedBookmarks().Count(); ++i) {
        dataSet->SetBookmark(grid.SelectedBookmarks().Item(i));
        selected.push_back(Id());
    }
    EXPECT_THAT(selected, ElementsAre(2, 5));
    EXPECT_EQ(StoredRows(), 39);
}

} // namespace
