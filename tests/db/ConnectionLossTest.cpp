#include "QueryFixture.h"
#include "support/FaultClient.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <iostream>
#include <optional>

namespace {
using ConnectionLossTest = QueryTest;

int RowsIn(TIBQuery& query, const std::string& sql) {
    query.SetSQL({sql});
    query.Open();
    const int id = query.Fields(0).AsInteger();
    query.Close();
    return id;
}
} // namespace

TEST_F(ConnectionLossTest, InjectedFaultFiresAfterItsCountAndAsOftenAsAsked) {
    transaction_->Start();
    const ScopedFault conflict("isc_dsql_execute_immediate", kFaultLockConflict, 1, 1);
    ExecuteImmediate(*transaction_, "UPDATE TYPES SET S = 1 WHERE ID = 1");
    const std::optional<EIBInterBaseError> error = RaisedBy<EIBInterBaseError>(
        [&] { ExecuteImmediate(*transaction_, "UPDATE TYPES SET S = 2 WHERE ID = 1"); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->IBErrorCode(), kFaultLockConflict);
    EXPECT_NE(error->Message().find("lock conflict"), std::string::npos) << error->Message();
    ExecuteImmediate(*transaction_, "UPDATE TYPES SET S = 3 WHERE ID = 1");
    EXPECT_EQ(skedora_fault_count(), 1);
    EXPECT_TRUE(database_->Connected());
}

// Every statement on the dead connection fails to free; the close still completes, and one
// reconnect brings every result set back.
TEST_F(ConnectionLossTest, LostConnectionClosesEveryResultSetAtOnce) {
    TIBQuery other;
    other.SetDatabase(database_.get());
    other.SetTransaction(transaction_.get());
    other.SetSQL({"select V20 from TYPES where ID = 2"});
    other.Open();
    Open("select ID from TYPES order by ID");
    {
        const ScopedFault lost("*", kFaultConnectionLost);
        const std::optional<EIBInterBaseError> error =
            RaisedBy<EIBInterBaseError>([&] { query_->Next(); });
        ASSERT_TRUE(error);
        EXPECT_EQ(error->IBErrorCode(), kFaultConnectionLost);
        EXPECT_GT(skedora_fault_count(), 1);
    }
    EXPECT_FALSE(database_->Connected());
    EXPECT_FALSE(transaction_->Active());
    EXPECT_FALSE(query_->Active());
    EXPECT_FALSE(other.Active());
    EXPECT_FALSE(query_->Prepared());

    database_->SetConnected(true);
    other.Open();
    EXPECT_EQ(other.Fields(0).AsString(), "42");
    EXPECT_EQ(RowsIn(*query_, "select count(*) from TYPES"), 3);
}

TEST_F(ConnectionLossTest, ForcedEndCommitsWhenAResultSetFailsToClose) {
    transaction_->Start();
    ExecuteImmediate(*transaction_, "INSERT INTO TYPES (ID) VALUES (4)");
    Open("select ID from TYPES");
    {
        const ScopedFault failure("isc_dsql_free_statement", kFaultDiskFull, 0, 1);
        transaction_.reset();
        EXPECT_EQ(skedora_fault_count(), 1);
    }
    EXPECT_FALSE(query_->Active());
    EXPECT_EQ(Stored("SELECT COUNT(*) FROM TYPES;"), "4");
}

// The library reads its fault from the environment at its first call, so the case runs in a
// fresh child process. The child leaves with _Exit: the leak checker's exit-time scan crashes at
// random beside the embedded engine's threads, and the child's leaks are not what is tested.
TEST(FaultClientDeathTest, EnvironmentChoosesTheFault) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TempDatabase file;
    EXPECT_EXIT(
        {
            setenv("SKEDORA_FAULT_CALL", "isc_attach_database", 1);
            setenv("SKEDORA_FAULT_CODE", "335544345", 1);
            setenv("SKEDORA_FAULT_TIMES", "1", 1);
            auto database = MakeDatabase(file.Path());
            try {
                database->SetConnected(true);
            } catch (const EIBInterBaseError& error) {
                std::cerr << "failed with " << error.IBErrorCode() << std::endl;
            }
            database->SetConnected(true);
            std::_Exit(database->Connected() ? 0 : 1);
        },
        testing::ExitedWithCode(0), "failed with 335544345");
}
