#include "data/mData.h"

#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/Cp1251.h"
#include "platform/Dialogs.h"
#include "platform/ErrorHandler.h"
#include "platform/ProfileString.h"

std::string ReadConnectionString(const std::string& folder) {
    const std::string value = ReadProfileString(folder + "SQL.ini", "DATABASE", "SERVER", "");
    return value.empty() ? folder + "KORVEN.FDB" : value;
}

TmodData::TmodData(std::string configFolder, const BindWindows& bindWindows)
    : configFolder_(std::move(configFolder)) {
    CreateForm();
    if (bindWindows) bindWindows(*this);
    try {
        DataModuleCreate();
    } catch (const std::exception& error) {
        ApplicationHandleException(error);
    }
}

// Components die in reverse order of declaration: the queries before the connection.
TmodData::~TmodData() = default;

void TmodData::DataModuleCreate() {
    IBDatabase->SetDatabaseName(ReadConnectionString(configFolder_));
    IBDatabase->SetConnected(true);
    if (IBDatabase->Connected()) return;
    AppDialogs().MessageBox(Utf8ToCp1251("Грешка при свързване с базата данни!"), "Error",
                            MessageIcon::Error, MessageButtons::OK);
    haltRequested_ = true;
}
