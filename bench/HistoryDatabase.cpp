#include "HistoryDatabase.h"

#include "db/Fields.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"

#include <QCoreApplication>
#include <filesystem>
#include <stdexcept>
#include <stdlib.h>

namespace fs = std::filesystem;

namespace {

// The first column of the statement's one row, the query's transaction ended after.
template <typename Read> auto FirstValue(TIBQuery& query, const std::string& sql, Read read) {
    if (query.Transaction()->Active()) query.Transaction()->Commit();
    query.SetSQL({sql});
    query.Open();
    const auto value = read(query.Fields(0));
    query.Close();
    query.Transaction()->Commit();
    return value;
}

} // namespace

MainWindowOn::MainWindowOn(const std::string& file)
    : data(std::make_unique<TmodData>(
          TDatabasePlace{.iniFiles = {}, .defaultDatabase = {}, .server = file, .schemaFile = {}},
          [this](TmodData& module) { window.BindDataModule(module); })) {
    if (!data->IBDatabase->Connected()) throw std::runtime_error("cannot attach " + file);
    window.show();
    QCoreApplication::processEvents();
}

HistoryDatabase::HistoryDatabase(std::string name, std::string original)
    : name_(std::move(name)), original_(std::move(original)) {}

HistoryDatabase::~HistoryDatabase() {
    Release();
}

const std::string& HistoryDatabase::Folder() {
    if (folder_.empty()) MakeCopy();
    return folder_;
}

MainWindowOn& HistoryDatabase::Main() {
    if (main_) return *main_;
    Folder();
    main_ = std::make_unique<MainWindowOn>(copy_);
    if (!latestDate_) ReadFacts();
    main_->window.SetScheduleDate(*latestDate_);
    main_->window.OpenStoredDay();
    return *main_;
}

const std::string& HistoryDatabase::DetachedCopy() {
    main_.reset();
    Folder();
    return copy_;
}

void HistoryDatabase::Release() {
    main_.reset();
    if (folder_.empty()) return;
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
    folder_.clear();
    copy_.clear();
}

TDateTime HistoryDatabase::LatestDate() {
    if (!latestDate_) Main();
    return *latestDate_;
}

int HistoryDatabase::NewProgrammeId() {
    if (!latestDate_) Main();
    return ++lastProgrammeId_;
}

void HistoryDatabase::MakeCopy() {
    std::string folder = (fs::temp_directory_path() / "skedora-history-XXXXXX").string();
    if (!mkdtemp(folder.data())) throw std::runtime_error("cannot create a temporary folder");
    folder_ = folder;
    copy_ = folder_ + "/history.fdb";
    fs::copy_file(original_, copy_);
}

void HistoryDatabase::ReadFacts() {
    TIBQuery& query = *main_->data->qryTemp;
    const TDateTime latest = FirstValue(query, "select max(dstart_date) from program_timeline",
                                        [](const TField& field) { return field.AsDateTime(); });
    if (latest == 0) throw std::runtime_error(original_ + " holds no stored broadcasts");
    latestDate_ = latest;
    lastProgrammeId_ = FirstValue(query, "select max(nid) from program_description",
                                  [](const TField& field) { return field.AsInteger(); });
}
