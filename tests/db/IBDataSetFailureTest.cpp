#include "DataSetFixture.h"
#include "support/FaultClient.h"

#include <gtest/gtest.h>
#include <optional>

namespace {
using Log = std::vector<std::string>;

// A clerk may read and change programmes but neither add nor remove them; a guest may only read.
const std::string kClerkCatalogue = std::string(kCatalogue) + R"(
GRANT SELECT, UPDATE ON PROGRAM_DESCRIPTION TO CLERK;
GRANT SELECT ON PROGRAM_DESCRIPTION TO GUEST;
)";

class PermissionsTest : public ProgramsTest {
protected:
    PermissionsTest() : ProgramsTest(kClerkCatalogue) {}
    void ConnectAs(const std::string& user) {
        database_->SetConnected(false);
        database_->SetParams({"user_name=" + user, "lc_ctype=WIN1251", "password=any"});
        database_->SetConnected(true);
    }
};
} // namespace

// Without the right to an update statement the operation is left off; opening still works.
TEST_F(PermissionsTest, AnOperationWithoutPermissionIsLeftOff) {
    ConnectAs("CLERK");
    Open();
    EXPECT_TRUE(dataSet_->CanModify());
    EXPECT_TRUE(dataSet_->CanRefresh());
    EXPECT_FALSE(dataSet_->CanInsert());
    EXPECT_FALSE(dataSet_->CanDelete());
    EXPECT_TRUE(dataSet_->Modifiable());
    EXPECT_EQ(ErrorOf([&] { dataSet_->Insert(); }),
              "Cannot insert into dataset. (No insert query)");
    dataSet_->Edit();
    dataSet_->Field("SNAME").SetAsString("Clerk's");
    dataSet_->Post();
    EXPECT_EQ(Check("select SNAME from PROGRAM_DESCRIPTION where NID = 1"), "Clerk's");
}

TEST_F(PermissionsTest, AReadOnlyDataSetRefusesEveryChange) {
    ConnectAs("GUEST");
    Open();
    EXPECT_FALSE(dataSet_->Modifiable());
    EXPECT_EQ(ErrorOf([&] { dataSet_->Edit(); }), "dstPrograms: Cannot modify a read-only dataset");
    EXPECT_EQ(ErrorOf([&] { dataSet_->Insert(); }),
              "dstPrograms: Cannot modify a read-only dataset");
    EXPECT_EQ(ErrorOf([&] { dataSet_->Post(); }),
              "dstPrograms: Dataset not in edit or insert mode");
    EXPECT_EQ(ErrorOf([&] { dataSet_->Field("SNAME").SetAsString("x"); }), "Not in edit mode");
    EXPECT_EQ(dataSet_->State(), dsBrowse);
    EXPECT_EQ(Name(), "Morning news");
}

// Any other failure to prepare an update statement fails the open.
TEST_F(ProgramsTest, AnUpdateStatementThatDoesNotPrepareFailsTheOpen) {
    dataSet_->SetDeleteSQL({"delete from NO_SUCH_TABLE where ID = :OLD_NID"});
    const std::optional<EIBInterBaseError> error =
        RaisedBy<EIBInterBaseError>([&] { dataSet_->Open(); });
    ASSERT_TRUE(error);
    EXPECT_NE(error->Message().find("NO_SUCH_TABLE"), std::string::npos) << error->Message();
    EXPECT_FALSE(dataSet_->Active());
    EXPECT_FALSE(dataSet_->Prepared());
}

TEST_F(ProgramsTest, ANullKeyFailsTheRequiredCheckBeforeAnyStatementRuns) {
    Open();
    LogEvents();
    dataSet_->Insert();
    dataSet_->Field("SNAME").SetAsString("No key");
    log_.clear();
    {
        const ScopedFault executing("isc_dsql_execute", kFaultDiskFull);
        EXPECT_EQ(ErrorOf<EDatabaseError>([&] { dataSet_->Post(); }),
                  "Field 'NID' must have a value");
        EXPECT_EQ(skedora_fault_count(), 0);
    }
    EXPECT_EQ(log_, Log{"BeforePost"});
    EXPECT_EQ(dataSet_->State(), dsInsert);
    EXPECT_EQ(Name(), "No key");
    // What the window writes before posting counts.
    dataSet_->BeforePost = [](TIBCustomDataSet& d) { d.Field("NID").SetAsInteger(12); };
    dataSet_->Post();
    EXPECT_EQ(Check("select SNAME from PROGRAM_DESCRIPTION where NID = 12"), "No key");
}

// The refused post changes nothing: the record, the state and earlier posts stay as they were.
TEST_F(ProgramsTest, ADuplicateKeyIsRefusedAndChangesNothing) {
    Open();
    dataSet_->Edit();
    dataSet_->Field("SNAME").SetAsString("Earlier post");
    dataSet_->Post();
    std::string heard;
    dataSet_->OnPostError = [&](TIBCustomDataSet&, const EDatabaseError& error) {
        heard = error.what();
    };
    dataSet_->Insert();
    dataSet_->Field("NID").SetAsInteger(3);
    dataSet_->Field("SNAME").SetAsString("Twin");
    const int rows = dataSet_->RecordCount();
    const std::optional<EIBInterBaseError> error =
        RaisedBy<EIBInterBaseError>([&] { dataSet_->Post(); });
    ASSERT_TRUE(error);
    EXPECT_NE(error->Message().find("PRIMARY or UNIQUE KEY"), std::string::npos)
        << error->Message();
    EXPECT_EQ(heard, error->Message());
    EXPECT_EQ(dataSet_->State(), dsInsert);
    EXPECT_EQ(Nid(), 3);
    EXPECT_EQ(Name(), "Twin");
    EXPECT_EQ(dataSet_->RecordCount(), rows);
    EXPECT_TRUE(transaction_->Active());
    dataSet_->Field("NID").SetAsInteger(4);
    dataSet_->Post();
    transaction_->Commit();
    EXPECT_EQ(Check("select SNAME from PROGRAM_DESCRIPTION where NID = 1"), "Earlier post");
    EXPECT_EQ(Check("select SNAME from PROGRAM_DESCRIPTION where NID = 4"), "Twin");
}

