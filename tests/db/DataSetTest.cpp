#include "QueryFixture.h"
#include "db/DataSource.h"
#include "db/IBErrors.h"
#include "db/Schema.h"

#include <gtest/gtest.h>
#include <optional>

namespace {
// Twenty-five rows numbered 1 to 25.
constexpr const char* kNumbers = R"(
CREATE TABLE NUMBERS (N INTEGER NOT NULL);
SET TERM ^ ;
EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN
  WHILE (I <= 25) DO BEGIN INSERT INTO NUMBERS VALUES (:I); I = I + 1; END
END^
SET TERM ; ^
)";

class NumbersTest : public QueryTest {
protected:
    NumbersTest() : QueryTest(kNumbers) {}
    int N() const { return query_->Field("N").AsInteger(); }
};

class DataSetEventsTest : public QueryTest {
protected:
    DataSetEventsTest() {
        query_->BeforeScroll = [this](TIBCustomDataSet&) { log_.push_back("before scroll"); };
        query_->AfterScroll = [this](TIBCustomDataSet&) { log_.push_back("after scroll"); };
        query_->AfterOpen = [this](TIBCustomDataSet&) { log_.push_back("after open"); };
    }
    std::vector<std::string> log_;
};

using Log = std::vector<std::string>;
} // namespace

TEST_F(DataSetEventsTest, EmptyResultIsAtEndAtOnce) {
    Open("select * from TYPES where ID < 0");
    EXPECT_TRUE(query_->AtEnd());
    EXPECT_EQ(query_->RecordNumber(), 0);
    EXPECT_EQ(query_->Bookmark(), "");
    EXPECT_EQ(log_, Log{"after open"});
    EXPECT_TRUE(query_->Field("ID").IsNull());
}

TEST_F(DataSetEventsTest, NextOnTheLastRowSetsAtEndAndStays) {
    Open("select ID from TYPES where ID > 1 order by ID");
    EXPECT_EQ(log_, (Log{"after open", "after scroll"}));
    log_.clear();
    query_->Next();
    query_->Next();
    EXPECT_TRUE(query_->AtEnd());
    EXPECT_EQ(query_->Field("ID").AsInteger(), 3);
    query_->Next();
    EXPECT_EQ(log_, (Log{"before scroll", "after scroll", "before scroll", "after scroll",
                         "before scroll"}));
}

TEST_F(QueryTest, ReadingLoopVisitsEveryRowOnce) {
    Open("select ID from TYPES order by ID");
    std::string seen;
    while (!query_->AtEnd()) {
        seen += query_->Field("id").AsString();
        query_->Next();
    }
    EXPECT_EQ(seen, "123");
    EXPECT_EQ(ErrorOf([&] { query_->Field("NOPE"); }), "qryTemp: Field 'NOPE' not found");
    query_->Close();
    EXPECT_TRUE(query_->AtEnd());
    EXPECT_TRUE(query_->AtStart());
}

TEST_F(QueryTest, OpenRunsOtherStatementsAndHasNoRows) {
    Open("delete from TYPES where ID = 3");
    EXPECT_TRUE(query_->Active());
    EXPECT_TRUE(query_->AtEnd());
    EXPECT_EQ(query_->RecordCount(), 0);
    EXPECT_EQ(Stored("SELECT COUNT(*) FROM TYPES;"), "2");
}

