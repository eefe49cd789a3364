#pragma once

#include "db/SlotList.h"
#include "platform/Timer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TIBBase;
class TIBDatabase;
class TransactionHandle;

enum TTransactionAction { TARollback, TACommit, TARollbackRetaining, TACommitRetaining };
enum TAutoStopAction { saNone, saRollback, saCommit, saRollbackRetaining, saCommitRetaining };

// The action that really ends a transaction: the retaining ones become their plain forms.
TTransactionAction EndingAction(TTransactionAction action);

// A server transaction over one or more connections.
class TIBTransaction {
public:
    // Binds the client library on first use; its failure is raised from here.
    TIBTransaction();
    // Ends an active transaction by its DefaultAction, with force.
    ~TIBTransaction();
    TIBTransaction(const TIBTransaction&) = delete;
    TIBTransaction& operator=(const TIBTransaction&) = delete;

    bool Active() const;
    // true starts, false rolls back.
    void SetActive(bool active);
    TIBDatabase* DefaultDatabase() const { return defaultDatabase_; }
    // Registers both ways; a previous default connection is unregistered.
    void SetDefaultDatabase(TIBDatabase* database);
    // Registers both ways; the slot of the connection.
    int AddDatabase(TIBDatabase& database);
    void RemoveDatabase(int index);
    int FindDatabase(const TIBDatabase* database) const { return databases_.IndexOf(database); }
    const SlotList<TIBDatabase>& Databases() const { return databases_; }

    TTransactionAction DefaultAction() const { return defaultAction_; }
    // TARollbackRetaining needs a version 6 client (client error NeedsVersion6).
    void SetDefaultAction(TTransactionAction action);
    TAutoStopAction AutoStopAction() const { return autoStopAction_; }
    void SetAutoStopAction(TAutoStopAction action) { autoStopAction_ = action; }
    // Transaction parameters, one "name" or "name=value" line each; not while active.
    const std::vector<std::string>& Params() const { return params_; }
    void SetParams(std::vector<std::string> lines);
    // Milliseconds without client calls after which the transaction ends; 0 = never.
    int IdleTimer() const { return idleTimer_; }
    void SetIdleTimer(int milliseconds);
    std::function<void(TIBTransaction&)> OnIdleTimer;

    void Start();
    // Ends (TACommit, TARollback) or retains the transaction. With force nothing is raised:
    // a failed end is rolled back and the handle dropped.
    void Finish(TTransactionAction action, bool force);
    void Commit() { Finish(TACommit, false); }
    void Rollback() { Finish(TARollback, false); }
    void CommitRetaining() { Finish(TACommitRetaining, false); }
    void RollbackRetaining() { Finish(TARollbackRetaining, false); }
    // Result sets call this when they close: ends the transaction by AutoStopAction once none
    // of them is open.
    void CheckAutoStop();

    // Layout loading: a stored Active only sets this flag; it never starts the transaction.
    void SetStoredActive(bool active) { storedActive_ = active; }
    bool StoredActive() const { return storedActive_; }

    // For the access layer: the status check of every client call made in this transaction
    // (see TIBDatabase::Call); it also marks the transaction and its connections busy.
    std::intptr_t Call(std::intptr_t result, bool raise);
    TransactionHandle& Handle() const { return *handle_; }
    int AddSQLObject(TIBBase& link) { return sqlObjects_.Add(&link); }
    void RemoveSQLObject(int index) { sqlObjects_.Remove(index); }
    const SlotList<TIBBase>& SQLObjects() const { return sqlObjects_; }

private:
    void CheckInTransaction() const;
    void StartOnServer();
    void EndTransaction(bool commit, bool force);
    void IdleTick();

    std::unique_ptr<TransactionHandle> handle_;
    TIBDatabase* defaultDatabase_ = nullptr;
    SlotList<TIBDatabase> databases_;
    SlotList<TIBBase> sqlObjects_;
    TTransactionAction defaultAction_ = TACommit;
    TAutoStopAction autoStopAction_ = saNone;
    std::vector<std::string> params_;
    bool paramBlockStale_ = true;
    std::string paramBlock_;
    int idleTimer_ = 0;
    std::unique_ptr<Timer> timer_;
    bool idle_ = false;
    bool storedActive_ = false;
};
