#include "QueryFixture.h"
#include "db/IBErrors.h"

#include <gtest/gtest.h>

namespace {
constexpr const char* kInsertTimeline =
    "insert into PROGRAM_TIMELINE (NPROGRAM_ID, DSTART_DATE, DEND_DATE, TSTART_TIME, TEND_TIME) "
    "values (:NID, :DDATE, :DDATE, :TSTART, :TEND)";
} // namespace

TEST_F(QueryTest, RepeatedNameSharesTheFirstParameter) {
    query_->SetSQL({kInsertTimeline});
    TParams& params = query_->Params();
    ASSERT_EQ(params.Count(), 5);
    EXPECT_EQ(&params.Item(1), &params.Item(2));
    EXPECT_EQ(&query_->Param("ddate"), &params.Item(1));

    query_->Param("DDATE").SetAsDate(EncodeDate(2010, 6, 17) + 0.75);
    query_->Param("NID").SetAsString("5");
    query_->Execute();
    EXPECT_EQ(Stored("SELECT COUNT(*) FROM PROGRAM_TIMELINE WHERE DSTART_DATE = '2010-06-17' "
                     "AND DEND_DATE = DSTART_DATE AND NPROGRAM_ID = 5;"),
              "1");
}

TEST_F(QueryTest, ValuesPersistBetweenExecutionsUntilTheTextChanges) {
    query_->SetSQL({kInsertTimeline});
    query_->Param("NID").SetAsInteger(7);
    for (int run = 1; run <= 4; ++run) {
        query_->Param("TSTART").SetAsTime(EncodeTime(run, 0, 0, 0));
        if (run >= 3) query_->Param("TEND").SetAsTime(EncodeTime(run, 30, 0, 0));
        query_->Execute();
    }
    EXPECT_EQ(Stored("SELECT COUNT(*) || '/' || COUNT(TEND_TIME) || '/' || COUNT(DSTART_DATE) || "
                     "'/' || MIN(TEND_TIME) FROM PROGRAM_TIMELINE WHERE NPROGRAM_ID = 7;"),
              "4/2/0/03:30:00.0000");
}

TEST_F(QueryTest, TextChangeKeepsValuesOnlyUnderTheSameName) {
    query_->SetSQL({"delete from PROGRAM_TIMELINE where DSTART_DATE = :DDATE"});
    query_->Param("DDATE").SetAsDate(40346);
    query_->SetSQL(
        {"select * from PROGRAM_TIMELINE where DSTART_DATE = :ddate and NPROGRAM_ID = :X"});
    EXPECT_EQ(query_->Param("DDATE").DataType(), ftDate);
    EXPECT_EQ(std::get<DateTimeValue>(query_->Param("DDATE").Value()).value, 40346);
    EXPECT_TRUE(query_->Param("X").IsNull());

    query_->SetSQL({"select * from PROGRAM_TIMELINE"});
    EXPECT_EQ(query_->Params().Count(), 0);
    query_->SetSQL({"select * from PROGRAM_TIMELINE where DSTART_DATE = :DDATE"});
    EXPECT_TRUE(query_->Param("DDATE").IsNull());
    EXPECT_EQ(ErrorOf([&] { query_->Param("nope"); }), "qryTemp: Parameter 'nope' not found");
}

TEST_F(QueryTest, SlotsTakeTheValueOfTheirOwnName) {
    // The parameter list sees the name in the comment; the server sees one placeholder.
    Open("select ID from TYPES /* :HIDDEN */ where ID = :WANTED");
    query_->Close();
    EXPECT_EQ(query_->Params().Count(), 2);
    query_->Param("HIDDEN").SetAsInteger(1);
    query_->Param("WANTED").SetAsInteger(3);
    query_->Open();
    EXPECT_EQ(query_->Field("ID").AsInteger(), 3);
}

TEST_F(QueryTest, TextParametersConvertOnTheServer) {
    query_->SetSQL({"insert into TYPES (ID, S, TS) values (:ID, :S, :TS)"});
    query_->Param("ID").SetAsString("12.7");
    query_->Param("S").SetAsString("");
    query_->Param("TS").SetAsString("17.06.2010 10:30:15");
    query_->Execute();
    EXPECT_EQ(
        Stored("SELECT ID || '/' || COALESCE(S, 'null') || '/' || TS FROM TYPES WHERE ID > 3;"),
        "13/null/2010-06-17 10:30:15.0000");
}

TEST_F(QueryTest, DateAndTimeParametersDropTheOtherPart) {
    query_->SetSQL({kInsertTimeline});
    query_->Param("NID").SetAsInteger(1);
    query_->Param("DDATE").SetAsDate(EncodeDate(2010, 6, 17) + EncodeTime(23, 0, 0, 0));
    query_->Param("TSTART").SetAsTime(EncodeDate(2010, 6, 17) + EncodeTime(10, 30, 15, 750));
    query_->Execute();
    EXPECT_EQ(Stored("SELECT DSTART_DATE || ' ' || TSTART_TIME FROM PROGRAM_TIMELINE;"),
              "2010-06-17 10:30:15.0000");
}

