#include "db/IBDatabase.h"

#include "db/ClientApi.h"
#include "db/ClientHandles.h"
#include "db/ForcedSteps.h"
#include "db/IBBase.h"
#include "db/IBErrors.h"
#include "db/IBTransaction.h"
#include "db/IdleTimer.h"
#include "db/ParamBlocks.h"
#include "db/Schema.h"

#include <algorithm>
#include <cctype>

namespace {
constexpr int kDatabaseInfoBufferSize = 512;

// Sets a flag for the lifetime of the scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

bool IsPasswordLine(const std::string& line) {
    std::string name = line.substr(0, line.find('='));
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name == "password" || name == "isc_dpb_password";
}
} // namespace

TIBDatabase::TIBDatabase() : handle_(std::make_unique<DatabaseHandle>()) {
    LoadClientLibrary();
    internalTransaction_ = std::make_unique<TIBTransaction>();
    internalTransaction_->SetDefaultDatabase(this);
    schema_ = std::make_unique<TSchema>(*this);
}

TIBDatabase::~TIBDatabase() {
    timer_.reset();
    // Nobody is left to hear of a failure while the connection goes away.
    try {
        ForcedClose();
    } catch (...) {
    }
    sqlObjects_.ForEach([](TIBBase& link) {
        try {
            link.DatabaseFree();
        } catch (...) {
        }
    });
    sqlObjects_.Clear();
    for (int i = 0; i < transactions_.Count(); ++i)
        RemoveTransaction(i);
}

void TIBDatabase::SetDatabaseName(const std::string& name) {
    if (name == databaseName_) return;
    if (Connected()) RaiseClientError(ClientError::DatabaseOpen);
    databaseName_ = name;
    schema_->FreeNodes();
}

void TIBDatabase::SetParams(std::vector<std::string> lines) {
    if (Connected()) RaiseClientError(ClientError::DatabaseOpen);
    params_ = std::move(lines);
    paramBlockStale_ = true;
}

void TIBDatabase::SetSQLDialect(int dialect) {
    if (dialect < 1 || (Connected() && dialect > dbSqlDialect_))
        RaiseClientError(ClientError::SqlDialectInvalid);
    sqlDialect_ = dialect;
}

void TIBDatabase::SetIdleTimer(int milliseconds) {
    ResetIdleTimer(timer_, milliseconds, [this] { IdleTick(); });
    idleTimer_ = milliseconds;
}

void TIBDatabase::SetDefaultTransaction(TIBTransaction* transaction) {
    if (transaction) transaction->AddDatabase(*this);
    defaultTransaction_ = transaction;
}

bool TIBDatabase::Connected() const {
    return handle_->Held();
}

void TIBDatabase::SetConnected(bool connected) {
    if (connected && !Connected())
        Open();
    else if (!connected && Connected())
        Disconnect(false);
}

void TIBDatabase::ForcedClose() {
    if (Connected()) Disconnect(true);
}

void TIBDatabase::CreateDatabase() {
    if (Connected()) RaiseClientError(ClientError::DatabaseOpen);
    if (databaseName_.empty()) RaiseClientError(ClientError::DatabaseNameMissing);
    std::string statement = "CREATE DATABASE '";
    for (const char c : databaseName_)
        statement += c == '\'' ? std::string("''") : std::string(1, c);
    statement += "'";
    for (const std::string& clause : params_)
        statement += " " + clause;
    TransactionHandle transaction; // the statement runs outside any transaction
    const ClientLibrary& api = LoadClientLibrary();
    const std::intptr_t result =
        Call(api.isc_dsql_execute_immediate(StatusVector(), handle_->Ptr(), transaction.Ptr(), 0,
                                            statement.c_str(),
                                            static_cast<unsigned short>(sqlDialect_), nullptr),
             false);
    if (result > 0) {
        handle_->Forget();
        RaiseStatusError();
    }
    ReadDialect();
}

void TIBDatabase::Loaded() {
    if (!allowStreamedConnected_) {
        transactions_.ForEach([](TIBTransaction& t) { t.SetStoredActive(false); });
        storedConnected_ = false;
    }
    if (storedConnected_) {
        storedConnected_ = false;
        SetConnected(true);
    }
}

void TIBDatabase::ConnectStored() {
    if (!storedConnected_) RaiseClientError(ClientError::DatabaseClosed);
    storedConnected_ = false;
    SetConnected(true);
}

// A call that succeeded has not lost the connection: its status vector need not be read.
std::intptr_t TIBDatabase::Call(std::intptr_t result, bool raise) {
    idle_ = false;
    if (result != 0 && ConnectionLost(StatusVector())) CloseLostConnection();
    if (raise && result > 0) RaiseStatusError();
    return result;
}

// The calls made while closing overwrite the status vector; the lost call's failure is put
// back so that its caller still raises its own error. What the transactions hold is rolled
// back: the failed call may have left their work half done.
void TIBDatabase::CloseLostConnection() {
    if (closing_ || !Connected()) return;
    const SavedStatus failure;
    const FlagScope lost(lost_);
    ForcedClose();
    failure.Restore();
}

TIBTransaction* TIBDatabase::FindDefaultTransaction() const {
    if (defaultTransaction_) return defaultTransaction_;
    for (int i = 0; i < transactions_.Count(); ++i) {
        TIBTransaction* transaction = transactions_.At(i);
        if (transaction && transaction != internalTransaction_.get() &&
            transaction->DefaultDatabase() == this)
            return transaction;
    }
    return nullptr;
}

