#include "db/IBSQL.h"

#include "db/ClientApi.h"
#include "db/ClientHandles.h"
#include "db/IBDatabase.h"
#include "db/IBErrors.h"
#include "db/IBTransaction.h"
#include "db/SQLParser.h"
#include "platform/Conversions.h"

#include <algorithm>
#include <random>

namespace {
constexpr char kStatementTypeItem = isc_info_sql_stmt_type;
constexpr ISC_STATUS kFetchEndCode = 100;
constexpr ISC_STATUS kCursorUnknownCode = 335544485;    // invalid statement handle
constexpr ISC_STATUS kCursorNotOpenCode = 335544577;    // attempt to reclose a closed cursor
constexpr ISC_STATUS kProcedureFailureCode = 335544345; // lock conflict: never retried
constexpr ISC_STATUS kPastLastRowCode = 335544572;      // cursor is not positioned

XSQLDA* Sqlda(TIBXSQLDA& area) {
    return static_cast<XSQLDA*>(area.Area());
}

std::string RandomCursorName() {
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<int> digit(0, 9);
    std::string name;
    for (int i = 0; i < 8; ++i)
        name += static_cast<char>('0' + digit(generator));
    return name;
}

// Whether a failed free of a statement is worth raising.
bool FreeFailed(ISC_STATUS result, bool closing) {
    const ISC_STATUS* status = StatusVector();
    if (result == 0 || status[0] != 1) return false;
    return status[1] != kCursorUnknownCode && (!closing || status[1] != kCursorNotOpenCode);
}
} // namespace

// A statement handle; dropped if still held at the end.
class StatementHandle {
public:
    StatementHandle() = default;
    ~StatementHandle() {
        if (!handle_) return;
        ISC_STATUS_ARRAY status;
        LoadClientLibrary().isc_dsql_free_statement(status, &handle_, DSQL_drop);
    }
    StatementHandle(const StatementHandle&) = delete;
    StatementHandle& operator=(const StatementHandle&) = delete;
    FB_API_HANDLE* Ptr() { return &handle_; }
    bool Held() const { return handle_ != 0; }
    void Forget() { handle_ = 0; }

private:
    FB_API_HANDLE handle_ = 0;
};

TIBSQL::TIBSQL()
    : cursorName_(RandomCursorName()), params_(*this, false), columns_(*this, true),
      handle_(std::make_unique<StatementHandle>()) {
    LoadClientLibrary();
    base_.BeforeTransactionEnd = [this] { CloseRows(); };
    base_.BeforeDatabaseDisconnect = [this] { Release(); };
}

TIBSQL::~TIBSQL() {
    try {
        CloseRows();
        Release();
    } catch (...) {
    }
}

void TIBSQL::SetSQL(std::vector<std::string> lines) {
    if (OnSQLChanging) OnSQLChanging();
    if (prepared_ || handle_->Held()) Release();
    sql_ = std::move(lines);
}

std::intptr_t TIBSQL::Call(std::intptr_t result, bool raise) const {
    if (Transaction()) return Transaction()->Call(result, raise);
    return Database()->Call(result, raise);
}

// ---- Prepare ----

void TIBSQL::CheckReadyToPrepare() const {
    if (open_) RaiseClientError(ClientError::SqlOpen);
    base_.CheckDatabase();
    base_.CheckTransaction();
    if (!Database()->Connected()) RaiseClientError(ClientError::DatabaseClosed);
    if (!Transaction()->Active()) RaiseClientError(ClientError::NotInTransaction);
}

void TIBSQL::Prepare() {
    CheckReadyToPrepare();
    if (prepared_) return;
    const std::string text = JoinLines(sql_);
    if (text.empty()) RaiseClientError(ClientError::EmptyQuery);
    PreprocessedSQL processed = paramCheck_ ? PreprocessSQL(text) : PreprocessedSQL{text, {}};
    if (processed.text.empty()) RaiseClientError(ClientError::EmptyQuery);
    processedSQL_ = std::move(processed.text);
    paramNames_ = std::move(processed.names);
    try {
        PrepareOnServer();
    } catch (...) {
        Release();
        throw;
    }
    prepared_ = true;
}

