#include "db/IBTransaction.h"

#include "db/ClientApi.h"
#include "db/ClientHandles.h"
#include "db/ForcedSteps.h"
#include "db/IBBase.h"
#include "db/IBDatabase.h"
#include "db/IBErrors.h"
#include "db/IdleTimer.h"
#include "db/ParamBlocks.h"

namespace {
TTransactionAction ActionOf(TAutoStopAction action) {
    switch (action) {
    case saRollback:
        return TARollback;
    case saRollbackRetaining:
        return TARollbackRetaining;
    case saCommitRetaining:
        return TACommitRetaining;
    default:
        return TACommit;
    }
}
} // namespace

TTransactionAction EndingAction(TTransactionAction action) {
    return action == TACommit || action == TACommitRetaining ? TACommit : TARollback;
}

TIBTransaction::TIBTransaction() : handle_(std::make_unique<TransactionHandle>()) {
    LoadClientLibrary();
}

TIBTransaction::~TIBTransaction() {
    timer_.reset();
    // Nobody is left to hear of a failure while the transaction goes away.
    try {
        if (Active()) Finish(EndingAction(defaultAction_), true);
    } catch (...) {
    }
    sqlObjects_.ForEach([](TIBBase& link) {
        try {
            link.TransactionFree();
        } catch (...) {
        }
    });
    sqlObjects_.Clear();
    for (int i = 0; i < databases_.Count(); ++i)
        RemoveDatabase(i);
}

bool TIBTransaction::Active() const {
    return handle_->Held();
}

void TIBTransaction::SetActive(bool active) {
    if (active && !Active())
        Start();
    else if (!active && Active())
        Rollback();
}

void TIBTransaction::SetDefaultDatabase(TIBDatabase* database) {
    if (database == defaultDatabase_) return;
    if (defaultDatabase_) RemoveDatabase(FindDatabase(defaultDatabase_));
    if (database) AddDatabase(*database);
    defaultDatabase_ = database;
}

int TIBTransaction::AddDatabase(TIBDatabase& database) {
    const int listed = databases_.IndexOf(&database);
    if (listed >= 0) return listed;
    const int index = databases_.Add(&database);
    database.AddTransaction(*this);
    return index;
}

void TIBTransaction::RemoveDatabase(int index) {
    if (index < 0 || index >= databases_.Count()) return;
    TIBDatabase* database = databases_.At(index);
    if (!database) return;
    databases_.Remove(index);
    if (database == defaultDatabase_) defaultDatabase_ = nullptr;
    database->RemoveTransaction(database->FindTransaction(this));
}

void TIBTransaction::SetDefaultAction(TTransactionAction action) {
    if (action == TARollbackRetaining && LoadClientLibrary().ClientVersion < 6)
        RaiseClientError(ClientError::NeedsVersion6, "isc_rollback_retaining");
    defaultAction_ = action;
}

void TIBTransaction::SetParams(std::vector<std::string> lines) {
    if (Active()) RaiseClientError(ClientError::InTransaction);
    params_ = std::move(lines);
    paramBlockStale_ = true;
}

void TIBTransaction::SetIdleTimer(int milliseconds) {
    ResetIdleTimer(timer_, milliseconds, [this] { IdleTick(); });
    idleTimer_ = milliseconds;
}

void TIBTransaction::Start() {
    if (Active()) RaiseClientError(ClientError::InTransaction);
    if (!databases_.HasEntries()) RaiseClientError(ClientError::NoDatabasesInTransaction);
    databases_.ForEach([](TIBDatabase& database) {
        if (!database.Connected()) database.ConnectStored();
    });
    if (paramBlockStale_) {
        paramBlock_ = BuildTransactionParamBlock(params_);
        paramBlockStale_ = false;
    }
    StartOnServer();
    storedActive_ = false;
}

void TIBTransaction::StartOnServer() {
    std::vector<TransactionElement> elements;
    databases_.ForEach([&](TIBDatabase& database) {
        elements.push_back({database.Handle().Ptr(), static_cast<ISC_LONG>(paramBlock_.size()),
                            paramBlock_.data()});
    });
    const ClientLibrary& api = LoadClientLibrary();
    const std::intptr_t result =
        Call(api.isc_start_multiple(StatusVector(), handle_->Ptr(),
                                    static_cast<short>(elements.size()), elements.data()),
             false);
    if (result > 0) {
        handle_->Forget();
        RaiseStatusError();
    }
}

void TIBTransaction::Finish(TTransactionAction action, bool force) {
    CheckInTransaction();
    const ClientLibrary& api = LoadClientLibrary();
    switch (action) {
    case TACommit:
        return EndTransaction(true, force);
    case TARollback:
        return EndTransaction(false, force);
    case TACommitRetaining:
        Call(api.isc_commit_retaining(StatusVector(), handle_->Ptr()), true);
        return;
    case TARollbackRetaining:
        Call(api.isc_rollback_retaining(StatusVector(), handle_->Ptr()), true);
        return;
    }
}

// Result sets close before the server transaction ends, so none outlives it. With force a result
// set that fails to close does not keep the transaction from ending as asked.
void TIBTransaction::EndTransaction(bool commit, bool force) {
    sqlObjects_.ForEach([&](TIBBase& link) { Attempt(force, [&] { link.TransactionEnding(); }); });
    if (Active()) {
        const ClientLibrary& api = LoadClientLibrary();
        const std::intptr_t result =
            Call(commit ? api.isc_commit_transaction(StatusVector(), handle_->Ptr())
                        : api.isc_rollback_transaction(StatusVector(), handle_->Ptr()),
                 false);
        if (result > 0 && !force) RaiseStatusError();
        if (result > 0) {
            Call(api.isc_rollback_transaction(StatusVector(), handle_->Ptr()), false);
            handle_->Forget();
        }
    }
    sqlObjects_.ForEach([&](TIBBase& link) { Attempt(force, [&] { link.TransactionEnded(); }); });
}

void TIBTransaction::CheckAutoStop() {
    if (autoStopAction_ == saNone || !Active()) return;
    bool anyOpen = false;
    sqlObjects_.ForEach([&](const TIBBase& link) { anyOpen = anyOpen || link.IsOpen(); });
    if (!anyOpen) Finish(ActionOf(autoStopAction_), false);
}

std::intptr_t TIBTransaction::Call(std::intptr_t result, bool raise) {
    idle_ = false;
    databases_.ForEach([](TIBDatabase& database) { database.idle_ = false; });
    if (defaultDatabase_) defaultDatabase_->Call(result, false);
    if (raise && result > 0) RaiseStatusError();
    return result;
}

void TIBTransaction::CheckInTransaction() const {
    if (!Active()) RaiseClientError(ClientError::NotInTransaction);
}

void TIBTransaction::IdleTick() {
    if (!Active()) return;
    if (!idle_) {
        idle_ = true;
        return;
    }
    Finish(defaultAction_, true);
    if (OnIdleTimer) OnIdleTimer(*this);
}
