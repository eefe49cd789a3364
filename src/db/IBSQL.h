#pragma once

#include "db/IBBase.h"
#include "db/IBXSQLDA.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class StatementHandle;

// Server statement types reported by the statement information call.
enum TIBSQLTypes {
    SQLUnknown = 0,
    SQLSelect = 1,
    SQLInsert = 2,
    SQLUpdate = 3,
    SQLDelete = 4,
    SQLDDL = 5,
    SQLGetSegment = 6,
    SQLPutSegment = 7,
    SQLExecProcedure = 8,
    SQLStartTransaction = 9,
    SQLCommit = 10,
    SQLRollback = 11,
    SQLSelectForUpdate = 12,
    SQLSetGenerator = 13,
};

// One server statement: text with named parameters, preparation, execution and a cursor.
class TIBSQL {
public:
    // Binds the client library on first use; the cursor name is fixed here.
    TIBSQL();
    // Closes and releases the statement, ignoring failures.
    ~TIBSQL();
    TIBSQL(const TIBSQL&) = delete;
    TIBSQL& operator=(const TIBSQL&) = delete;

    TIBBase& Base() { return base_; }
    const TIBBase& Base() const { return base_; }
    TIBDatabase* Database() const { return base_.Database(); }
    void SetDatabase(TIBDatabase* database) { base_.SetDatabase(database); }
    TIBTransaction* Transaction() const { return base_.Transaction(); }
    void SetTransaction(TIBTransaction* transaction) { base_.SetTransaction(transaction); }

    const std::vector<std::string>& SQL() const { return sql_; }
    // Releases a prepared statement and tells OnSQLChanging first.
    void SetSQL(std::vector<std::string> lines);
    const std::string& ProcessedSQL() const { return processedSQL_; }
    bool ParamCheck() const { return paramCheck_; }
    void SetParamCheck(bool value) { paramCheck_ = value; }
    // Whether executing a select fetches its first row at once.
    bool GoToFirstRecordOnExecute() const { return goToFirst_; }
    void SetGoToFirstRecordOnExecute(bool value) { goToFirst_ = value; }
    const std::string& CursorName() const { return cursorName_; }

    void Prepare();
    void Execute();
    // The columns holding the next row; null past the last one.
    TIBXSQLDA* Fetch();
    void CloseRows();
    void Release();

    bool Prepared() const { return prepared_; }
    bool Open() const { return open_; }
    bool Eof() const { return eof_; }
    int RecordCount() const { return recordCount_; }
    int SQLType() const { return sqlType_; }

    TIBXSQLDA& Params() { return params_; }
    TIBXSQLDA& Current() { return columns_; }
    // Client error XsqldaIndexOutOfRange when out of range.
    TIBXSQLVAR& Param(int index) { return params_.Var(index); }
    // The first slot of the name; client error FieldNotFound when none.
    TIBXSQLVAR& ParamByName(const std::string& name);
    // Client error FieldNotFound with the position when out of range.
    TIBXSQLVAR& Field(int index);
    // -1 when no column has the name.
    int FieldIndex(const std::string& name) const;

    // Told before a text change releases the statement; an owning result set closes itself.
    std::function<void()> OnSQLChanging;

private:
    void CheckReadyToPrepare() const;
    void PrepareOnServer();
    void ReadStatementType();
    void DescribeParams();
    void DescribeColumns();
    void ExecuteSelect();
    void ExecuteProcedure();
    std::intptr_t Call(std::intptr_t result, bool raise) const;
    void CheckFree(std::intptr_t result, bool closing) const;

    TIBBase base_;
    std::vector<std::string> sql_;
    std::string processedSQL_;
    std::vector<std::string> paramNames_;
    bool paramCheck_ = true;
    bool goToFirst_ = true;
    std::string cursorName_;
    TIBXSQLDA params_;
    TIBXSQLDA columns_;
    std::unique_ptr<StatementHandle> handle_;
    int sqlType_ = SQLUnknown;
    bool prepared_ = false;
    bool open_ = false;
    bool eof_ = false;
    int recordCount_ = 0;
};
