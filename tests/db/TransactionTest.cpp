#include "DbTestSupport.h"
#include "db/IBErrors.h"

#include <gtest/gtest.h>

namespace {
// A commit trigger that refuses every commit while FAIL_COMMIT has a row.
constexpr const char* kRefusingCommit = R"(
CREATE TABLE FAIL_COMMIT (X INTEGER);
CREATE EXCEPTION E_NO_COMMIT 'commit refused';
SET TERM ^ ;
CREATE TRIGGER REFUSE_COMMIT ON TRANSACTION COMMIT AS
BEGIN
  IF (EXISTS(SELECT 1 FROM FAIL_COMMIT)) THEN EXCEPTION E_NO_COMMIT;
END^
SET TERM ; ^
)";

class TransactionTest : public testing::Test {
protected:
    explicit TransactionTest(const std::string& extraSql = {}) : file_(extraSql) {
        transaction_->SetDefaultDatabase(database_.get());
        database_->SetConnected(true);
    }

    void Insert(int nid) {
        ExecuteImmediate(*transaction_, "INSERT INTO PROGRAM_DESCRIPTION (NID) VALUES (" +
                                            std::to_string(nid) + ")");
    }
    // Rows as seen from outside once this process has let go of the file.
    std::string StoredRows() {
        transaction_.reset();
        database_.reset();
        return IsqlValue(file_, "SELECT COUNT(*) FROM PROGRAM_DESCRIPTION;");
    }

    TempDatabase file_;
    std::unique_ptr<TIBDatabase> database_ = MakeDatabase(file_.Path());
    std::unique_ptr<TIBTransaction> transaction_ = std::make_unique<TIBTransaction>();
};

class RefusedCommitTest : public TransactionTest {
protected:
    RefusedCommitTest() : TransactionTest(kRefusingCommit) {}
};
} // namespace

TEST_F(TransactionTest, GuardsAndTheirMessages) {
    TIBTransaction unlisted;
    EXPECT_EQ(ErrorOf<EIBClientError>([&] { unlisted.Start(); }),
              "No databases are listed in transaction component");
    EXPECT_EQ(ErrorOf<EIBClientError>([&] { transaction_->Commit(); }),
              "Transaction is not active");
    EXPECT_EQ(ErrorOf<EIBClientError>([&] { transaction_->RollbackRetaining(); }),
              "Transaction is not active");
    EXPECT_EQ(ErrorOf<EIBClientError>([&] { transaction_->SetIdleTimer(-1); }),
              "Timeout values cannot be negative");
    transaction_->SetActive(true);
    EXPECT_EQ(ErrorOf<EIBClientError>([&] { transaction_->Start(); }), "Transaction is active");
    EXPECT_EQ(ErrorOf<EIBClientError>([&] { transaction_->SetParams({"read"}); }),
              "Transaction is active");
    transaction_->SetDefaultAction(TARollbackRetaining); // a version 6 client has it
    transaction_->SetActive(false);
    EXPECT_FALSE(transaction_->Active());
}

TEST_F(TransactionTest, CommitEndsEveryRegisteredUserAndRetainingNone) {
    std::vector<std::string> log;
    RecordingLink first(log, "first"), second(log, "second");
    first.base.SetDatabase(database_.get());
    second.base.SetDatabase(database_.get());
    ASSERT_EQ(second.base.Transaction(), transaction_.get());
    transaction_->Start();
    Insert(1);

    transaction_->CommitRetaining();
    transaction_->RollbackRetaining();
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(transaction_->Active());

    transaction_->Commit();
    EXPECT_FALSE(transaction_->Active());
    EXPECT_EQ(log, (std::vector<std::string>{"first: before end", "second: before end",
                                             "first: after end", "second: after end"}));
    EXPECT_EQ(StoredRows(), "1");
}

TEST_F(TransactionTest, RollbackDiscardsAndDestructionCommits) {
    transaction_->Start();
    Insert(1);
    transaction_->Rollback();
    transaction_->Start();
    Insert(2);
    Insert(3);
    EXPECT_EQ(StoredRows(), "2"); // destroyed while active
}

TEST_F(TransactionTest, DestructionByRollbackAction) {
    transaction_->SetDefaultAction(TARollbackRetaining);
    transaction_->Start();
    Insert(1);
    EXPECT_EQ(StoredRows(), "0");
}

TEST_F(TransactionTest, ParamsReachTheServer) {
    transaction_->SetParams({"read", "read_committed", "rec_version", "nowait"});
    transaction_->Start();
    EXPECT_THROW(Insert(1), EIBInterBaseError); // a read-only transaction
    transaction_->Rollback();

    transaction_->SetParams({"lock_write=NO_SUCH_TABLE"});
    EXPECT_THROW(transaction_->Start(), EIBInterBaseError);
    EXPECT_FALSE(transaction_->Active());
}