TEST_F(QueryTest, FieldsConvertEachColumnType) {
    Open("select * from TYPES order by ID");
    EXPECT_EQ(query_->Field("TM").AsDateTime(), EncodeTime(0, 30, 0, 0));
    EXPECT_EQ(query_->Field("TM").AsString(), "00:30:00");
    EXPECT_EQ(query_->Field("DT").AsDateTime(), EncodeDate(2010, 6, 17));
    EXPECT_EQ(query_->Field("DT").AsString(), "17.06.2010");
    EXPECT_EQ(query_->Field("TS").AsString(), "17.06.2010");
    EXPECT_EQ(query_->Field("V20").AsString(), "Season");
    EXPECT_EQ(query_->Field("C8").AsString(), "Season  ");
    EXPECT_EQ(query_->Field("ID").AsString(), "1");
    EXPECT_EQ(query_->Field("S").AsInteger(), -5);
    EXPECT_EQ(query_->Field("B").AsString(), "5000000000");
    EXPECT_EQ(query_->Field("B").AsInteger(), static_cast<std::int32_t>(5000000000LL));
    EXPECT_EQ(query_->Field("N2").AsString(), "12.5");
    EXPECT_EQ(query_->Field("N2").AsInteger(), 12);
    EXPECT_DOUBLE_EQ(query_->Field("N6").AsFloat(), 1.234567);
    EXPECT_EQ(query_->Field("D").AsInteger(), 2);
    EXPECT_EQ(query_->Field("MEMO").AsString(), "long text");
    EXPECT_EQ(query_->Field("TWICE").AsInteger(), 2);

    query_->Next();
    EXPECT_EQ(query_->Field("V20").AsInteger(), 42);
    EXPECT_EQ(query_->Field("TS").AsString(), "17.06.2010 10:30:15");
    EXPECT_EQ(query_->Field("N2").AsString(), "-0.05");
    EXPECT_EQ(query_->Field("D").AsInteger(), 4);

    query_->Next();
    EXPECT_EQ(query_->Field("S").AsInteger(), 0);
    EXPECT_EQ(query_->Field("C8").AsString(), "");
    EXPECT_EQ(query_->Field("TS").AsDateTime(), 0.0);
}

TEST_F(QueryTest, ConversionsThatCannotWorkRaise) {
    Open("select * from TYPES order by ID desc");
    EXPECT_EQ(ErrorOf([&] { query_->Field("V20").AsInteger(); }),
              "'42a' is not a valid integer value");
    EXPECT_EQ(ErrorOf([&] { query_->Field("ID").AsDateTime(); }),
              "Cannot access field 'ID' as type DateTime");
    // NULL reads as 0 whatever the field class.
    EXPECT_EQ(query_->Field("TS").AsInteger(), 0);
    query_->Last();
    EXPECT_EQ(ErrorOf([&] { query_->Field("TS").AsInteger(); }),
              "Cannot access field 'TS' as type Integer");
    EXPECT_EQ(ErrorOf([&] { query_->Field("MEMO").AsFloat(); }),
              "Cannot access field 'MEMO' as type Float");
    EXPECT_EQ(ErrorOf([&] { query_->Field("V20").AsFloat(); }),
              "'Season' is not a valid floating point value");
}

TEST_F(QueryTest, FailedFetchRaisesTheServersError) {
    query_->SetSQL({"select 1/0 from rdb$database"});
    const std::optional<EIBInterBaseError> error =
        RaisedBy<EIBInterBaseError>([&] { query_->Open(); });
    ASSERT_TRUE(error);
    EXPECT_NE(error->Message().find("divide by zero"), std::string::npos) << error->Message();
    EXPECT_EQ(error->SqlCode(), -802);
    EXPECT_NE(error->IBErrorCode(), 0);
    EXPECT_FALSE(query_->Active());
}

// Values that do not fit the type asked for raise instead of wrapping around.
TEST_F(QueryTest, NumbersOutOfRangeRaiseConversionErrors) {
    Open("select cast(9000000000000000.00 as numeric(18,2)) as FITS, 1e20 as HUGE, -3e9 as LOW "
         "from rdb$database");
    EXPECT_EQ(query_->Field("FITS").AsString(), "9000000000000000");
    EXPECT_EQ(ErrorOf<EConvertError>([&] { query_->Field("FITS").AsInteger(); }),
              "'9000000000000000' is not a valid integer value");
    EXPECT_EQ(ErrorOf<EConvertError>([&] { query_->Field("HUGE").AsInteger(); }),
              "'1E20' is not a valid integer value");
    EXPECT_EQ(ErrorOf<EConvertError>([&] { query_->Field("LOW").AsInteger(); }),
              "'-3000000000' is not a valid integer value");
    EXPECT_EQ(query_->Field("LOW").AsFloat(), -3e9);
}

