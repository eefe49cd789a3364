#include "support/DataViewFixture.h"

void CacheEditQuery::Edit() {
    if (State() == dsEdit || State() == dsInsert) return;
    CheckBrowseMode();
    SetState(dsEdit);
}

void CacheEditQuery::Post() {
    if (State() != dsEdit && State() != dsInsert) TIBQuery::Post();
    CheckBrowseMode();
}

void CacheEditQuery::Cancel() {
    if (State() == dsEdit || State() == dsInsert) SetState(dsBrowse);
}

namespace {
const char* const kThreeProgrammes = R"(
INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME, SSERIES_NAME, FDURATION, SNOTE)
  VALUES (1, 'Новини', 'Вечер', '00:30:00',
          'Първи ред' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'втори ред');
INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME, SSERIES_NAME, FDURATION)
  VALUES (2, 'weather', 'Morning', '00:05:00');
INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME, SSERIES_NAME, FDURATION)
  VALUES (3, 'Sport', 'Evening', '01:15:30');
)";
} // namespace

DataViewTest::DataViewTest()
    : file_(kThreeProgrammes), database_(std::make_unique<TIBDatabase>()),
      transaction_(std::make_unique<TIBTransaction>()), savedSettings_(DefaultFormatSettings()) {
    DefaultFormatSettings().TimeSeparator = ':';
    DefaultFormatSettings().LongTimeFormat = "hh:nn:ss";
    database_->SetParams({"user_name=SYSDBA", "lc_ctype=WIN1251", "password=quarnelby"});
    database_->SetLoginPrompt(false);
    database_->SetSQLDialect(3);
    database_->SetDatabaseName(file_.Path());
    database_->SetConnected(true);
    transaction_->SetDefaultDatabase(database_.get());
}

DataViewTest::~DataViewTest() {
    source_.SetDataSet(nullptr);
    DefaultFormatSettings() = savedSettings_;
}

TIBQuery& DataViewTest::OpenReadOnly(const std::string& where) {
    Open(std::make_unique<TIBQuery>(), where);
    return *query_;
}

CacheEditQuery& DataViewTest::OpenEditable() {
    Open(std::make_unique<CacheEditQuery>(), {});
    return static_cast<CacheEditQuery&>(*query_);
}

void DataViewTest::Open(std::unique_ptr<TIBQuery> query, const std::string& where) {
    source_.SetDataSet(nullptr);
    query_ = std::move(query);
    query_->SetName("qryPrograms");
    query_->SetDatabase(database_.get());
    query_->SetTransaction(transaction_.get());
    query_->SetSQL({"select * from PROGRAM_DESCRIPTION " + where, "order by nid"});
    source_.SetDataSet(query_.get());
    query_->Open();
}