TEST_F(RefusedCommitTest, FailedCommitStaysActiveAndForcedEndRollsBack) {
    std::vector<std::string> log;
    RecordingLink link(log);
    link.base.SetDatabase(database_.get());
    transaction_->Start();
    Insert(1);
    ExecuteImmediate(*transaction_, "INSERT INTO FAIL_COMMIT VALUES (1)");

    try {
        transaction_->Commit();
        FAIL() << "the commit was not refused";
    } catch (const EIBInterBaseError& error) {
        EXPECT_NE(error.Message().find("commit refused"), std::string::npos) << error.Message();
    }
    EXPECT_TRUE(transaction_->Active());
    EXPECT_EQ(log, std::vector<std::string>{"link: before end"});

    EXPECT_NO_THROW(transaction_->Finish(TACommit, true));
    EXPECT_FALSE(transaction_->Active());
    EXPECT_EQ(StoredRows(), "0");
}

TEST_F(RefusedCommitTest, DestroyingWithRefusedCommitIsSilent) {
    transaction_->Start();
    Insert(1);
    ExecuteImmediate(*transaction_, "INSERT INTO FAIL_COMMIT VALUES (1)");
    EXPECT_NO_THROW(transaction_.reset());
    EXPECT_EQ(StoredRows(), "0");
}

TEST_F(TransactionTest, DestructionCommitsWhenAUserFailsToClose) {
    std::vector<std::string> log;
    RecordingLink link(log);
    link.base.SetDatabase(database_.get());
    link.base.BeforeTransactionEnd = [] { throw EDatabaseError("cannot close"); };
    transaction_->Start();
    Insert(1);
    EXPECT_NO_THROW(transaction_.reset());
    EXPECT_EQ(link.base.Transaction(), nullptr);
    EXPECT_EQ(StoredRows(), "1");
}

TEST_F(TransactionTest, DefaultTransactionRule) {
    std::vector<std::string> log;
    TIBTransaction second;
    second.SetDefaultDatabase(database_.get());
    TIBTransaction foreign; // listed with the connection, but defaulting to none
    foreign.AddDatabase(*database_);

    RecordingLink byRegistration(log);
    byRegistration.base.SetDatabase(database_.get());
    EXPECT_EQ(byRegistration.base.Transaction(), transaction_.get());

    database_->SetDefaultTransaction(&second);
    RecordingLink byDefault(log);
    byDefault.base.SetDatabase(database_.get());
    EXPECT_EQ(byDefault.base.Transaction(), &second);

    transaction_.reset();
    database_->SetDefaultTransaction(nullptr);
    EXPECT_EQ(byRegistration.base.Transaction(), nullptr);
    EXPECT_EQ(database_->FindDefaultTransaction(), &second);
}

TEST_F(TransactionTest, RemovedEntriesLeaveSlotsThatAreReusedFirst) {
    std::vector<std::string> log;
    auto a = std::make_unique<RecordingLink>(log);
    auto b = std::make_unique<RecordingLink>(log);
    auto c = std::make_unique<RecordingLink>(log);
    for (auto* link : {a.get(), b.get(), c.get()})
        link->base.SetDatabase(database_.get());
    ASSERT_EQ(database_->SQLObjects().Count(), 3);
    ASSERT_EQ(transaction_->SQLObjects().IndexOf(&c->base), 2);

    b.reset();
    EXPECT_EQ(database_->SQLObjects().Count(), 3);
    EXPECT_EQ(database_->SQLObjects().At(1), nullptr);
    EXPECT_EQ(transaction_->SQLObjects().At(1), nullptr);

    RecordingLink d(log);
    d.base.SetDatabase(database_.get());
    EXPECT_EQ(database_->SQLObjects().IndexOf(&d.base), 1);
    EXPECT_EQ(transaction_->SQLObjects().IndexOf(&d.base), 1);
    EXPECT_EQ(database_->SQLObjects().Count(), 3);

    // The connection's own transactions: the internal one, then this one.
    const int index = database_->FindTransaction(transaction_.get());
    TIBTransaction other;
    other.SetDefaultDatabase(database_.get());
    transaction_->SetDefaultDatabase(nullptr);
    EXPECT_EQ(database_->Transactions().At(index), nullptr);
    transaction_->SetDefaultDatabase(database_.get());
    EXPECT_EQ(database_->FindTransaction(transaction_.get()), index);
}

TEST_F(TransactionTest, AutoStopWaitsForOpenResultSets) {
    std::vector<std::string> log;
    RecordingLink link(log);
    link.base.SetDatabase(database_.get());
    transaction_->Start();
    transaction_->CheckAutoStop(); // saNone
    EXPECT_TRUE(transaction_->Active());

    transaction_->SetAutoStopAction(saCommit);
    link.open = true;
    transaction_->CheckAutoStop();
    EXPECT_TRUE(transaction_->Active());
    link.open = false;
    transaction_->CheckAutoStop();
    EXPECT_FALSE(transaction_->Active());
}

TEST_F(TransactionTest, DestroyedTransactionIsForgottenByItsUsers) {
    std::vector<std::string> log;
    RecordingLink link(log);
    link.base.SetDatabase(database_.get());
    transaction_.reset();
    EXPECT_EQ(log, std::vector<std::string>{"link: transaction free"});
    EXPECT_EQ(link.base.Transaction(), nullptr);
    EXPECT_EQ(ErrorOf<EIBClientError>([&] { link.base.TRHandle(); }), "Transaction not assigned");
    link.base.SetDatabase(nullptr);
    EXPECT_EQ(ErrorOf<EIBClientError>([&] { link.base.SQLDialect(); }), "Database not assigned");
}