TEST_F(QueryTest, FieldDefinitionsFollowColumnsAndSchema) {
    Open("select ID, C8, N2, N6, B, TWICE, DEF, MEMO from TYPES");
    const std::vector<TFieldDef>& defs = query_->FieldDefs();
    ASSERT_EQ(defs.size(), 8u);
    EXPECT_TRUE(defs[0].required);
    EXPECT_TRUE(defs[1].fixed);
    EXPECT_EQ(defs[1].size, 8);
    EXPECT_EQ(defs[2].dataType, ftBCD);
    EXPECT_EQ(defs[2].precision, 9);
    EXPECT_EQ(defs[2].size, 2);
    EXPECT_EQ(defs[3].dataType, ftFloat);
    EXPECT_EQ(defs[4].dataType, ftLargeint);
    EXPECT_TRUE(defs[5].readOnly);
    EXPECT_TRUE(defs[6].required);
    EXPECT_EQ(defs[7].dataType, ftMemo);
    EXPECT_TRUE(query_->NeedsRefresh());
    EXPECT_NE(dynamic_cast<TIBBCDField*>(&query_->Field("N2")), nullptr);
    EXPECT_NE(dynamic_cast<TMemoField*>(&query_->Field("MEMO")), nullptr);

    TSchema& schema = *database_->Schema();
    EXPECT_TRUE(schema.Has_COMPUTED_BLR("TYPES", "TWICE"));
    EXPECT_TRUE(schema.Has_DEFAULT_VALUE("TYPES", "DEF"));
    EXPECT_FALSE(schema.Has_DEFAULT_VALUE("TYPES", "ID"));
    EXPECT_FALSE(database_->InternalTransaction().Active());
}

TEST_F(NumbersTest, CacheGrowsInStepsAndRowsKeepTheirNumbers) {
    query_->SetBufferChunks(4);
    Open("select N from NUMBERS order by N");
    EXPECT_EQ(query_->RecordCount(), 1);
    const std::size_t opened = query_->CacheBytes();
    EXPECT_LE(opened, 32u * 1024u);
    query_->Last();
    EXPECT_EQ(N(), 25);
    EXPECT_EQ(query_->RecordCount(), 25);
    EXPECT_GT(query_->CacheBytes(), opened);
    EXPECT_LT(query_->CacheBytes(), opened + 25u * static_cast<std::size_t>(query_->RecordSize()));
    query_->Prior();
    EXPECT_EQ(N(), 24);
    query_->First();
    EXPECT_EQ(N(), 1);
    EXPECT_TRUE(query_->AtStart());
    query_->Prior();
    EXPECT_EQ(N(), 1);
}

// Texts are kept at their length: a wide column costs what its values hold.
TEST_F(NumbersTest, TextsAreCachedAtTheirLengthAcrossArenas) {
    Open("select N, cast(lpad('', N * 100, 'x') || N as varchar(4000)) as T from NUMBERS "
         "order by N");
    query_->Last();
    const std::size_t fullWidth = 25u * static_cast<std::size_t>(query_->RecordSize());
    EXPECT_LT(query_->CacheBytes(), fullWidth);
    for (int n = 25; n >= 1; --n, query_->Prior()) {
        ASSERT_EQ(N(), n);
        EXPECT_EQ(query_->Field("T").AsString(), std::string(n * 100, 'x') + std::to_string(n));
    }
}

// Rows whose values pass 32 KB and 64 KB, where their ends outgrow 15 and 16 bits, read back.
TEST_F(NumbersTest, RowsOfMoreThan64KBReadBack) {
    Open("select N, cast(lpad('', N * 1280, 'a') as varchar(32000)) as A, "
         "cast(lpad('', 32000, 'c') as varchar(32000)) as C, "
         "cast(lpad('', 32000 - N, 'd') as varchar(32000)) as D, "
         "cast(iif(mod(N, 2) = 0, null, 'b' || N) as varchar(10)) as B from NUMBERS order by N");
    query_->Last();
    for (int n = 25; n >= 1; --n, query_->Prior()) {
        ASSERT_EQ(N(), n);
        EXPECT_EQ(query_->Field("A").AsString(), std::string(n * 1280, 'a'));
        EXPECT_EQ(query_->Field("D").AsString(), std::string(32000 - n, 'd'));
        EXPECT_EQ(query_->Field("B").AsString(), n % 2 == 0 ? "" : "b" + std::to_string(n));
        EXPECT_EQ(query_->Field("B").IsNull(), n % 2 == 0);
    }
}

