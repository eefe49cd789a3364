#include "app/mData.h"

#include <vector>

#include "app/ErrorHandler.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/Cp1251.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/ProfileString.h"

TmodData* modData = nullptr;

namespace {
std::vector<std::function<void(TmodData&)>>& PendingBindings() {
    static std::vector<std::function<void(TmodData&)>> bindings;
    return bindings;
}
} // namespace

std::string ReadConnectionString(const std::string& folder) {
    const std::string value = ReadProfileString(folder + "SQL.ini", "DATABASE", "SERVER", "");
    return value.empty() ? folder + "KORVEN.FDB" : value;
}

TmodData::TmodData(std::string configFolder) : configFolder_(std::move(configFolder)) {
    CreateForm();
    modData = this;
    auto pending = std::move(PendingBindings());
    PendingBindings().clear();
    for (auto& bind : pending) bind(*this);
    try {
        DataModuleCreate();
    } catch (const std::exception& error) {
        ApplicationHandleException(error);
    }
}

TmodData::~TmodData() {
    if (modData == this) modData = nullptr;
}

void TmodData::WhenCreated(std::function<void(TmodData&)> bind) {
    if (modData)
        bind(*modData);
    else
        PendingBindings().push_back(std::move(bind));
}

void TmodData::DataModuleCreate() {
    IBDatabase->SetDatabaseName(ReadConnectionString(configFolder_));
    IBDatabase->SetConnected(true);
    if (IBDatabase->Connected()) return;
    AppDialogs().MessageBox(Utf8ToCp1251("Грешка при свързване с базата данни!"), "Error",
                            MessageIcon::Error, MessageButtons::OK);
    haltRequested_ = true;
}
