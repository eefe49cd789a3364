#include "data/mData.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/Exceptions.h"

#include <string>

namespace {
// The tables hold TIME columns, which only dialect 3 knows; an older database is no database of
// this application, so the attach is undone and said so.
void RefuseOlderDialect(TIBDatabase& database) {
    const int dialect = database.DBSQLDialect();
    database.ForcedClose();
    database.SetSQLDialect(3); // lowered by the attach; the next attach must be refused alike
    throw EDatabaseError("The database is of SQL dialect " + std::to_string(dialect) +
                         "; Skedora needs a database of dialect 3");
}
} // namespace

void TmodData::CreateForm() {
    IBDatabase = std::make_unique<TIBDatabase>();
    IBDatabase->SetParams({"user_name=SYSDBA", "lc_ctype=WIN1251", "password=quarnelby"});
    IBDatabase->SetLoginPrompt(false);
    IBDatabase->SetSQLDialect(3);
    IBDatabase->SetIdleTimer(0);
    IBDatabase->OnDialectDowngradeWarning = RefuseOlderDialect;

    qryTemp = std::make_unique<TIBQuery>();
    qryTemp->SetName("qryTemp");
    qryTemp->SetDatabase(IBDatabase.get());

    trTemp = std::make_unique<TIBTransaction>();
    trTemp->SetDefaultDatabase(IBDatabase.get());
    trTemp->SetAutoStopAction(saNone);
    // A save waits a few seconds for another user's lock, then says so.
    trTemp->SetParams({"write", "concurrency", "wait", "lock_timeout=3"});
    qryTemp->SetTransaction(trTemp.get());

    qryNextID = std::make_unique<TIBQuery>();
    qryNextID->SetName("qryNextID");
    qryNextID->SetDatabase(IBDatabase.get());

    trNextId = std::make_unique<TIBTransaction>();
    trNextId->SetDefaultDatabase(IBDatabase.get());
    trNextId->SetAutoStopAction(saNone);
    qryNextID->SetTransaction(trNextId.get());
}