void TIBSQL::PrepareOnServer() {
    const ClientLibrary& api = LoadClientLibrary();
    Database()->Call(
        api.isc_dsql_alloc_statement2(StatusVector(), base_.DBHandle().Ptr(), handle_->Ptr()),
        true);
    Call(api.isc_dsql_prepare(StatusVector(), base_.TRHandle().Ptr(), handle_->Ptr(), 0,
                              processedSQL_.c_str(),
                              static_cast<unsigned short>(base_.SQLDialect()), nullptr),
         true);
    ReadStatementType();
    if (sqlType_ == SQLGetSegment || sqlType_ == SQLPutSegment || sqlType_ == SQLStartTransaction) {
        Release();
        RaiseClientError(ClientError::NotPermitted);
    }
    DescribeParams();
    if (sqlType_ == SQLSelect || sqlType_ == SQLExecProcedure || sqlType_ == SQLSelectForUpdate)
        DescribeColumns();
}

void TIBSQL::ReadStatementType() {
    const ClientLibrary& api = LoadClientLibrary();
    char item = kStatementTypeItem;
    char result[8] = {};
    Call(api.isc_dsql_sql_info(StatusVector(), handle_->Ptr(), 1, &item, sizeof result, result),
         true);
    if (result[0] != kStatementTypeItem) RaiseClientError(ClientError::Unknown);
    const auto length = static_cast<short>(api.isc_vax_integer(result + 1, 2));
    sqlType_ = static_cast<int>(api.isc_vax_integer(result + 3, length));
}

// Describes into the area, growing it when the server reports more slots than it holds.
template <class Describe> static void DescribeInto(TIBXSQLDA& area, int count, Describe describe) {
    area.SetCount(std::max(count, 1));
    describe(Sqlda(area));
    const int described = Sqlda(area)->sqld;
    if (described > area.Count()) {
        area.SetCount(described);
        describe(Sqlda(area));
    }
    area.SetCount(described);
}

void TIBSQL::DescribeParams() {
    params_.SetCount(0);
    if (paramNames_.empty()) return;
    const ClientLibrary& api = LoadClientLibrary();
    DescribeInto(params_, static_cast<int>(paramNames_.size()), [&](XSQLDA* area) {
        Call(api.isc_dsql_describe_bind(StatusVector(), handle_->Ptr(), SQLDA_VERSION1, area),
             true);
    });
    params_.Initialize(paramNames_);
}

void TIBSQL::DescribeColumns() {
    const ClientLibrary& api = LoadClientLibrary();
    DescribeInto(columns_, 1, [&](XSQLDA* area) {
        Call(api.isc_dsql_describe(StatusVector(), handle_->Ptr(), SQLDA_VERSION1, area), true);
    });
    columns_.Initialize();
}

// ---- Execute and fetch ----

void TIBSQL::Execute() {
    if (open_) RaiseClientError(ClientError::SqlOpen);
    if (!prepared_) Prepare();
    if (!Transaction()->Active()) RaiseClientError(ClientError::NotInTransaction);
    if (!handle_->Held()) RaiseClientError(ClientError::InvalidStatementHandle);
    const ClientLibrary& api = LoadClientLibrary();
    const auto dialect = static_cast<unsigned short>(base_.SQLDialect());
    if (sqlType_ == SQLSelect) return ExecuteSelect();
    if (sqlType_ == SQLExecProcedure) return ExecuteProcedure();
    Call(api.isc_dsql_execute(StatusVector(), base_.TRHandle().Ptr(), handle_->Ptr(), dialect,
                              Sqlda(params_)),
         true);
}

