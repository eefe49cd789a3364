#pragma once

#include "db/SlotList.h"
#include "platform/Timer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class DatabaseHandle;
class TIBBase;
class TIBTransaction;
class TSchema;

// Statement tracing categories; kept as set, nothing is traced.
enum TTraceFlag : unsigned {
    tfQPrepare = 1 << 0,
    tfQExecute = 1 << 1,
    tfQFetch = 1 << 2,
    tfError = 1 << 3,
    tfStmt = 1 << 4,
    tfConnect = 1 << 5,
    tfTransact = 1 << 6,
    tfBlob = 1 << 7,
    tfService = 1 << 8,
    tfMisc = 1 << 9,
};
using TTraceFlags = unsigned;

// A connection to one database through the client library.
class TIBDatabase {
public:
    using Event = std::function<void(TIBDatabase&)>;
    using LoginEvent = std::function<void(TIBDatabase&, std::vector<std::string>& loginParams)>;

    // Binds the client library on first use; its failure is raised from here.
    TIBDatabase();
    // Closes with ForcedClose, committing or rolling back what is still active.
    ~TIBDatabase();
    TIBDatabase(const TIBDatabase&) = delete;
    TIBDatabase& operator=(const TIBDatabase&) = delete;

    const std::string& DatabaseName() const { return databaseName_; }
    void SetDatabaseName(const std::string& name);
    // Connection parameters, one "name=value" line each.
    const std::vector<std::string>& Params() const { return params_; }
    void SetParams(std::vector<std::string> lines);
    bool LoginPrompt() const { return loginPrompt_; }
    void SetLoginPrompt(bool value) { loginPrompt_ = value; }
    int SQLDialect() const { return sqlDialect_; }
    void SetSQLDialect(int dialect);
    // The attached database's own dialect.
    int DBSQLDialect() const { return dbSqlDialect_; }
    // Milliseconds without client calls after which the connection is closed; 0 = never.
    int IdleTimer() const { return idleTimer_; }
    void SetIdleTimer(int milliseconds);
    TTraceFlags TraceFlags() const { return traceFlags_; }
    void SetTraceFlags(TTraceFlags flags) { traceFlags_ = flags; }
    bool AllowStreamedConnected() const { return allowStreamedConnected_; }
    void SetAllowStreamedConnected(bool value) { allowStreamedConnected_ = value; }
    TIBTransaction* DefaultTransaction() const { return defaultTransaction_; }
    // Also registers the transaction with this connection.
    void SetDefaultTransaction(TIBTransaction* transaction);

    bool Connected() const;
    void SetConnected(bool connected);
    // Disconnects ignoring every failure.
    void ForcedClose();
    // Creates the database DatabaseName names and stays attached to it: CREATE DATABASE with the
    // name quoted, then the parameter lines as its clauses ("USER 'SYSDBA'", "DEFAULT CHARACTER
    // SET WIN1251"), in the connection's SQL dialect. Raised when already connected.
    void CreateDatabase();

    // Layout loading: a stored Connected is only remembered until Loaded(), which connects
    // when AllowStreamedConnected, and otherwise drops it together with the stored Active
    // of every transaction registered by then.
    void SetStoredConnected(bool connected) { storedConnected_ = connected; }
    void Loaded();

    Event BeforeConnect;
    Event AfterConnect;
    Event BeforeDisconnect;
    Event AfterDisconnect;
    LoginEvent OnLogin;
    Event OnIdleTimer;
    Event OnDialectDowngradeWarning;

    // For the access layer. Every client call's result passes through Call: it marks the
    // connection busy, closes it with force when the connection was lost (rolling back what its
    // transactions hold), and raises the failure when `raise` is set.
    std::intptr_t Call(std::intptr_t result, bool raise);
    DatabaseHandle& Handle() const { return *handle_; }
    // The transaction a statement user gets when it names this connection but no transaction.
    TIBTransaction* FindDefaultTransaction() const;
    // Used only by the schema cache.
    TIBTransaction& InternalTransaction() const { return *internalTransaction_; }
    // Column facts of the tables for statements.
    TSchema* Schema() const { return schema_.get(); }

    int AddTransaction(TIBTransaction& transaction);
    void RemoveTransaction(int index);
    int FindTransaction(const TIBTransaction* transaction) const;
    const SlotList<TIBTransaction>& Transactions() const { return transactions_; }
    int AddSQLObject(TIBBase& link) { return sqlObjects_.Add(&link); }
    void RemoveSQLObject(int index) { sqlObjects_.Remove(index); }
    const SlotList<TIBBase>& SQLObjects() const { return sqlObjects_; }

private:
    friend class TIBTransaction;

    // For a transaction starting on this closed connection: honours a stored Connected not yet
    // honoured, otherwise raises client error DatabaseClosed.
    void ConnectStored();
    void Open();
    void Login();
    void Attach();
    void ReadDialect();
    void Disconnect(bool force);
    void Close(bool force);
    void EndTransactions(bool force);
    void Detach(bool force);
    void CloseLostConnection();
    void IdleTick();
    void RunEvent(const Event& event) {
        if (event) event(*this);
    }

    std::string databaseName_;
    std::vector<std::string> params_;
    bool loginPrompt_ = true;
    int sqlDialect_ = 3;
    int dbSqlDialect_ = 3;
    int idleTimer_ = 0;
    TTraceFlags traceFlags_ = 0;
    bool allowStreamedConnected_ = true;
    bool storedConnected_ = false;
    TIBTransaction* defaultTransaction_ = nullptr;

    std::unique_ptr<DatabaseHandle> handle_;
    bool paramBlockStale_ = true;
    std::string paramBlock_;
    // The password a login supplied, sent without being kept in Params.
    std::optional<std::string> loginPassword_;
    bool idle_ = false;
    bool closing_ = false;
    // Set while a lost connection closes.
    bool lost_ = false;
    std::unique_ptr<Timer> timer_;
    SlotList<TIBTransaction> transactions_;
    SlotList<TIBBase> sqlObjects_;
    std::unique_ptr<TIBTransaction> internalTransaction_;
    std::unique_ptr<TSchema> schema_;
};
