// The catalogue's grid over an editable dataset: appending on Down at the end, dropping an
// untouched new row, posting a typed one, and Ctrl+Delete with its confirmation.
#include "GridFixture.h"
#include "db/IBDataSet.h"

namespace {

class DataSetGridTest : public GridTest {
protected:
    DataSetGridTest() : dataSet(std::make_unique<TIBDataSet>()) {
        grid.SetDataSource(nullptr);
        source.SetDataSet(dataSet.get());
        dataSet->SetName("dstPrograms");
        dataSet->SetDatabase(database.get());
        dataSet->SetTransaction(transaction.get());
        dataSet->SetSelectSQL(
            {"select NID, SNAME, FDURATION from PROGRAM_DESCRIPTION", "order by NID"});
        dataSet->SetInsertSQL({"insert into PROGRAM_DESCRIPTION (NID, SNAME, FDURATION)",
                               "values (:NID, :SNAME, :FDURATION)"});
        dataSet->SetModifySQL({"update PROGRAM_DESCRIPTION set NID = :NID, SNAME = :SNAME,",
                               "FDURATION = :FDURATION where NID = :OLD_NID"});
        dataSet->SetDeleteSQL({"delete from PROGRAM_DESCRIPTION where NID = :OLD_NID"});
        dataSet->SetRefreshSQL(
            {"select NID, SNAME, FDURATION from PROGRAM_DESCRIPTION", "where NID = :NID"});
        grid.SetDataSource(&source);
        dataSet->Open();
    }
    ~DataSetGridTest() override { grid.SetDataSource(nullptr); }

    int Id() const { return dataSet->Field("NID").AsInteger(); }
    void Type(const std::string& text) {
        for (char c : text)
            QTest::keyClick(QApplication::focusWidget(), c);
    }
    // Rows of the table as another reader sees them once this one has committed.
    int StoredRows() {
        transaction->Commit();
        query->SetSQL({"select count(*) N from PROGRAM_DESCRIPTION"});
        query->Open();
        return query->Field("N").AsInteger();
    }

    std::unique_ptr<TIBDataSet> dataSet;
};

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

} // namespace
