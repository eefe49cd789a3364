#include "app/mData.h"
#include "db/IBDatabase.h"
#include "db/IBTransaction.h"

void TmodData::CreateForm() {
    IBDatabase = std::make_unique<TIBDatabase>();
    IBDatabase->SetParams({"user_name=SYSDBA", "lc_ctype=WIN1251", "password=quarnelby"});
    IBDatabase->SetLoginPrompt(false);
    IBDatabase->SetSQLDialect(3);
    IBDatabase->SetIdleTimer(0);

    trTemp = std::make_unique<TIBTransaction>();
    trTemp->SetDefaultDatabase(IBDatabase.get());
    trTemp->SetAutoStopAction(saNone);

    trNextId = std::make_unique<TIBTransaction>();
    trNextId->SetDefaultDatabase(IBDatabase.get());
    trNextId->SetAutoStopAction(saNone);
}
