#include "QueryFixture.h"

const char* const kTypesTable = R"(
CREATE DOMAIN SEVEN AS INTEGER DEFAULT 7;
CREATE TABLE TYPES (
    ID INTEGER NOT NULL PRIMARY KEY,
    C8 CHAR(8),
    V20 VARCHAR(20),
    S SMALLINT,
    B BIGINT,
    N2 NUMERIC(9,2),
    N6 NUMERIC(18,6),
    D DOUBLE PRECISION,
    DT DATE,
    TM TIME,
    TS TIMESTAMP,
    MEMO BLOB SUB_TYPE 1,
    TWICE COMPUTED BY (ID * 2),
    DEF SEVEN NOT NULL
);
INSERT INTO TYPES (ID, C8, V20, S, B, N2, N6, D, DT, TM, TS, MEMO)
  VALUES (1, 'Season', 'Season', -5, 5000000000, 12.50, 1.234567, 2.5,
          '2010-06-17', '00:30:00', '2010-06-17 00:00:00', 'long text');
INSERT INTO TYPES (ID, V20, N2, D, TS) VALUES (2, '42', -0.05, 3.5, '2010-06-17 10:30:15');
INSERT INTO TYPES (ID, V20) VALUES (3, '42a');
)";

QueryTest::QueryTest(const std::string& extraSql)
    : file_(extraSql), database_(MakeDatabase(file_.Path())),
      transaction_(std::make_unique<TIBTransaction>()), query_(std::make_unique<TIBQuery>()),
      savedSettings_(DefaultFormatSettings()) {
    FormatSettings& settings = DefaultFormatSettings();
    settings.DateSeparator = '.';
    settings.TimeSeparator = ':';
    settings.DecimalSeparator = '.';
    settings.ShortDateFormat = "dd/mm/yyyy";
    settings.LongTimeFormat = "hh:nn:ss";
    transaction_->SetDefaultDatabase(database_.get());
    database_->SetConnected(true);
    query_->SetName("qryTemp");
    query_->SetDatabase(database_.get());
    query_->SetTransaction(transaction_.get());
}

QueryTest::~QueryTest() {
    DefaultFormatSettings() = savedSettings_;
}

void QueryTest::Open(const std::string& sql) {
    query_->SetSQL({sql});
    query_->Open();
}

std::string QueryTest::Stored(const std::string& query) {
    query_.reset();
    transaction_.reset();
    database_.reset();
    return IsqlValue(file_, query);
}
