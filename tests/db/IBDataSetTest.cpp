#include "DataSetFixture.h"
#include "support/OwnConnection.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace {
using Log = std::vector<std::string>;
using Nids = std::vector<int>;
} // namespace

TEST_F(ProgramsTest, OpeningPreparesEveryOperationAndATransactionEndFreesThem) {
    EXPECT_FALSE(dataSet_->Modifiable());
    Open();
    EXPECT_TRUE(dataSet_->CanInsert() && dataSet_->CanModify() && dataSet_->CanDelete() &&
                dataSet_->CanRefresh());
    EXPECT_TRUE(dataSet_->Modifiable());
    EXPECT_TRUE(dataSet_->NeedsRefresh());
    transaction_->Commit();
    EXPECT_FALSE(dataSet_->Active());
    EXPECT_FALSE(dataSet_->Prepared());
    EXPECT_FALSE(dataSet_->Modifiable());
    // The statements were dropped with the transaction: preparing again works in a new one.
    Open();
    EXPECT_TRUE(dataSet_->Modifiable());
    EXPECT_EQ(AllNids(), (Nids{1, 2, 3, 5, 8}));
}

TEST_F(ProgramsTest, BlankUpdateTextsLeaveTheirOperationsOff) {
    dataSet_->SetInsertSQL({"  ", ""});
    dataSet_->SetDeleteSQL({});
    Open();
    EXPECT_FALSE(dataSet_->CanInsert());
    EXPECT_FALSE(dataSet_->CanDelete());
    EXPECT_TRUE(dataSet_->Modifiable());
    EXPECT_EQ(ErrorOf([&] { dataSet_->Insert(); }),
              "Cannot insert into dataset. (No insert query)");
    EXPECT_EQ(ErrorOf([&] { dataSet_->Delete(); }),
              "Cannot delete from dataset. (No delete query)");
    EXPECT_EQ(dataSet_->State(), dsBrowse);
    EXPECT_EQ(dataSet_->RecordCount(), 1);
    // Changing a text closes the dataset; the next open prepares anew.
    dataSet_->SetModifySQL({});
    EXPECT_FALSE(dataSet_->Active());
    Open();
    EXPECT_EQ(ErrorOf([&] { dataSet_->Edit(); }), "dstPrograms: Cannot modify a read-only dataset");
    dataSet_->SetDeleteSQL(CatalogueDelete());
    Open();
    EXPECT_EQ(ErrorOf([&] { dataSet_->Edit(); }), "Cannot update. (No update query)");
}

// The row is found by its old key and read back by its new one (the trigger's capitals show).
TEST_F(ProgramsTest, PostingAKeyChangeFindsTheRowByItsOldKeyAndRereadsItByTheNew) {
    Open();
    dataSet_->SetRecordNumber(4);
    ASSERT_EQ(Nid(), 5);
    dataSet_->Edit();
    dataSet_->Field("NID").SetAsInteger(6);
    dataSet_->Field("SLANGUAGE").SetAsString("de");
    dataSet_->Post();
    EXPECT_EQ(dataSet_->State(), dsBrowse);
    EXPECT_EQ(dataSet_->Field("SLANGUAGE").AsString(), "DE");
    EXPECT_EQ(dataSet_->Field("SFILE_NAME").AsString(), "film.avi");
    EXPECT_EQ(Check("select count(*) from PROGRAM_DESCRIPTION where NID = 5"), "0");
    EXPECT_EQ(Check("select SLANGUAGE from PROGRAM_DESCRIPTION where NID = 6"), "DE");
    // The cursor had not yet passed the new key: it must not return the row once more.
    EXPECT_EQ(AllNids(), (Nids{1, 2, 3, 6, 8}));
    dataSet_->SetRecordNumber(4);
    // A later delete of the row goes by its posted key, not by the key before that edit.
    dataSet_->Delete();
    EXPECT_EQ(Check("select count(*) from PROGRAM_DESCRIPTION where NID = 6"), "0");
    EXPECT_EQ(Nid(), 8);
}

TEST_F(ProgramsTest, CancelRestoresTheEditedRowAlsoAfterMovingAway) {
    Open();
    dataSet_->Next();
    dataSet_->Edit();
    dataSet_->Field("SNAME").SetAsString("Changed");
    dataSet_->Field("FDURATION").Clear();
    dataSet_->Cancel();
    EXPECT_EQ(Name(), "Weather");
    dataSet_->Next();
    dataSet_->Prior();
    EXPECT_EQ(Name(), "Weather");
    EXPECT_EQ(dataSet_->Field("FDURATION").AsString(), "00:05:00");
    EXPECT_EQ(Check("select SNAME from PROGRAM_DESCRIPTION where NID = 2"), "Weather");
}

