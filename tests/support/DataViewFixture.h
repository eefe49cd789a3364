#pragma once

#include "db/DataSource.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/FormatSettings.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDatabase.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

// A query whose edits stay in its record cache: it gives views the edit state, field writes and
// the browse check of a result set that can modify, without update statements. Deletes and
// refreshes are only counted.
class CacheEditQuery : public TIBQuery {
public:
    bool Modifiable() const override { return true; }
    void Edit() override;
    void Insert() override { Edit(); }
    void Append() override { Edit(); }
    // Views write their pending text, then the state returns to browse keeping the writes.
    void Post() override;
    void Cancel() override;
    void Delete() override { ++deletes; }
    void RefreshRow() override { ++refreshes; }

    int deletes = 0;
    int refreshes = 0;
};

// For the views bound to result sets: a catalogue database with three programmes (NID 1
// "Новини" with a two-line note, 2 "weather", 3 "Sport"), connected as the application
// connects, a query named qryPrograms and the data source dsPrograms on it. Times read as
// hh:nn:ss.
class DataViewTest : public testing::Test {
protected:
    DataViewTest();
    ~DataViewTest() override;

    // The rows ordered by NID, optionally filtered; a query that refuses edits.
    TIBQuery& OpenReadOnly(const std::string& where = {});
    CacheEditQuery& OpenEditable();

    TempDatabase file_;
    std::unique_ptr<TIBDatabase> database_;
    std::unique_ptr<TIBTransaction> transaction_;
    std::unique_ptr<TIBQuery> query_;
    TDataSource source_;
    ScriptedDialogs dialogs_;

private:
    void Open(std::unique_ptr<TIBQuery> query, const std::string& where);

    FormatSettings savedSettings_;
};