void TIBSQL::ExecuteSelect() {
    const ClientLibrary& api = LoadClientLibrary();
    Call(api.isc_dsql_execute2(StatusVector(), base_.TRHandle().Ptr(), handle_->Ptr(),
                               static_cast<unsigned short>(base_.SQLDialect()), Sqlda(params_),
                               nullptr),
         true);
    Call(api.isc_dsql_set_cursor_name(StatusVector(), handle_->Ptr(), cursorName_.c_str(), 0),
         true);
    open_ = true;
    eof_ = false;
    recordCount_ = 0;
    if (goToFirst_) Fetch();
}

// A failed procedure call is prepared and tried once more, except for a lock conflict or a lost
// connection, whose statement is gone.
void TIBSQL::ExecuteProcedure() {
    const ClientLibrary& api = LoadClientLibrary();
    const auto dialect = static_cast<unsigned short>(base_.SQLDialect());
    auto execute = [&] {
        return Call(api.isc_dsql_execute2(StatusVector(), base_.TRHandle().Ptr(), handle_->Ptr(),
                                          dialect, Sqlda(params_), Sqlda(columns_)),
                    false);
    };
    if (execute() == 0) return;
    if (StatusVector()[1] == kProcedureFailureCode || ConnectionLost(StatusVector()))
        RaiseStatusError();
    Call(api.isc_dsql_prepare(StatusVector(), base_.TRHandle().Ptr(), handle_->Ptr(), 0,
                              processedSQL_.c_str(), dialect, nullptr),
         false);
    if (execute() != 0) RaiseStatusError();
}

TIBXSQLDA* TIBSQL::Fetch() {
    if (eof_) return nullptr;
    if (!open_) RaiseClientError(ClientError::SqlClosed);
    const ClientLibrary& api = LoadClientLibrary();
    const ISC_STATUS result =
        Call(api.isc_dsql_fetch(StatusVector(), handle_->Ptr(),
                                static_cast<unsigned short>(base_.SQLDialect()), Sqlda(columns_)),
             false);
    if (result == kFetchEndCode ||
        (result != 0 && StatusVectorHas(StatusVector(), kPastLastRowCode))) {
        eof_ = true;
        return nullptr;
    }
    if (result != 0) {
        const SavedStatus failure;
        try {
            CloseRows();
        } catch (...) {
        }
        failure.Restore();
        RaiseStatusError();
    }
    ++recordCount_;
    return &columns_;
}

void TIBSQL::CloseRows() {
    const bool wasOpen = open_ && sqlType_ == SQLSelect && handle_->Held();
    open_ = false;
    eof_ = false;
    recordCount_ = 0;
    if (!wasOpen) return;
    CheckFree(
        LoadClientLibrary().isc_dsql_free_statement(StatusVector(), handle_->Ptr(), DSQL_close),
        true);
}

void TIBSQL::Release() {
    params_.SetCount(0);
    columns_.SetCount(0);
    prepared_ = false;
    open_ = eof_ = false;
    recordCount_ = 0;
    sqlType_ = SQLUnknown;
    if (!handle_->Held()) return;
    const ISC_STATUS result =
        LoadClientLibrary().isc_dsql_free_statement(StatusVector(), handle_->Ptr(), DSQL_drop);
    handle_->Forget();
    CheckFree(result, false);
}

// Frees pass the status check like every call, so a lost connection is noticed here too.
void TIBSQL::CheckFree(ISC_STATUS result, bool closing) const {
    if (Transaction() || Database()) Call(result, false);
    if (FreeFailed(result, closing)) RaiseStatusError();
}

// ---- Slots ----

TIBXSQLVAR& TIBSQL::ParamByName(const std::string& name) {
    TIBXSQLVAR* slot = params_.ByName(name);
    if (!slot) RaiseClientError(ClientError::FieldNotFound, name);
    return *slot;
}

TIBXSQLVAR& TIBSQL::Field(int index) {
    if (index < 0 || index >= columns_.Count())
        RaiseClientError(ClientError::FieldNotFound, IntToStr(index));
    return columns_.Var(index);
}

int TIBSQL::FieldIndex(const std::string& name) const {
    return columns_.IndexOf(NormalizeSQLName(name, base_.SQLDialect()));
}
