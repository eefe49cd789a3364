#include "DataSetFixture.h"

const char* const kCatalogue = R"(
INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME, SSERIES_NAME, FDURATION, SLANGUAGE)
  VALUES (1, 'Morning news', 'News', '00:30:00', 'bg');
INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME, FDURATION) VALUES (2, 'Weather', '00:05:00');
INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME) VALUES (3, 'Cartoons');
INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME, SFILE_NAME) VALUES (5, 'Film', 'film.avi');
INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME) VALUES (8, 'Late show');
SET TERM ^ ;
CREATE TRIGGER PROGRAM_LANGUAGE FOR PROGRAM_DESCRIPTION BEFORE INSERT OR UPDATE AS
BEGIN
  NEW.SLANGUAGE = UPPER(NEW.SLANGUAGE);
END^
SET TERM ; ^
CREATE DOMAIN ZERO AS INTEGER DEFAULT 0;
CREATE DOMAIN LETTER AS VARCHAR(10) DEFAULT 'x';
CREATE TABLE DEFAULTS (ID ZERO NOT NULL PRIMARY KEY, V LETTER);
SET TERM ^ ;
CREATE TRIGGER DEFAULTS_V FOR DEFAULTS BEFORE INSERT OR UPDATE AS
BEGIN
  NEW.V = NEW.V || '!';
END^
SET TERM ; ^
INSERT INTO DEFAULTS (ID, V) VALUES (1, 'one');
)";

std::vector<std::string> CatalogueSelect() {
    return {"Select * from PROGRAM_DESCRIPTION", "order by nid"};
}

std::vector<std::string> CatalogueInsert() {
    return {"insert into PROGRAM_DESCRIPTION",
            "  (NID, SNAME, SFILE_NAME, SDESCRIPTION, SSERIES_NAME, FDURATION, ",
            "BIMAGE, ",
            "   SLANGUAGE, SNOTE)",
            "values",
            "  (:NID, :SNAME, :SFILE_NAME, :SDESCRIPTION, :SSERIES_NAME, :FDURATION, ",
            "   :BIMAGE, :SLANGUAGE, :SNOTE)"};
}

std::vector<std::string> CatalogueModify() {
    return {"update PROGRAM_DESCRIPTION",
            "set",
            "  NID = :NID,",
            "  SNAME = :SNAME,",
            "  SFILE_NAME = :SFILE_NAME,",
            "  SDESCRIPTION = :SDESCRIPTION,",
            "  SSERIES_NAME = :SSERIES_NAME,",
            "  FDURATION = :FDURATION,",
            "  BIMAGE = :BIMAGE,",
            "  SLANGUAGE = :SLANGUAGE,",
            "  SNOTE = :SNOTE",
            "where",
            "  NID = :OLD_NID"};
}

std::vector<std::string> CatalogueDelete() {
    return {"delete from PROGRAM_DESCRIPTION", "where", "  NID = :OLD_NID"};
}

std::vector<std::string> CatalogueRefresh() {
    return {"Select ",
            "  NID,",
            "  SNAME,",
            "  SFILE_NAME,",
            "  SDESCRIPTION,",
            "  SSERIES_NAME,",
            "  FDURATION,",
            "  BIMAGE,",
            "  SLANGUAGE,",
            "  SNOTE",
            "from PROGRAM_DESCRIPTION ",
            "where",
            "  NID = :NID"};
}

ProgramsTest::ProgramsTest(const std::string& extraSql)
    : file_(extraSql), database_(MakeDatabase(file_.Path())),
      transaction_(std::make_unique<TIBTransaction>()), dataSet_(std::make_unique<TIBDataSet>()),
      check_(std::make_unique<TIBQuery>()), savedSettings_(DefaultFormatSettings()) {
    FormatSettings& settings = DefaultFormatSettings();
    settings.TimeSeparator = ':';
    settings.LongTimeFormat = "hh:nn:ss";
    transaction_->SetDefaultDatabase(database_.get());
    database_->SetConnected(true);
    dataSet_->SetName("dstPrograms");
    dataSet_->SetDatabase(database_.get());
    dataSet_->SetTransaction(transaction_.get());
    dataSet_->SetSelectSQL(CatalogueSelect());
    dataSet_->SetInsertSQL(CatalogueInsert());
    dataSet_->SetModifySQL(CatalogueModify());
    dataSet_->SetDeleteSQL(CatalogueDelete());
    dataSet_->SetRefreshSQL(CatalogueRefresh());
    check_->SetName("qryCheck");
    check_->SetDatabase(database_.get());
    check_->SetTransaction(transaction_.get());
}

ProgramsTest::~ProgramsTest() {
    DefaultFormatSettings() = savedSettings_;
}

std::vector<int> ProgramsTest::AllNids() {
    std::vector<int> nids;
    for (dataSet_->First(); !dataSet_->AtEnd(); dataSet_->Next())
        nids.push_back(Nid());
    return nids;
}

std::string ProgramsTest::Check(const std::string& select) {
    check_->SetSQL({select});
    check_->Open();
    std::string value = check_->Fields(0).AsString();
    check_->Close();
    return value;
}

void ProgramsTest::LogEvents() {
    auto record = [this](const char* name) {
        return [this, name](TIBCustomDataSet&) { log_.push_back(name); };
    };
    TIBDataSet& d = *dataSet_;
    d.BeforeEdit = record("BeforeEdit");
    d.AfterEdit = record("AfterEdit");
    d.BeforeInsert = record("BeforeInsert");
    d.AfterInsert = record("AfterInsert");
    d.OnNewRecord = record("OnNewRecord");
    d.BeforePost = record("BeforePost");
    d.AfterPost = record("AfterPost");
    d.BeforeCancel = record("BeforeCancel");
    d.AfterCancel = record("AfterCancel");
    d.BeforeDelete = record("BeforeDelete");
    d.AfterDelete = record("AfterDelete");
    d.BeforeScroll = record("BeforeScroll");
    d.AfterScroll = record("AfterScroll");
    d.BeforeRefresh = record("BeforeRefresh");
    d.AfterRefresh = record("AfterRefresh");
}

void EditView::UpdateData() {
    log.push_back("update");
    if (!pending.empty()) DataSet()->Field("SNAME").SetAsString(pending);
    pending.clear();
}

std::string EditView::Window() const {
    TIBCustomDataSet& dataSet = *DataSet();
    std::string text;
    const int active = dataSet.ActiveRecordIndex();
    for (int i = 0; i < dataSet.WindowRecordCount(); ++i) {
        dataSet.SetActiveRecordIndex(i);
        const std::string number = std::to_string(dataSet.RecordNumber());
        text += (text.empty() ? "" : " ") + (i == active ? "[" + number + "]" : number);
    }
    dataSet.SetActiveRecordIndex(active);
    return text;
}
