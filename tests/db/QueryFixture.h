#pragma once

#include "DbTestSupport.h"
#include "db/IBQuery.h"
#include "platform/FormatSettings.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

// Columns of every type the reading side converts, with three known rows.
extern const char* const kTypesTable;

// A connected database, a transaction and a query named qryTemp on them. Date and time texts
// use fixed formats: dd.mm.yyyy and hh:nn:ss.
class QueryTest : public testing::Test {
protected:
    explicit QueryTest(const std::string& extraSql = kTypesTable);
    ~QueryTest() override;

    void Open(const std::string& sql);
    // The value isql sees once this process has let go of the file.
    std::string Stored(const std::string& query);

    TempDatabase file_;
    std::unique_ptr<TIBDatabase> database_;
    std::unique_ptr<TIBTransaction> transaction_;
    std::unique_ptr<TIBQuery> query_;

private:
    FormatSettings savedSettings_;
};
