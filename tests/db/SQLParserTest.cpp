#include "db/SQLParser.h"

#include "db/IBErrors.h"
#include "support/ErrorText.h"

#include <gtest/gtest.h>

namespace {
std::string ParseError(const std::string& sql) {
    const auto error = RaisedBy<EIBClientError>([&] { PreprocessSQL(sql); });
    if (!error) return "no error";
    EXPECT_EQ(error->SqlCode(), static_cast<int>(ClientError::SqlParseError));
    return error->Message();
}

using Names = std::vector<std::string>;
} // namespace

TEST(Preprocessing, NamedParametersBecomePlaceholders) {
    const PreprocessedSQL result =
        PreprocessSQL("insert into T values (:DDATE, :n_1$, :\"My Name\", :DDATE)\r\n");
    EXPECT_EQ(result.text, "insert into T values (?, ?, ?, ?)\r\n");
    EXPECT_EQ(result.names, (Names{"DDATE", "n_1$", "My Name", "DDATE"}));
}

TEST(Preprocessing, QuotesAndCommentsHideColons) {
    const PreprocessedSQL result =
        PreprocessSQL("select '10:30', \"A:B\", 'it''s :x' /* :hidden */ from T where X = :V\r\n");
    EXPECT_EQ(result.text,
              "select '10:30', \"A:B\", 'it''s :x' /* :hidden */ from T where X = ?\r\n");
    EXPECT_EQ(result.names, Names{"V"});
}

TEST(Preprocessing, CharacterEndingANameIsCopiedUnexamined) {
    // The quote right after the name starts no string, so the colon after it is a placeholder.
    const PreprocessedSQL result = PreprocessSQL("select :A' :B from T\r\n");
    EXPECT_EQ(result.text, "select ?' ? from T\r\n");
    EXPECT_EQ(result.names, (Names{"A", "B"}));
}

TEST(Preprocessing, MalformedTextsFailWithTheirReason) {
    const std::string prefix = "SQL Parse Error:\r\n\r\n";
    EXPECT_EQ(ParseError("select 'open\r\n"), prefix + "EOF in string detected");
    EXPECT_EQ(ParseError("select \"open\r\n"), prefix + "EOF in string detected");
    EXPECT_EQ(ParseError("select 1 /* open\r\n"), prefix + "EOF in comment detected");
    EXPECT_EQ(ParseError("select * from T where X = ?\r\n"), prefix + "Parameter name expected");
    EXPECT_EQ(ParseError("select * from T where X = : A\r\n"), prefix + "Parameter name expected");
    EXPECT_EQ(ParseError("select * from T where X = :\"open\r\n"),
              prefix + "EOF in string detected");
}

TEST(ParameterScan, FindsEveryOccurrenceOutsideLiterals) {
    EXPECT_EQ(ScanParamNames("insert into T values (:DDATE,:TSTART, :DDATE)\r\n"),
              (Names{"DDATE", "TSTART", "DDATE"}));
    EXPECT_EQ(ScanParamNames("select '10:30', `a:b` from T where A = :X;\r\n"), Names{"X"});
    EXPECT_EQ(ScanParamNames("select A::B from T where C = :\"Quoted Name\"\r\n"),
              Names{"Quoted Name"});
}

TEST(JoinedLines, EveryLineEndsWithCrLf) {
    EXPECT_EQ(JoinLines({"select *", "from T"}), "select *\r\nfrom T\r\n");
    EXPECT_EQ(JoinLines({}), "");
}
