#include "QueryFixture.h"
#include "db/IBDataSet.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace {
constexpr int kMostDecimals = 18;
constexpr const char* kLargest = "9223372036854775807";
constexpr const char* kSmallest = "-9223372036854775808";

// The digits with a decimal point before the last `decimals` of them.
std::string Pointed(std::string digits, int decimals) {
    if (decimals > 0) digits.insert(digits.size() - static_cast<std::size_t>(decimals), ".");
    return digits;
}

std::string Column(int decimals) {
    return "N" + std::to_string(decimals);
}

// Every scale's item, apart.
std::string Joined(const std::function<std::string(int)>& item, const std::string& apart) {
    std::string list;
    for (int s = 0; s <= kMostDecimals; ++s)
        list += (s ? apart : "") + item(s);
    return list;
}

// One NUMERIC(18,s) column for every scale; row 1 holds the largest value of each, row 2 the
// smallest, both stored from text by the server.
std::string ScaledTable() {
    std::string sql = "CREATE TABLE SCALED (ID INTEGER NOT NULL PRIMARY KEY, DT DATE, TM TIME";
    for (int s = 0; s <= kMostDecimals; ++s)
        sql += ", " + Column(s) + " NUMERIC(18," + std::to_string(s) + ")";
    sql += ");\n";
    for (const auto& [id, digits] : {std::pair{1, kLargest}, std::pair{2, kSmallest}}) {
        sql += "INSERT INTO SCALED VALUES (" + std::to_string(id) + ", NULL, NULL";
        for (int s = 0; s <= kMostDecimals; ++s)
            sql += ", CAST('" + Pointed(digits, s) + "' AS NUMERIC(18," + std::to_string(s) + "))";
        sql += ");\n";
    }
    return sql;
}

class NumericTest : public QueryTest {
protected:
    NumericTest() : QueryTest(ScaledTable()), dataSet_(std::make_unique<TIBDataSet>()) {
        dataSet_->SetName("dstScaled");
        dataSet_->SetDatabase(database_.get());
        dataSet_->SetTransaction(transaction_.get());
        dataSet_->SetSelectSQL({"select * from SCALED order by ID"});
        dataSet_->SetModifySQL(
            {"update SCALED set DT = :DT, TM = :TM, " +
                 Joined([](int s) { return Column(s) + " = :" + Column(s); }, ", "),
             "where ID = :OLD_ID"});
        dataSet_->Open();
    }
    TField& Field(const std::string& name) { return dataSet_->Field(name); }
    // What a fresh connection reads from the row: the server's text of every scale's column.
    std::string Stored(int id) {
        dataSet_.reset();
        return QueryTest::Stored("select " + Joined(Column, " || ' ' || ") +
                                 " from SCALED where ID = " + std::to_string(id) + ";");
    }

    std::unique_ptr<TIBDataSet> dataSet_;
};
} // namespace

// Every value of every scale is read and written back exactly: nothing passes through a double,
// and nothing needs room for four decimals it does not have.
TEST_F(NumericTest, ValuesAreExactOverTheWholeRange) {
    for (const auto& [digits, changed] : {std::pair{kLargest, "9223372036854775806"},
                                          std::pair{kSmallest, "-9223372036854775807"}}) {
        dataSet_->Edit();
        for (int s = 0; s <= kMostDecimals; ++s) {
            SCOPED_TRACE(Column(s) + " of " + digits);
            TField& field = Field(Column(s));
            EXPECT_EQ(field.AsString(), Pointed(digits, s));
            EXPECT_EQ(field.AsFloat(), std::stod(std::string(digits) + "e-" + std::to_string(s)));
            field.SetAsString(Pointed(changed, s));
            EXPECT_EQ(field.AsString(), Pointed(changed, s));
        }
        dataSet_->Post();
        dataSet_->Next();
    }
    transaction_->Commit();
    EXPECT_EQ(Stored(1), Joined([](int s) { return Pointed("9223372036854775806", s); }, " "));
    EXPECT_EQ(Stored(2), Joined([](int s) { return Pointed("-9223372036854775807", s); }, " "));
}

// A value that does not fit what it is written to or read as raises; nothing is written.
TEST_F(NumericTest, ValuesThatDoNotFitRaise) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* field;
        std::function<void(TField&)> action;
        const char* error;
    };
    const Case cases[] = {
        {"N2", [](TField& f) { f.SetAsString("92233720368547758.08"); },
         "'92233720368547758.08' is out of range"},
        {"N2", [](TField& f) { f.SetAsFloat(1e17); }, "'1E17' is out of range"},
        {"N18", [](TField& f) { f.SetAsInteger(10); }, "'10' is out of range"},
        {"N1", [](TField& f) { f.AsInteger(); },
         "'922337203685477580.7' is not a valid integer value"},
        {"DT", [](TField& f) { f.SetAsDateTime(3e6); }, "'3000000' is not a valid date"},
        {"DT", [](TField& f) { f.SetAsDateTime(-1e12); }, "'-1000000000000' is not a valid date"},
        {"DT", [&](TField& f) { f.SetAsDateTime(nan); }, "'NAN' is not a valid date"},
        {"TM", [&](TField& f) { f.SetAsDateTime(nan); }, "'NAN' is not a valid time"},
    };
    dataSet_->Edit();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        TField& field = Field(c.field);
        const std::string before = field.AsString();
        EXPECT_EQ(ErrorOf<EConvertError>([&] { c.action(field); }), c.error);
        EXPECT_EQ(field.AsString(), before);
    }
    EXPECT_FALSE(dataSet_->Modified());
    dataSet_->Cancel();

    // Currency parameters are sent with four decimals.
    query_->SetSQL({"update SCALED set N4 = :N4 where ID = 1"});
    for (const auto& [value, error] :
         {std::pair{-922337203685477.0, "no error"}, std::pair{1e15, "'1E15' is out of range"}}) {
        query_->Param("N4").SetAsFloat(value);
        query_->Param("N4").SetDataType(ftCurrency);
        EXPECT_EQ(ErrorOf([&] { query_->Execute(); }), error);
    }
    dataSet_->Close();
    dataSet_->Open();
    EXPECT_EQ(Field("N4").AsString(), "-922337203685477");
}
