#pragma once

#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"

#include <string>
#include <vector>

// A connection of its own to a database, with a transaction and a query on it: another user's,
// or a reader that sees only what was committed.
struct OwnConnection {
    OwnConnection(const std::string& path, const std::vector<std::string>& params) {
        Database.SetDatabaseName(path);
        Database.SetParams(params);
        Database.SetLoginPrompt(false);
        Database.SetConnected(true);
        Transaction.SetDefaultDatabase(&Database);
        Query.SetDatabase(&Database);
        Query.SetTransaction(&Transaction);
    }

    TIBDatabase Database;
    TIBTransaction Transaction;
    TIBQuery Query;
};
