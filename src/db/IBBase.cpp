#include "db/IBBase.h"

#include "db/IBDatabase.h"
#include "db/IBErrors.h"
#include "db/IBTransaction.h"

TIBBase::~TIBBase() {
    if (database_) database_->RemoveSQLObject(indexInDatabase_);
    if (transaction_) transaction_->RemoveSQLObject(indexInTransaction_);
}

void TIBBase::SetDatabase(TIBDatabase* database) {
    if (database == database_) return;
    if (database_) database_->RemoveSQLObject(indexInDatabase_);
    database_ = database;
    indexInDatabase_ = database ? database->AddSQLObject(*this) : -1;
    if (database && !transaction_) SetTransaction(database->FindDefaultTransaction());
}

void TIBBase::SetTransaction(TIBTransaction* transaction) {
    if (transaction == transaction_) return;
    if (transaction_) transaction_->RemoveSQLObject(indexInTransaction_);
    transaction_ = transaction;
    indexInTransaction_ = transaction ? transaction->AddSQLObject(*this) : -1;
}

void TIBBase::CheckDatabase() const {
    if (!database_) RaiseClientError(ClientError::DatabaseNotAssigned);
}

void TIBBase::CheckTransaction() const {
    if (!transaction_) RaiseClientError(ClientError::TransactionNotAssigned);
}

DatabaseHandle& TIBBase::DBHandle() const {
    CheckDatabase();
    return database_->Handle();
}

TransactionHandle& TIBBase::TRHandle() const {
    CheckTransaction();
    return transaction_->Handle();
}

int TIBBase::SQLDialect() const {
    CheckDatabase();
    return database_->SQLDialect();
}

void TIBBase::DatabaseDisconnecting() const {
    if (BeforeDatabaseDisconnect) BeforeDatabaseDisconnect();
}

void TIBBase::DatabaseDisconnected() const {
    if (AfterDatabaseDisconnect) AfterDatabaseDisconnect();
}

void TIBBase::DatabaseFree() {
    if (OnDatabaseFree) OnDatabaseFree();
    database_ = nullptr;
    indexInDatabase_ = -1;
}

void TIBBase::TransactionEnding() const {
    if (BeforeTransactionEnd) BeforeTransactionEnd();
}

void TIBBase::TransactionEnded() const {
    if (AfterTransactionEnd) AfterTransactionEnd();
}

void TIBBase::TransactionFree() {
    if (OnTransactionFree) OnTransactionFree();
    transaction_ = nullptr;
    indexInTransaction_ = -1;
}

void TIBBase::ConnectChange(bool connected) const {
    if (OnConnectChange) OnConnectChange(connected);
}

bool TIBBase::IsOpen() const {
    return IsOpenResultSet && IsOpenResultSet();
}