TEST_F(ProgramsTest, EveryOperationRunsItsEventsInOrder) {
    Open();
    LogEvents();
    dataSet_->Edit();
    dataSet_->Post();
    dataSet_->Edit();
    dataSet_->Cancel();
    EXPECT_EQ(log_, (Log{"BeforeEdit", "AfterEdit", "BeforePost", "AfterPost", "BeforeEdit",
                         "AfterEdit", "BeforeCancel", "AfterCancel"}));
    log_.clear();
    dataSet_->Insert();
    dataSet_->Cancel();
    EXPECT_EQ(log_,
              (Log{"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll",
                   "BeforeCancel", "BeforeScroll", "AfterCancel", "AfterScroll"}));
    log_.clear();
    dataSet_->Delete();
    dataSet_->RefreshRow();
    EXPECT_EQ(log_, (Log{"BeforeDelete", "BeforeScroll", "AfterDelete", "AfterScroll",
                         "BeforeRefresh", "AfterRefresh"}));
}

// The new row follows the rows fetched before it, whatever the select's order; the open cursor,
// which runs along the key's index, meets the posted row again and passes over it.
TEST_F(ProgramsTest, ARowInsertedInTheMiddleIsPostedAfterTheLastFetchedRow) {
    TDataSource source;
    source.SetDataSet(dataSet_.get());
    EditView view(3);
    view.SetDataSource(&source);
    Open();
    dataSet_->Next();
    ASSERT_EQ(view.Window(), "1 [2] 3");
    dataSet_->Insert();
    EXPECT_EQ(view.Window(), "1 [2] 2");
    // A view that grows while the record is inserted keeps it in its window.
    view.SetBufferCount(4);
    EXPECT_EQ(view.Window(), "1 [2] 2 3");
    view.SetBufferCount(3);
    EXPECT_EQ(dataSet_->Bookmark(), "");
    EXPECT_TRUE(dataSet_->Field("NID").IsNull());
    // The window grew over a fourth row: four rows are fetched.
    dataSet_->Field("NID").SetAsInteger(7);
    EXPECT_EQ(view.Window(), "1 [5] 2");
    dataSet_->Field("SNAME").SetAsString("Quiz");
    dataSet_->Post();
    EXPECT_EQ(view.Window(), "4 [5] 6");
    EXPECT_EQ(dataSet_->Bookmark(), std::string("\x04\x00\x00\x00", 4));
    EXPECT_EQ(Name(), "Quiz");
    EXPECT_EQ(AllNids(), (Nids{1, 2, 3, 5, 7, 8}));
    EXPECT_EQ(dataSet_->RecordCount(), 6);
}

TEST_F(ProgramsTest, CancellingAnInsertKeepsOrMovesTheCursorByWhetherItWasWritten) {
    Open();
    dataSet_->Next();
    dataSet_->Insert();
    EXPECT_EQ(dataSet_->RecordNumber(), 2);
    dataSet_->Cancel();
    EXPECT_EQ(Nid(), 2);
    // Written: the cursor goes to the row numbered like the next new row, fetched now, or to
    // the last row once all are fetched.
    dataSet_->Insert();
    dataSet_->Field("SNAME").SetAsString("Quiz");
    EXPECT_EQ(dataSet_->RecordNumber(), 3);
    dataSet_->Cancel();
    EXPECT_EQ(Nid(), 3);
    dataSet_->Last();
    dataSet_->Insert();
    dataSet_->Field("SNAME").SetAsString("Quiz");
    EXPECT_EQ(dataSet_->RecordNumber(), 6);
    dataSet_->Cancel();
    EXPECT_EQ(Nid(), 8);
    EXPECT_EQ(dataSet_->RecordCount(), 5);
    EXPECT_EQ(Check("select count(*) from PROGRAM_DESCRIPTION"), "5");
}

TEST_F(ProgramsTest, AppendOpensTheNewRecordAfterTheLastRow) {
    TDataSource source;
    source.SetDataSet(dataSet_.get());
    EditView view(3);
    view.SetDataSource(&source);
    Open();
    dataSet_->Append();
    EXPECT_EQ(view.Window(), "4 5 [5]");
    EXPECT_TRUE(dataSet_->AtEnd());
    dataSet_->Field("NID").SetAsInteger(9);
    dataSet_->Post();
    EXPECT_EQ(view.Window(), "4 5 [6]");
    EXPECT_EQ(dataSet_->RecordCount(), 6);
    EXPECT_EQ(Check("select SNAME from PROGRAM_DESCRIPTION where NID = 9"), "");
}