TEST_F(QueryTest, TypedSlotSettersAndBlobText) {
    query_->SetSQL({"insert into TYPES (ID, B, N2, D, MEMO) values (:ID, :B, :N2, :D, :MEMO)"});
    query_->Param("ID").SetAsInteger(10);
    query_->Param("B").SetAsString("-5000000000");
    query_->Param("N2").SetAsFloat(12.345);
    query_->Param("D").SetAsFloat(0.125);
    query_->Param("MEMO").SetAsString(std::string(70000, 'm'));
    query_->Execute();
    query_->SetSQL({"select B, N2, D, MEMO from TYPES where ID = 10"});
    query_->Open();
    EXPECT_EQ(query_->Field("B").AsString(), "-5000000000");
    EXPECT_EQ(query_->Field("N2").AsString(), "12.35");
    EXPECT_EQ(query_->Field("D").AsFloat(), 0.125);
    EXPECT_EQ(query_->Field("MEMO").AsString(), std::string(70000, 'm'));
}

TEST_F(QueryTest, ExecuteRefusesSelectsAndOpenQueries) {
    query_->SetSQL({"select * from TYPES"});
    EXPECT_EQ(ErrorOf([&] { query_->Execute(); }), "use Open for a Select Statement");
    EXPECT_TRUE(transaction_->Active());
    EXPECT_TRUE(query_->Prepared());

    query_->Open();
    EXPECT_EQ(ErrorOf([&] { query_->Execute(); }),
              "qryTemp: Cannot perform this operation on an open dataset");
    EXPECT_TRUE(query_->Active());
}

TEST_F(QueryTest, BadInputRaisesAndLeavesTheTransactionAlone) {
    query_->SetSQL({kInsertTimeline});
    query_->Param("NID").SetAsInteger(1);
    query_->Execute();

    const std::vector<std::pair<std::string, std::string>> cases = {
        {"insert into TYPES (ID) values (?)", "SQL Parse Error:\r\n\r\nParameter name expected"},
        {"insert into TYPES (ID) values (: X)", "SQL Parse Error:\r\n\r\nParameter name expected"},
        {"insert into TYPES (ID, V20) values (1, 'open)",
         "SQL Parse Error:\r\n\r\nEOF in string detected"},
        {"insert into TYPES (ID) values (1) /* open",
         "SQL Parse Error:\r\n\r\nEOF in comment detected"},
        {"insert into TYPES (ID, V20) values (9, :V)",
         "Trying to store a string of length 21 into a field that can only contain 20"},
        {"set transaction", "Not permitted"},
    };
    for (const auto& [sql, message] : cases) {
        query_->SetSQL({sql});
        if (sql.find(":V") != std::string::npos)
            query_->Param("V").SetAsString(std::string(21, 'x'));
        EXPECT_EQ(ErrorOf([&] { query_->Execute(); }), message) << sql;
        EXPECT_TRUE(transaction_->Active()) << sql;
    }
    query_->SetSQL({"insert into TYPES (ID) values (:ID)"});
    query_->Param("ID").SetAsString("abc");
    EXPECT_THROW(query_->Execute(), EIBInterBaseError);
    EXPECT_TRUE(transaction_->Active());
    query_->SetSQL({"insert into NO_SUCH_TABLE values (1)"});
    EXPECT_THROW(query_->Execute(), EIBInterBaseError);
    EXPECT_FALSE(query_->Prepared());
    EXPECT_EQ(
        Stored("SELECT COUNT(*) || '/' || (SELECT COUNT(*) FROM TYPES) FROM PROGRAM_TIMELINE;"),
        "1/3");
}

TEST_F(QueryTest, ExecutionFailureKeepsThePreparedStatementAndEarlierWork) {
    query_->SetSQL({"insert into TYPES (ID) values (:ID)"});
    query_->Param("ID").SetAsInteger(20);
    query_->Execute();
    EXPECT_THROW(query_->Execute(), EIBInterBaseError);
    EXPECT_TRUE(query_->Prepared());
    EXPECT_TRUE(transaction_->Active());
    query_->Param("ID").SetAsInteger(21);
    query_->Execute();
    EXPECT_EQ(Stored("SELECT COUNT(*) FROM TYPES WHERE ID IN (20, 21);"), "2");
}

TEST_F(QueryTest, ConnectionAndTransactionChecks) {
    TIBQuery loose;
    loose.SetSQL({"select * from TYPES"});
    EXPECT_EQ(ErrorOf([&] { loose.Execute(); }), "Database not assigned");
    query_->SetSQL({});
    EXPECT_EQ(ErrorOf([&] { query_->Execute(); }), "Empty SQL Statement");
    query_->SetSQL({"select * from NOWHERE"});
    EXPECT_THROW(query_->Open(), EIBInterBaseError);
    EXPECT_FALSE(query_->Active());
    EXPECT_EQ(query_->FieldCount(), 0);

    // The statement's own start of the transaction is what auto-stop may end.
    transaction_->SetAutoStopAction(saCommit);
    query_->SetSQL({"delete from TYPES where ID = 3"});
    query_->Execute();
    EXPECT_FALSE(transaction_->Active());
    transaction_->Start();
    query_->Execute();
    EXPECT_TRUE(transaction_->Active());
}

