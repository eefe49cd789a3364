#include "data/mData.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"

void TmodData::CreateForm() {
    IBDatabase = std::make_unique<TIBDatabase>();
    IBDatabase->SetParams({"user_name=SYSDBA", "lc_ctype=WIN1251", "password=quarnelby"});
    IBDatabase->SetLoginPrompt(false);
    IBDatabase->SetSQLDialect(3);
    IBDatabase->SetIdleTimer(0);

    qryTemp = std::make_unique<TIBQuery>();
    qryTemp->SetName("qryTemp");
    qryTemp->SetDatabase(IBDatabase.get());

    trTemp = std::make_unique<TIBTransaction>();
    trTemp->SetDefaultDatabase(IBDatabase.get());
    trTemp->SetAutoStopAction(saNone);
    qryTemp->SetTransaction(trTemp.get());

    qryNextID = std::make_unique<TIBQuery>();
    qryNextID->SetName("qryNextID");
    qryNextID->SetDatabase(IBDatabase.get());

    trNextId = std::make_unique<TIBTransaction>();
    trNextId->SetDefaultDatabase(IBDatabase.get());
    trNextId->SetAutoStopAction(saNone);
    qryNextID->SetTransaction(trNextId.get());
}