TEST_F(NumbersTest, RecordNumberMovesAndClamps) {
    Open("select N from NUMBERS order by N");
    query_->SetRecordNumber(7);
    EXPECT_EQ(N(), 7);
    EXPECT_EQ(query_->RecordNumber(), 7);
    query_->SetRecordNumber(100);
    EXPECT_EQ(query_->RecordNumber(), 25);
    EXPECT_EQ(query_->RecordCount(), 25);
    query_->SetRecordNumber(-3);
    EXPECT_EQ(N(), 1);
    EXPECT_EQ(query_->MoveBy(30), 24);
    EXPECT_TRUE(query_->AtEnd());
}

TEST_F(NumbersTest, BookmarksReturnToTheirRowsInFetchOrder) {
    Open("select N from NUMBERS order by N desc");
    query_->MoveBy(2);
    const std::string third = query_->Bookmark();
    ASSERT_EQ(third, std::string("\x02\x00\x00\x00", 4));
    query_->Next();
    const std::string fourth = query_->Bookmark();
    query_->Last();
    query_->SetBookmark(third);
    EXPECT_EQ(N(), 23);
    EXPECT_EQ(TIBCustomDataSet::BookmarkOrder(third, fourth), -1);
    EXPECT_EQ(TIBCustomDataSet::BookmarkOrder(fourth, third), 1);
    EXPECT_EQ(TIBCustomDataSet::BookmarkOrder("", third), 1);
    EXPECT_EQ(TIBCustomDataSet::BookmarkOrder("", ""), 0);
    query_->SetBookmark("");
    EXPECT_EQ(N(), 23);
    EXPECT_EQ(ErrorOf([&] { query_->SetBookmark("zzzz"); }), "qryTemp: Record not found");
    EXPECT_EQ(N(), 23);
}

TEST_F(NumbersTest, UniDirectionalKeepsOnlyTheLastRows) {
    query_->SetUniDirectional(true);
    Open("select N from NUMBERS order by N");
    for (int i = 0; i < 5; ++i)
        query_->Next();
    EXPECT_EQ(N(), 6);
    EXPECT_EQ(query_->CacheBytes(), 2u * static_cast<std::size_t>(query_->RecordSize()));
    const std::string message = "qryTemp: Operation not allowed on a unidirectional dataset";
    EXPECT_EQ(ErrorOf([&] { query_->First(); }), message);
    EXPECT_EQ(ErrorOf([&] { query_->Last(); }), message);
    EXPECT_EQ(ErrorOf([&] { query_->SetRecordNumber(2); }), message);
    EXPECT_EQ(N(), 6);
}

// The rows after a failed fetch are never taken for the end: whatever would reach past the rows
// cached raises the failure again.
TEST_F(NumbersTest, FetchFailureKeepsTheCachedRowsReadable) {
    Open("select N, 10 / (N - 3) as Q from NUMBERS order by N");
    query_->Next();
    const std::string failure = ErrorOf<EIBInterBaseError>([&] { query_->Next(); });
    EXPECT_NE(failure.find("divide by zero"), std::string::npos) << failure;
    EXPECT_EQ(N(), 2);
    query_->Prior();
    EXPECT_EQ(N(), 1);
    EXPECT_EQ(query_->Field("Q").AsInteger(), -5);
    query_->Next();
    EXPECT_EQ(ErrorOf<EIBInterBaseError>([&] { query_->Next(); }), failure);
    EXPECT_EQ(ErrorOf<EIBInterBaseError>([&] { query_->Last(); }), failure);
    EXPECT_EQ(ErrorOf<EIBInterBaseError>([&] { query_->SetRecordNumber(25); }), failure);
    EXPECT_FALSE(query_->AtEnd());
    EXPECT_EQ(N(), 2);
    EXPECT_EQ(query_->RecordCount(), 2);
    query_->Close();
    Open("select N from NUMBERS");
    EXPECT_EQ(query_->MoveBy(30), 24);
}