TEST_F(QueryTest, TransactionEndClosesAndUnprepares) {
    std::vector<std::string> log;
    query_->BeforeClose = [&](TIBCustomDataSet&) { log.push_back("before close"); };
    query_->AfterClose = [&](TIBCustomDataSet&) { log.push_back("after close"); };
    Open("select ID from TYPES order by ID");
    transaction_->Commit();
    EXPECT_FALSE(query_->Active());
    EXPECT_FALSE(query_->Prepared());
    EXPECT_EQ(log, (std::vector<std::string>{"before close", "after close"}));

    query_->Open();
    EXPECT_EQ(query_->Field("ID").AsInteger(), 1);
    database_->SetConnected(false);
    EXPECT_FALSE(query_->Active());
    EXPECT_FALSE(query_->Prepared());
}

TEST_F(QueryTest, StatementColumnsAndStates) {
    TIBSQL sql;
    sql.SetDatabase(database_.get());
    sql.SetTransaction(transaction_.get());
    EXPECT_EQ(ErrorOf([&] { sql.Prepare(); }), "Transaction is not active");
    transaction_->Start();
    EXPECT_EQ(ErrorOf([&] { sql.Prepare(); }), "Empty query");
    sql.SetSQL({"select NID, NID, NID as X, NID as X from PROGRAM_DESCRIPTION"});
    sql.Prepare();
    EXPECT_EQ(sql.SQLType(), SQLSelect);
    TIBXSQLDA& columns = sql.Current();
    ASSERT_EQ(columns.Count(), 4);
    EXPECT_EQ(columns.Var(1).Name(), "NID1");
    EXPECT_EQ(columns.Var(3).Name(), "X1");
    EXPECT_EQ(columns.Var(3).AliasName(), "X1");
    EXPECT_EQ(sql.FieldIndex("x1"), 3);
    EXPECT_EQ(sql.FieldIndex("Y"), -1);
    EXPECT_EQ(columns.UniqueRelationName(), "PROGRAM_DESCRIPTION");
    EXPECT_EQ(ErrorOf([&] { sql.Field(4); }), "Field \"4\" not found");
    EXPECT_EQ(ErrorOf([&] { sql.Fetch(); }), "IBSQL Closed");

    sql.Execute();
    EXPECT_EQ(ErrorOf([&] { sql.Execute(); }), "IBSQL Open");
    EXPECT_EQ(sql.Fetch(), nullptr);
    EXPECT_TRUE(sql.Eof());
    sql.CloseRows();
    EXPECT_FALSE(sql.Open());

    sql.SetSQL({"select P.NID, T.NPROGRAM_ID from PROGRAM_DESCRIPTION P, PROGRAM_TIMELINE T"});
    EXPECT_FALSE(sql.Prepared());
    sql.Prepare();
    EXPECT_EQ(sql.Current().UniqueRelationName(), "");
}

class ProcedureTest : public QueryTest {
protected:
    ProcedureTest()
        : QueryTest("SET TERM ^ ;\nCREATE PROCEDURE TWICE (X INTEGER) RETURNS (Y INTEGER) AS "
                    "BEGIN Y = X * 2; END^\nSET TERM ; ^") {}
};

TEST_F(ProcedureTest, ExecuteProcedureFillsTheColumns) {
    TIBSQL sql;
    sql.SetDatabase(database_.get());
    sql.SetTransaction(transaction_.get());
    sql.SetSQL({"execute procedure TWICE :X"});
    transaction_->Start();
    sql.Prepare();
    EXPECT_EQ(sql.SQLType(), SQLExecProcedure);
    sql.ParamByName("x").SetAsString("21");
    sql.Execute();
    EXPECT_EQ(sql.Field(0).AsString(), "42");
    EXPECT_EQ(ErrorOf([&] { sql.ParamByName("Z"); }), "Field \"Z\" not found");
}

TEST(Dialect1, DatesAndTimesAreSentAsTimestamps) {
    TempDatabase file("CREATE TABLE T (D DATE, T2 DATE);", 1);
    {
        auto database = MakeDatabase(file.Path());
        TIBTransaction transaction;
        transaction.SetDefaultDatabase(database.get());
        database->SetConnected(true);
        TIBQuery query;
        query.SetDatabase(database.get());
        query.SetTransaction(&transaction);
        query.SetSQL({"insert into T (D, T2) values (:D, :T)"});
        const TDateTime moment = EncodeDate(2010, 6, 17) + EncodeTime(10, 30, 15, 0);
        query.Param("D").SetAsDate(moment);
        query.Param("T").SetAsTime(moment);
        query.Execute();
        query.SetSQL({"select D, T2 from T"});
        query.Open();
        EXPECT_EQ(query.Field("D").AsDateTime(), moment);
        EXPECT_EQ(query.Field("T2").AsDateTime(), moment);
    }
}