TEST_F(ProgramsTest, EditOnAnEmptyResultInserts) {
    dataSet_->SetSelectSQL({"Select * from PROGRAM_DESCRIPTION where NID < 0"});
    Open();
    dataSet_->Edit();
    EXPECT_EQ(dataSet_->State(), dsInsert);
    EXPECT_EQ(dataSet_->RecordNumber(), 0);
    dataSet_->Cancel();
    EXPECT_TRUE(dataSet_->IsEmpty());
    EXPECT_TRUE(dataSet_->AtEnd());
    EXPECT_EQ(ErrorOf([&] { dataSet_->Delete(); }),
              "dstPrograms: Cannot perform this operation on an empty dataset");
    dataSet_->Insert();
    dataSet_->Field("NID").SetAsInteger(30);
    EXPECT_EQ(dataSet_->RecordNumber(), 1);
    dataSet_->Post();
    EXPECT_EQ(dataSet_->RecordCount(), 1);
    EXPECT_EQ(dataSet_->Bookmark(), std::string(4, '\0'));
    EXPECT_EQ(Nid(), 30);
}

// Deleted rows stay in the cache: an empty result made by deleting them all must still move,
// refuse a further delete and take a new row, which a reading loop then visits.
TEST_F(ProgramsTest, DeletingTheLastRowLeavesTheDataSetEmptyAndUsable) {
    TDataSource source;
    source.SetDataSet(dataSet_.get());
    EditView view(3);
    view.SetDataSource(&source);
    Open();
    while (!dataSet_->IsEmpty())
        dataSet_->Delete();
    for (const auto& move : std::vector<std::function<void()>>{
             [&] { dataSet_->SetRecordNumber(3); }, [&] { dataSet_->Last(); },
             [&] { dataSet_->Prior(); }, [&] { dataSet_->First(); }, [&] { dataSet_->Next(); }}) {
        move();
        EXPECT_TRUE(dataSet_->IsEmpty());
        EXPECT_TRUE(dataSet_->AtStart() && dataSet_->AtEnd());
        EXPECT_EQ(dataSet_->RecordNumber(), 0);
        EXPECT_EQ(dataSet_->RecordCount(), 0);
        EXPECT_EQ(dataSet_->Bookmark(), "");
        EXPECT_TRUE(dataSet_->Field("NID").IsNull());
    }
    EXPECT_EQ(ErrorOf([&] { dataSet_->Delete(); }),
              "dstPrograms: Cannot perform this operation on an empty dataset");
    dataSet_->Edit();
    EXPECT_EQ(dataSet_->State(), dsInsert);
    dataSet_->Field("NID").SetAsInteger(20);
    dataSet_->Post();
    EXPECT_EQ(view.Window(), "[6]");
    EXPECT_FALSE(dataSet_->AtStart() || dataSet_->AtEnd());
    EXPECT_EQ(AllNids(), Nids{20});
    EXPECT_EQ(dataSet_->RecordCount(), 1);
    EXPECT_EQ(Check("select count(*) from PROGRAM_DESCRIPTION"), "1");
}

TEST_F(ProgramsTest, ViewsFollowEveryChange) {
    TDataSource source;
    source.SetDataSet(dataSet_.get());
    EditView view(2);
    view.SetDataSource(&source);
    Open();
    view.log.clear();
    dataSet_->Insert();
    EXPECT_EQ(view.log, (Log{"state", "changed"}));
    dataSet_->Field("NID").SetAsInteger(40);
    view.log.clear();
    dataSet_->Post();
    EXPECT_EQ(view.log, (Log{"update", "state", "changed"}));
    view.log.clear();
    dataSet_->Edit();
    dataSet_->Cancel();
    EXPECT_EQ(view.log, (Log{"state", "state", "changed"}));
    view.log.clear();
    // The posted row followed the two fetched ones; the row after it takes the cursor.
    dataSet_->Delete();
    EXPECT_EQ(view.log, Log{"changed"});
    EXPECT_EQ(view.Window(), "[4] 5");
}