namespace {
// A view that records what it is told, showing `rows` records at once.
class RecordingView : public TDataLink {
public:
    explicit RecordingView(int rows) { SetBufferCount(rows); }
    void ActiveChanged() override { log.push_back(Active() ? "open" : "closed"); }
    void DataSetScrolled(int distance) override {
        log.push_back("scroll " + std::to_string(distance));
    }
    void RecordChanged(TField* field) override { log.push_back("field " + field->FieldName()); }
    void EditingChanged() override { log.push_back("state"); }
    void UpdateData() override {
        log.push_back("update");
        if (pending) DataSet()->Field("V20").SetAsString(*pending);
        pending.reset();
    }
    std::vector<std::string> log;
    std::optional<std::string> pending;
};

// Reaches the edit state the way the editable dataset will.
class EditableQuery : public TIBQuery {
public:
    void BeginEdit() { SetState(dsEdit); }
};

class EditTest : public QueryTest {
protected:
    EditTest() {
        query_ = std::make_unique<EditableQuery>();
        query_->SetName("qryTemp");
        query_->SetDatabase(database_.get());
        query_->SetTransaction(transaction_.get());
    }
    void BeginEdit() { static_cast<EditableQuery&>(*query_).BeginEdit(); }
};
} // namespace

TEST_F(NumbersTest, ViewsReadThroughTheWindowOfRecords) {
    TDataSource source;
    source.SetDataSet(query_.get());
    RecordingView view(3);
    view.SetDataSource(&source);
    Open("select N from NUMBERS order by N");
    EXPECT_EQ(query_->WindowRecordCount(), 3);
    EXPECT_EQ(query_->RecordCount(), 3);
    query_->Next();
    EXPECT_EQ(view.ActiveRecord(), 1);
    const int previous = query_->SetActiveRecordIndex(2);
    EXPECT_EQ(N(), 3);
    EXPECT_EQ(query_->RecordNumber(), 3);
    query_->SetActiveRecordIndex(previous);
    EXPECT_EQ(N(), 2);
    query_->Last();
    EXPECT_EQ(view.ActiveRecord(), 2);
    query_->Close();
    EXPECT_EQ(view.log, (Log{"state", "open", "scroll 1", "scroll 23", "state", "closed"}));
}

TEST_F(EditTest, WritesNeedTheEditState) {
    Open("select * from TYPES order by ID");
    EXPECT_EQ(ErrorOf([&] { query_->Field("V20").SetAsString("x"); }), "Not in edit mode");
    EXPECT_EQ(ErrorOf([&] { query_->Field("V20").Clear(); }), "Not in edit mode");
    EXPECT_EQ(query_->Field("V20").AsString(), "Season");
    BeginEdit();
    EXPECT_EQ(ErrorOf([&] { query_->Field("ID").SetAsString("12x"); }),
              "'12x' is not a valid integer value for field 'ID'");
    EXPECT_EQ(ErrorOf([&] { query_->Field("TWICE").SetAsInteger(5); }),
              "Field 'TWICE' cannot be modified");
    EXPECT_EQ(ErrorOf([&] { query_->Field("DT").SetAsInteger(5); }),
              "Cannot access field 'DT' as type Integer");
    EXPECT_EQ(ErrorOf([&] { query_->Field("ID").SetAsDateTime(5); }),
              "Cannot access field 'ID' as type DateTime");
    EXPECT_EQ(ErrorOf([&] { query_->Field("N2").SetAsString("1,5"); }),
              "'1,5' is not a valid floating point value for field 'N2'");
    EXPECT_EQ(ErrorOf([&] { query_->Field("TM").SetAsString("25:99"); }),
              "'25:99' is not a valid time");
    EXPECT_EQ(query_->Field("ID").AsInteger(), 1);
    EXPECT_FALSE(query_->Modified());
}

