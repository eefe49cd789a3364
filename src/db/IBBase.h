#pragma once

#include <functional>

class TIBDatabase;
class TIBTransaction;
class DatabaseHandle;
class TransactionHandle;

// The link a statement user embeds to belong to one connection and one transaction. Both
// register the link and call its notifications; destroying the link unregisters it.
class TIBBase {
public:
    TIBBase() = default;
    ~TIBBase();
    TIBBase(const TIBBase&) = delete;
    TIBBase& operator=(const TIBBase&) = delete;

    TIBDatabase* Database() const { return database_; }
    // A link that has no transaction yet takes the connection's default transaction.
    void SetDatabase(TIBDatabase* database);
    TIBTransaction* Transaction() const { return transaction_; }
    void SetTransaction(TIBTransaction* transaction);

    // Client error DatabaseNotAssigned without a connection.
    void CheckDatabase() const;
    // Client error TransactionNotAssigned without a transaction.
    void CheckTransaction() const;

    // The handles and dialect statements pass to the client library; checked as above.
    DatabaseHandle& DBHandle() const;
    TransactionHandle& TRHandle() const;
    int SQLDialect() const;

    // Notifications, each optional. Right after OnDatabaseFree or OnTransactionFree the link
    // forgets the connection or transaction that is going away.
    std::function<void()> BeforeDatabaseDisconnect;
    std::function<void()> AfterDatabaseDisconnect;
    std::function<void()> OnDatabaseFree;
    std::function<void()> BeforeTransactionEnd;
    std::function<void()> AfterTransactionEnd;
    std::function<void()> OnTransactionFree;
    // Result sets are the connection's dataset clients: told when it opens and before it closes.
    std::function<void(bool connected)> OnConnectChange;
    // Result sets answer whether they are open; auto-stop waits until none is.
    std::function<bool()> IsOpenResultSet;

private:
    friend class TIBDatabase;
    friend class TIBTransaction;

    void DatabaseDisconnecting() const;
    void DatabaseDisconnected() const;
    void DatabaseFree();
    void TransactionEnding() const;
    void TransactionEnded() const;
    void TransactionFree();
    void ConnectChange(bool connected) const;
    bool IsOpen() const;

    TIBDatabase* database_ = nullptr;
    int indexInDatabase_ = -1;
    TIBTransaction* transaction_ = nullptr;
    int indexInTransaction_ = -1;
};
