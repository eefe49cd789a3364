#pragma once

#include "DbTestSupport.h"
#include "db/DataSource.h"
#include "db/IBDataSet.h"
#include "db/IBQuery.h"
#include "platform/FormatSettings.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// Five programmes (NID 1, 2, 3, 5, 8); a trigger writes languages in capitals, so a row read
// back after a post shows the server's change. DEFAULTS has a default for every column.
extern const char* const kCatalogue;

// The catalogue's editable dataset dstPrograms with its five statement texts, on a connected
// database and its own transaction; qryCheck reads in the same transaction.
class ProgramsTest : public testing::Test {
protected:
    explicit ProgramsTest(const std::string& extraSql = kCatalogue);
    ~ProgramsTest() override;

    void Open() { dataSet_->Open(); }
    int Nid() const { return dataSet_->Field("NID").AsInteger(); }
    std::string Name() const { return dataSet_->Field("SNAME").AsString(); }
    // The NIDs met by walking the whole result from the first row.
    std::vector<int> AllNids();
    // A one-value select run in the dataset's transaction.
    std::string Check(const std::string& select);
    // Records the dataset's events in order.
    void LogEvents();

    TempDatabase file_;
    std::unique_ptr<TIBDatabase> database_;
    std::unique_ptr<TIBTransaction> transaction_;
    std::unique_ptr<TIBDataSet> dataSet_;
    std::unique_ptr<TIBQuery> check_;
    std::vector<std::string> log_;

private:
    FormatSettings savedSettings_;
};

// A view that records what it is told and shows `rows` records at once.
class EditView : public TDataLink {
public:
    explicit EditView(int rows) { SetBufferCount(rows); }
    void DataSetChanged() override { log.push_back("changed"); }
    void EditingChanged() override { log.push_back("state"); }
    void UpdateData() override;
    // The record numbers of the window, the active one in brackets.
    std::string Window() const;

    std::vector<std::string> log;
    // Text typed but not yet written into the field SNAME.
    std::string pending;
};

// The catalogue's statement texts, line by line.
std::vector<std::string> CatalogueSelect();
std::vector<std::string> CatalogueInsert();
std::vector<std::string> CatalogueModify();
std::vector<std::string> CatalogueDelete();
std::vector<std::string> CatalogueRefresh();
