#include "DbTestSupport.h"
#include "db/ClientApi.h"
#include "db/IBErrors.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {
void RecordEvents(TIBDatabase& database, std::vector<std::string>& log) {
    database.BeforeConnect = [&](TIBDatabase&) { log.push_back("BeforeConnect"); };
    database.AfterConnect = [&](TIBDatabase&) { log.push_back("AfterConnect"); };
    database.BeforeDisconnect = [&](TIBDatabase&) { log.push_back("BeforeDisconnect"); };
    database.AfterDisconnect = [&](TIBDatabase&) { log.push_back("AfterDisconnect"); };
}

class ConnectionTest : public testing::Test {
protected:
    TempDatabase file_;
    std::unique_ptr<TIBDatabase> database_ = MakeDatabase(file_.Path());
};
} // namespace

TEST_F(ConnectionTest, ConnectAndDisconnectInOrder) {
    std::vector<std::string> log;
    RecordEvents(*database_, log);
    RecordingLink link(log);
    link.base.SetDatabase(database_.get());

    database_->SetConnected(true);
    EXPECT_TRUE(database_->Connected());
    EXPECT_EQ(database_->DBSQLDialect(), 3);
    EXPECT_EQ(database_->SQLDialect(), 3);
    database_->SetConnected(true); // already connected: nothing happens
    database_->SetConnected(false);
    EXPECT_FALSE(database_->Connected());
    EXPECT_EQ(database_->DBSQLDialect(), 1);
    database_->SetConnected(false);

    EXPECT_EQ(log, (std::vector<std::string>{"BeforeConnect", "link: connected", "AfterConnect",
                                             "BeforeDisconnect", "link: disconnecting",
                                             "link: before disconnect", "link: after disconnect",
                                             "AfterDisconnect"}));
}

TEST(ConnectionFailure, MissingFileRaisesServerTextWithoutFinalStop) {
    auto database = MakeDatabase("/nonexistent-skedora-folder/missing.fdb");
    try {
        database->SetConnected(true);
        FAIL() << "attached to a missing file";
    } catch (const EIBInterBaseError& error) {
        const std::string& text = error.Message();
        EXPECT_STREQ(error.ClassName(), "EIBInterBaseError");
        EXPECT_NE(text.find("/nonexistent-skedora-folder/missing.fdb"), std::string::npos);
        EXPECT_NE(text.find("\r\n"), std::string::npos) << text;
        for (std::size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1))
            EXPECT_EQ(text[i - 1], '\r') << text;
        EXPECT_NE(text.back(), '.');
        EXPECT_NE(error.SqlCode(), 0);
        EXPECT_EQ(error.IBErrorCode(), StatusVector()[1]);
    }
    EXPECT_FALSE(database->Connected());
}

TEST_F(ConnectionTest, GuardsAndTheirMessages) {
    TIBDatabase unnamed;
    std::vector<std::string> log;
    RecordEvents(unnamed, log);
    EXPECT_EQ(ErrorOf<EIBClientError>([&] { unnamed.SetConnected(true); }),
              "Database name is missing");
    EXPECT_EQ(log, std::vector<std::string>{"BeforeConnect"});
    EXPECT_EQ(ErrorOf<EIBClientError>([&] { unnamed.SetSQLDialect(0); }), "SQL Dialect Invalid");

    unnamed.SetDatabaseName(file_.Path());
    unnamed.SetLoginPrompt(true);
    EXPECT_EQ(ErrorOf<EIBClientError>([&] { unnamed.SetConnected(true); }),
              "Operation cancelled at user's request");

    database_->SetConnected(true);
    EXPECT_EQ(ErrorOf<EIBClientError>([&] { database_->SetDatabaseName("/elsewhere.fdb"); }),
              "Cannot perform operation -- DB is currently open");
    EXPECT_EQ(ErrorOf<EIBClientError>([&] { database_->SetParams({"user_name=OTHER"}); }),
              "Cannot perform operation -- DB is currently open");
    EXPECT_EQ(database_->DatabaseName(), file_.Path());
    EXPECT_EQ(database_->Params(), ApplicationParams());
    database_->SetDatabaseName(file_.Path()); // unchanged: no error
    EXPECT_EQ(ErrorOf<EIBClientError>([&] { database_->SetSQLDialect(4); }), "SQL Dialect Invalid");
    database_->SetSQLDialect(1);
    EXPECT_EQ(database_->SQLDialect(), 1);
}