TEST_F(EditTest, WritesStoreNativeValuesInTheCache) {
    TDataSource source;
    source.SetDataSet(query_.get());
    RecordingView view(1);
    view.SetDataSource(&source);
    Open("select * from TYPES order by ID");
    BeginEdit();
    const TDateTime moment = EncodeDate(2011, 2, 3) + EncodeTime(4, 5, 6, 789);
    query_->Field("V20").SetAsString("a text longer than twenty");
    query_->Field("C8").SetAsString("");
    query_->Field("DT").SetAsDateTime(moment);
    query_->Field("TM").SetAsDateTime(moment);
    query_->Field("TS").SetAsString("03.02.2011 04:05:06");
    query_->Field("N2").SetAsString("-7.125");
    query_->Field("S").SetAsString("");
    query_->Field("B").SetAsFloat(2.5);
    EXPECT_TRUE(query_->Modified());

    query_->SetRecordNumber(2);
    query_->SetRecordNumber(1);
    EXPECT_EQ(query_->Field("V20").AsString(), "a text longer than t");
    EXPECT_TRUE(query_->Field("C8").IsNull());
    EXPECT_EQ(query_->Field("DT").AsDateTime(), EncodeDate(2011, 2, 3));
    EXPECT_DOUBLE_EQ(query_->Field("TM").AsDateTime(), EncodeTime(4, 5, 6, 789));
    EXPECT_DOUBLE_EQ(query_->Field("TS").AsDateTime(),
                     EncodeDate(2011, 2, 3) + EncodeTime(4, 5, 6, 0));
    EXPECT_EQ(query_->Field("N2").AsString(), "-7.13");
    EXPECT_TRUE(query_->Field("S").IsNull());
    EXPECT_EQ(query_->Field("B").AsInteger(), 2);
    const Log expected = {"state",    "open",     "state",    "field V20", "field C8", "field DT",
                          "field TM", "field TS", "field N2", "field S",   "field B",  "update"};
    EXPECT_EQ(Log(view.log.begin(), view.log.begin() + 12), expected);
}

TEST_F(EditTest, BrowseCheckWritesPendingTextFirst) {
    TDataSource source;
    source.SetDataSet(query_.get());
    RecordingView view(1);
    view.SetDataSource(&source);
    Open("select * from TYPES order by ID");
    BeginEdit();
    view.pending = "typed";
    query_->Next();
    EXPECT_EQ(query_->State(), dsBrowse);
    query_->Prior();
    EXPECT_EQ(query_->Field("V20").AsString(), "typed");
}

// A record that grows moves within the cache; one that shrinks stays in place. Either way rows
// keep their numbers, bookmarks and the values not written.
TEST_F(EditTest, EditedRecordsKeepTheirRowsWhetherTheyGrowOrShrink) {
    Open("select * from TYPES order by ID");
    const std::string first = query_->Bookmark();
    BeginEdit();
    query_->Field("V20").SetAsString("grown to twenty long");
    query_->Next();
    BeginEdit();
    query_->Field("V20").SetAsString("4");
    query_->Field("N2").Clear();
    query_->Next();
    EXPECT_EQ(query_->Field("V20").AsString(), "42a");
    query_->SetBookmark(first);
    EXPECT_EQ(query_->RecordNumber(), 1);
    EXPECT_EQ(query_->Field("V20").AsString(), "grown to twenty long");
    EXPECT_EQ(query_->Field("C8").AsString(), "Season  ");
    EXPECT_EQ(query_->Field("B").AsString(), "5000000000");
    EXPECT_EQ(query_->Field("MEMO").AsString(), "long text");
    query_->Next();
    EXPECT_EQ(query_->Field("V20").AsString(), "4");
    EXPECT_TRUE(query_->Field("N2").IsNull());
    EXPECT_EQ(query_->Field("D").AsFloat(), 3.5);
    EXPECT_EQ(query_->RecordCount(), 3);
}