TEST_F(ProgramsTest, AKeyChangedToATakenOneIsRefusedAndCancelRestoresIt) {
    Open();
    dataSet_->SetRecordNumber(4);
    dataSet_->Edit();
    dataSet_->Field("NID").SetAsInteger(1);
    EXPECT_THROW(dataSet_->Post(), EIBInterBaseError);
    EXPECT_EQ(dataSet_->State(), dsEdit);
    EXPECT_EQ(Nid(), 1);
    dataSet_->Cancel();
    EXPECT_EQ(Nid(), 5);
    EXPECT_EQ(Check("select count(*) from PROGRAM_DESCRIPTION where NID = 5"), "1");
}

TEST_F(ProgramsTest, LettersForAnIntegerAreRefusedAndChangeNothing) {
    Open();
    dataSet_->Edit();
    EXPECT_EQ(ErrorOf([&] { dataSet_->Field("NID").SetAsString("12x"); }),
              "'12x' is not a valid integer value for field 'NID'");
    EXPECT_EQ(dataSet_->State(), dsEdit);
    EXPECT_EQ(Nid(), 1);
    EXPECT_FALSE(dataSet_->Modified());
}

// A failed delete leaves the row in place and current.
TEST_F(ProgramsTest, AFailedDeleteKeepsTheRow) {
    Open();
    dataSet_->Next();
    std::string heard;
    dataSet_->OnDeleteError = [&](TIBCustomDataSet&, const EDatabaseError& error) {
        heard = error.what();
    };
    {
        const ScopedFault conflict("isc_dsql_execute", kFaultLockConflict, 0, 1);
        EXPECT_THROW(dataSet_->Delete(), EIBInterBaseError);
    }
    EXPECT_NE(heard.find("lock conflict"), std::string::npos) << heard;
    EXPECT_EQ(Nid(), 2);
    EXPECT_EQ(dataSet_->RecordCount(), 2);
    dataSet_->Delete();
    EXPECT_EQ(Nid(), 3);
    EXPECT_EQ(dataSet_->RecordCount(), 2);
    EXPECT_EQ(Check("select count(*) from PROGRAM_DESCRIPTION"), "4");
}

// The lost connection takes the transaction with it: the dataset closes, the edit is gone.
TEST_F(ProgramsTest, APostOnALostConnectionClosesTheDataSet) {
    Open();
    dataSet_->Edit();
    dataSet_->Field("SNAME").SetAsString("Lost");
    {
        const ScopedFault lost("*", kFaultConnectionLost);
        const std::optional<EIBInterBaseError> error =
            RaisedBy<EIBInterBaseError>([&] { dataSet_->Post(); });
        ASSERT_TRUE(error);
        EXPECT_EQ(error->IBErrorCode(), kFaultConnectionLost);
    }
    EXPECT_FALSE(database_->Connected());
    EXPECT_FALSE(dataSet_->Active());
    database_->SetConnected(true);
    Open();
    EXPECT_EQ(Name(), "Morning news");
}

TEST_F(ProgramsTest, AFailingNewRecordHandlerLeavesTheCursorAsItWas) {
    Open();
    dataSet_->Next();
    dataSet_->OnNewRecord = [](TIBCustomDataSet& d) {
        d.Field("SNAME").SetAsString("Half");
        throw EDatabaseError("no new records today");
    };
    const int rows = dataSet_->RecordCount();
    EXPECT_EQ(ErrorOf([&] { dataSet_->Insert(); }), "no new records today");
    EXPECT_EQ(dataSet_->State(), dsBrowse);
    EXPECT_EQ(Nid(), 2);
    EXPECT_EQ(dataSet_->RecordCount(), rows);
}

// The row is written when its re-read fails: the dataset browses it and the failure is told.
TEST_F(ProgramsTest, AFailedRereadAfterAPostLeavesTheRowPosted) {
    Open();
    LogEvents();
    const int rows = dataSet_->RecordCount();
    dataSet_->Insert();
    dataSet_->Field("NID").SetAsInteger(11);
    {
        const ScopedFault rereading("isc_dsql_fetch", kFaultDiskFull, 0, 1);
        EXPECT_THROW(dataSet_->Post(), EIBInterBaseError);
    }
    EXPECT_EQ(log_, (Log{"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert",
                         "AfterScroll", "BeforePost"}));
    EXPECT_EQ(dataSet_->State(), dsBrowse);
    EXPECT_EQ(Nid(), 11);
    EXPECT_EQ(dataSet_->RecordCount(), rows + 1);
    EXPECT_EQ(Check("select count(*) from PROGRAM_DESCRIPTION where NID = 11"), "1");
}