int TIBDatabase::AddTransaction(TIBTransaction& transaction) {
    const int listed = transactions_.IndexOf(&transaction);
    if (listed >= 0) return listed;
    const int index = transactions_.Add(&transaction);
    transaction.AddDatabase(*this);
    return index;
}

void TIBDatabase::RemoveTransaction(int index) {
    if (index < 0 || index >= transactions_.Count()) return;
    TIBTransaction* transaction = transactions_.At(index);
    if (!transaction) return;
    transactions_.Remove(index);
    if (transaction == defaultTransaction_) defaultTransaction_ = nullptr;
    transaction->RemoveDatabase(transaction->FindDatabase(this));
}

int TIBDatabase::FindTransaction(const TIBTransaction* transaction) const {
    return transactions_.IndexOf(transaction);
}

void TIBDatabase::Open() {
    RunEvent(BeforeConnect);
    if (Connected()) RaiseClientError(ClientError::DatabaseOpen);
    if (databaseName_.empty()) RaiseClientError(ClientError::DatabaseNameMissing);
    Login();
    if (paramBlockStale_) {
        std::vector<std::string> lines = params_;
        if (loginPrompt_ && loginPassword_) lines.push_back("password=" + *loginPassword_);
        paramBlock_ = BuildDatabaseParamBlock(lines);
        paramBlockStale_ = false;
    }
    Attach();
    ReadDialect();
    if (dbSqlDialect_ < sqlDialect_) {
        sqlDialect_ = dbSqlDialect_;
        RunEvent(OnDialectDowngradeWarning);
    }
    sqlObjects_.ForEach([](TIBBase& link) { link.ConnectChange(true); });
    RunEvent(AfterConnect);
}

// The password a login handler supplies is sent but not kept among the parameters.
void TIBDatabase::Login() {
    if (!loginPrompt_) {
        if (loginPassword_) paramBlockStale_ = true;
        loginPassword_.reset();
        return;
    }
    if (!OnLogin) RaiseClientError(ClientError::OperationCancelled);
    std::vector<std::string> loginParams = params_;
    OnLogin(*this, loginParams);
    const auto password = std::find_if(loginParams.begin(), loginParams.end(), IsPasswordLine);
    if (password != loginParams.end()) {
        loginPassword_ = password->substr(password->find('=') + 1);
        loginParams.erase(password);
    }
    params_ = std::move(loginParams);
    paramBlockStale_ = true;
}

void TIBDatabase::Attach() {
    const ClientLibrary& api = LoadClientLibrary();
    const std::intptr_t result =
        Call(api.isc_attach_database(StatusVector(), static_cast<short>(databaseName_.size()),
                                     databaseName_.c_str(), handle_->Ptr(),
                                     static_cast<short>(paramBlock_.size()), paramBlock_.data()),
             false);
    if (result > 0) {
        handle_->Forget();
        RaiseStatusError();
    }
}

void TIBDatabase::ReadDialect() {
    const ClientLibrary& api = LoadClientLibrary();
    const char item = isc_info_db_sql_dialect;
    char buffer[kDatabaseInfoBufferSize] = {};
    Call(api.isc_database_info(StatusVector(), handle_->Ptr(), 1, &item, sizeof buffer, buffer),
         true);
    if (buffer[0] != item) {
        dbSqlDialect_ = 1;
        return;
    }
    const short length = static_cast<short>(api.isc_vax_integer(buffer + 1, 2));
    dbSqlDialect_ = api.isc_vax_integer(buffer + 3, length);
}

// Calls failing for a lost connection while closing do not start another close.
void TIBDatabase::Disconnect(bool force) {
    FlagScope closing(closing_);
    RunEvent(BeforeDisconnect);
    sqlObjects_.ForEach([&](TIBBase& link) { Attempt(force, [&] { link.ConnectChange(false); }); });
    Close(force);
    RunEvent(AfterDisconnect);
}

void TIBDatabase::Close(bool force) {
    if (!Connected()) RaiseClientError(ClientError::DatabaseClosed);
    EndTransactions(force);
    sqlObjects_.ForEach(
        [&](TIBBase& link) { Attempt(force, [&] { link.DatabaseDisconnecting(); }); });
    Detach(force);
    sqlObjects_.ForEach(
        [&](TIBBase& link) { Attempt(force, [&] { link.DatabaseDisconnected(); }); });
}

void TIBDatabase::EndTransactions(bool force) {
    transactions_.ForEach([&](TIBTransaction& transaction) {
        if (!transaction.Active()) return;
        const TTransactionAction action =
            lost_ ? TARollback : EndingAction(transaction.DefaultAction());
        Attempt(force, [&] { transaction.Finish(action, true); });
    });
}

void TIBDatabase::Detach(bool force) {
    const ClientLibrary& api = LoadClientLibrary();
    const std::intptr_t result =
        Call(api.isc_detach_database(StatusVector(), handle_->Ptr()), false);
    if (result > 0 && !force) RaiseStatusError();
    handle_->Forget();
    dbSqlDialect_ = 1;
}

void TIBDatabase::IdleTick() {
    if (!Connected()) return;
    if (!idle_) {
        idle_ = true;
        return;
    }
    ForcedClose();
    RunEvent(OnIdleTimer);
}