TEST_F(ProgramsTest, MovingWhileEditingPostsAModifiedRowAndCancelsAnUnmodifiedOne) {
    TDataSource source;
    source.SetDataSet(dataSet_.get());
    EditView view(1);
    view.SetDataSource(&source);
    Open();
    LogEvents();
    dataSet_->Edit();
    view.pending = "Typed";
    dataSet_->Next();
    EXPECT_EQ(log_, (Log{"BeforeEdit", "AfterEdit", "BeforePost", "AfterPost", "BeforeScroll",
                         "AfterScroll"}));
    EXPECT_EQ(Check("select SNAME from PROGRAM_DESCRIPTION where NID = 1"), "Typed");
    log_.clear();
    dataSet_->Edit();
    dataSet_->Prior();
    EXPECT_EQ(log_, (Log{"BeforeEdit", "AfterEdit", "BeforeCancel", "AfterCancel", "BeforeScroll",
                         "AfterScroll"}));
    EXPECT_EQ(Name(), "Typed");
}

TEST_F(ProgramsTest, AnEmptyTextIsStoredAsNull) {
    Open();
    dataSet_->Edit();
    dataSet_->Field("SNAME").SetAsString("");
    EXPECT_TRUE(dataSet_->Field("SNAME").IsNull());
    dataSet_->Post();
    EXPECT_EQ(Check("select count(*) from PROGRAM_DESCRIPTION where NID = 1 and SNAME is null"),
              "1");
}

// Insert and modify write every column: values the window never touched go through unchanged.
TEST_F(ProgramsTest, PostingCarriesEveryColumnThrough) {
    Open();
    dataSet_->Insert();
    dataSet_->Field("NID").SetAsInteger(10);
    dataSet_->Field("FDURATION").SetAsDateTime(EncodeTime(1, 15, 30, 500));
    dataSet_->Field("SNOTE").SetAsString("line one\r\nline two");
    dataSet_->Post();
    EXPECT_EQ(dataSet_->Field("FDURATION").AsString(), "01:15:30");
    dataSet_->Edit();
    dataSet_->Field("SNAME").SetAsString("Renamed");
    dataSet_->Post();
    EXPECT_EQ(Check("select FDURATION from PROGRAM_DESCRIPTION where NID = 10"), "01:15:30");
    EXPECT_EQ(Check("select SNOTE from PROGRAM_DESCRIPTION where NID = 10"),
              "line one\r\nline two");
    EXPECT_EQ(dataSet_->Field("SNOTE").AsString(), "line one\r\nline two");
}

TEST_F(ProgramsTest, RefreshRowReadsTheRowAgain) {
    Open();
    check_->SetSQL({"update PROGRAM_DESCRIPTION set SNAME = 'Elsewhere' where NID = 1"});
    check_->Execute();
    EXPECT_EQ(Name(), "Morning news");
    dataSet_->RefreshRow();
    EXPECT_EQ(Name(), "Elsewhere");
    EXPECT_EQ(dataSet_->Field("SSERIES_NAME").AsString(), "News");
    // A row that is gone stays as it was.
    check_->SetSQL({"delete from PROGRAM_DESCRIPTION where NID = 1"});
    check_->Execute();
    dataSet_->RefreshRow();
    EXPECT_EQ(Name(), "Elsewhere");
}

TEST_F(ProgramsTest, CommittingWhileEditingClosesTheDataSetAndDropsTheEdit) {
    Open();
    dataSet_->Edit();
    dataSet_->Field("SNAME").SetAsString("Never posted");
    transaction_->Commit();
    EXPECT_FALSE(dataSet_->Active());
    EXPECT_EQ(dataSet_->State(), dsInactive);
    Open();
    EXPECT_EQ(Name(), "Morning news");
}

TEST_F(ProgramsTest, ASecondConnectionSeesPostedRowsOnlyAfterTheCommit) {
    Open();
    dataSet_->Insert();
    dataSet_->Field("NID").SetAsInteger(20);
    dataSet_->Post();
    auto other = MakeDatabase(file_.Path());
    TIBTransaction otherTransaction;
    otherTransaction.SetDefaultDatabase(other.get());
    other->SetConnected(true);
    TIBQuery count;
    count.SetDatabase(other.get());
    count.SetTransaction(&otherTransaction);
    count.SetSQL({"select count(*) from PROGRAM_DESCRIPTION where NID = 20"});
    count.Open();
    EXPECT_EQ(count.Fields(0).AsInteger(), 0);
    otherTransaction.Commit();
    transaction_->Commit();
    count.Open();
    EXPECT_EQ(count.Fields(0).AsInteger(), 1);
}