TEST_F(ConnectionTest, LoginHandlerSuppliesPasswordWithoutKeepingIt) {
    database_->SetParams({"user_name=SYSDBA", "lc_ctype=WIN1251"});
    database_->SetLoginPrompt(true);
    std::vector<std::string> offered;
    database_->OnLogin = [&](TIBDatabase&, std::vector<std::string>& params) {
        offered = params;
        params.push_back("password=secret");
    };
    database_->SetConnected(true);
    EXPECT_TRUE(database_->Connected());
    EXPECT_EQ(offered, (std::vector<std::string>{"user_name=SYSDBA", "lc_ctype=WIN1251"}));
    EXPECT_EQ(database_->Params(), offered);
}

TEST(DialectDowngrade, Dialect1DatabaseLowersSQLDialect) {
    TempDatabase file("CREATE TABLE T (D DATE);", 1);
    auto database = MakeDatabase(file.Path());
    int warnings = 0;
    database->OnDialectDowngradeWarning = [&](TIBDatabase& sender) {
        EXPECT_EQ(&sender, database.get());
        EXPECT_EQ(sender.SQLDialect(), 1);
        ++warnings;
    };
    database->SetConnected(true);
    EXPECT_EQ(database->SQLDialect(), 1);
    EXPECT_EQ(database->DBSQLDialect(), 1);
    EXPECT_EQ(warnings, 1);
    EXPECT_THROW(database->SetSQLDialect(3), EIBClientError);
}

TEST_F(ConnectionTest, LostConnectionClosesWithForceAndKeepsTheFailure) {
    TIBTransaction transaction;
    transaction.SetDefaultDatabase(database_.get());
    database_->SetConnected(true);
    transaction.Start();
    ExecuteImmediate(transaction, "INSERT INTO PROGRAM_DESCRIPTION (NID) VALUES (7)");

    // A call fails with the code the client library reports for a lost connection.
    const ISC_STATUS lost[] = {isc_arg_gds, kLostConnectionCode, isc_arg_end};
    std::memcpy(StatusVector(), lost, sizeof lost);
    try {
        transaction.Call(1, true);
        FAIL() << "the failure was not raised";
    } catch (const EIBInterBaseError& error) {
        EXPECT_EQ(error.IBErrorCode(), kLostConnectionCode);
    }
    EXPECT_FALSE(database_->Connected());
    EXPECT_FALSE(transaction.Active());
    database_.reset();
    // Rolled back, though the connection still works: the failed call may have left it half done.
    EXPECT_EQ(IsqlValue(file_, "SELECT COUNT(*) FROM PROGRAM_DESCRIPTION;"), "0");
}

TEST_F(ConnectionTest, StoredConnectedIsDroppedUnlessAllowed) {
    TIBTransaction transaction;
    transaction.SetDefaultDatabase(database_.get());
    transaction.SetStoredActive(true);
    database_->SetAllowStreamedConnected(false);
    database_->SetStoredConnected(true);
    database_->Loaded();
    EXPECT_FALSE(database_->Connected());
    EXPECT_FALSE(transaction.StoredActive());
    EXPECT_EQ(ErrorOf<EIBClientError>([&] { transaction.Start(); }),
              "Cannot perform operation -- DB is not open");

    database_->SetAllowStreamedConnected(true);
    database_->SetStoredConnected(true);
    database_->Loaded();
    EXPECT_TRUE(database_->Connected());
}

TEST_F(ConnectionTest, StartingTransactionHonoursPendingStoredConnected) {
    TIBTransaction transaction;
    transaction.SetDefaultDatabase(database_.get());
    database_->SetStoredConnected(true);
    transaction.Start();
    EXPECT_TRUE(database_->Connected());
    EXPECT_TRUE(transaction.Active());
}

TEST_F(ConnectionTest, DestructionCommitsAndReleasesEveryRegistration) {
    std::vector<std::string> log;
    RecordingLink link(log);
    auto transaction = std::make_unique<TIBTransaction>();
    transaction->SetDefaultDatabase(database_.get());
    database_->SetDefaultTransaction(transaction.get());
    link.base.SetDatabase(database_.get());
    EXPECT_EQ(link.base.Transaction(), transaction.get());
    database_->SetConnected(true);
    transaction->Start();
    ExecuteImmediate(*transaction, "INSERT INTO PROGRAM_DESCRIPTION (NID) VALUES (1)");
    log.clear();

    database_.reset();
    EXPECT_EQ(link.base.Database(), nullptr);
    EXPECT_EQ(transaction->DefaultDatabase(), nullptr);
    EXPECT_FALSE(transaction->Active());
    EXPECT_EQ(log, (std::vector<std::string>{"link: disconnecting", "link: before end",
                                             "link: after end", "link: before disconnect",
                                             "link: after disconnect", "link: database free"}));
    EXPECT_EQ(IsqlValue(file_, "SELECT COUNT(*) FROM PROGRAM_DESCRIPTION;"), "1");
}