namespace {
class DefaultsTest : public ProgramsTest {
protected:
    DefaultsTest() {
        dataSet_->SetSelectSQL({"select * from DEFAULTS"});
        dataSet_->SetInsertSQL({"insert into DEFAULTS (ID, V) values (:ID, :V)"});
        dataSet_->SetModifySQL({"update DEFAULTS set V = :V where ID = :OLD_ID"});
        dataSet_->SetDeleteSQL({});
        dataSet_->SetRefreshSQL({"select ID, V from DEFAULTS where ID = :ID"});
    }
    std::string V() const { return dataSet_->Field("V").AsString(); }
};
} // namespace

// Every column has a default, so a posted row is read back only when forced.
TEST_F(DefaultsTest, ForcedRefreshRereadsWhatTheServerChanged) {
    Open();
    EXPECT_FALSE(dataSet_->NeedsRefresh());
    EXPECT_TRUE(dataSet_->Field("ID").Required());
    dataSet_->Edit();
    dataSet_->Field("V").SetAsString("two");
    dataSet_->Post();
    EXPECT_EQ(V(), "two");
    dataSet_->SetForcedRefresh(true);
    dataSet_->Edit();
    dataSet_->Field("V").SetAsString("three");
    dataSet_->Post();
    EXPECT_EQ(V(), "three!");
}

namespace {
constexpr int kMany = 600;

// Even NIDs 2 … 1200, far more rows than the cursor has fetched when the post comes.
const std::string kManyProgrammes =
    "SET TERM ^ ;\n"
    "EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= " +
    std::to_string(kMany) +
    ") DO BEGIN INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME) VALUES (2 * :I, 'P' || :I); "
    "I = I + 1; END END^\n"
    "SET TERM ; ^\n";

struct PostCase {
    const char* what;
    int at;       // the record number the cursor stands on
    bool edit;    // the row there gets the NID; otherwise a new row does
    int nid;      // posted
    bool refresh; // without a refresh statement rows cannot be told apart by key
};

void PrintTo(const PostCase& c, std::ostream* out) {
    *out << c.what;
}

class PostOnOpenCursor : public ProgramsTest, public testing::WithParamInterface<PostCase> {
protected:
    PostOnOpenCursor() : ProgramsTest(kManyProgrammes) {}
};
} // namespace

// Rows the cursor returns after the post follow the posted row, each once: a posted row the
// cursor meets again is passed over, whether it was inserted or moved there by its new key.
TEST_P(PostOnOpenCursor, EveryRowIsReadOnceAndThePostedOneKeepsItsNumber) {
    const PostCase& c = GetParam();
    std::vector<int> expected;
    for (int i = 1; i <= kMany; ++i)
        if (!c.edit || i != c.at) expected.push_back(2 * i);
    expected.push_back(c.nid);
    std::sort(expected.begin(), expected.end());
    if (!c.refresh) dataSet_->SetRefreshSQL({});
    Open();
    dataSet_->SetRecordNumber(c.at);
    if (c.edit)
        dataSet_->Edit();
    else
        dataSet_->Insert();
    dataSet_->Field("NID").SetAsInteger(c.nid);
    const int number = c.edit ? c.at : dataSet_->RecordCount() + 1;
    dataSet_->Post();
    ASSERT_EQ(dataSet_->RecordNumber(), number);
    dataSet_->Last();
    EXPECT_EQ(dataSet_->RecordNumber(), static_cast<int>(expected.size()));
    EXPECT_EQ(dataSet_->RecordCount(), static_cast<int>(expected.size()));
    std::vector<int> read = AllNids();
    EXPECT_EQ(read[static_cast<std::size_t>(number - 1)], c.nid);
    std::sort(read.begin(), read.end());
    EXPECT_EQ(read, expected);
    transaction_->Commit();
    OwnConnection other(file_.Path(), database_->Params());
    other.Query.SetSQL({"select NID from PROGRAM_DESCRIPTION order by NID"});
    std::vector<int> stored;
    for (other.Query.Open(); !other.Query.AtEnd(); other.Query.Next())
        stored.push_back(other.Query.Fields(0).AsInteger());
    EXPECT_EQ(stored, expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, PostOnOpenCursor,
                         testing::Values(PostCase{"NewRowAheadOfTheCursor", 1, false, 801, true},
                                         PostCase{"NewRowBehindTheCursor", 300, false, 1, true},
                                         PostCase{"NewRowAfterEveryRow", 100, false, 5001, true},
                                         PostCase{"EditedRowMovedAhead", 50, true, 999, true},
                                         PostCase{"NewRowWithoutRefresh", 1, false, 801, false}),
                         [](const testing::TestParamInfo<PostCase>& info) {
                             return std::string(info.param.what);
                         });
