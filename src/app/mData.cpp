#include "app/mData.h"

#include "app/ErrorHandler.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/Cp1251.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/ProfileString.h"

#include <vector>

TmodData* modData = nullptr;

namespace {
struct PendingBinding {
    const void* owner;
    std::function<void(TmodData&)> bind;
};

std::vector<PendingBinding>& PendingBindings() {
    static std::vector<PendingBinding> bindings;
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
    for (auto& binding : pending)
        binding.bind(*this);
    try {
        DataModuleCreate();
    } catch (const std::exception& error) {
        ApplicationHandleException(error);
    }
}

TmodData::~TmodData() {
    if (modData == this) modData = nullptr;
}

void TmodData::WhenCreated(const void* owner, std::function<void(TmodData&)> bind) {
    if (modData)
        bind(*modData);
    else
        PendingBindings().push_back({owner, std::move(bind)});
}

void TmodData::CancelBindings(const void* owner) {
    std::erase_if(PendingBindings(),
                  [owner](const PendingBinding& binding) { return binding.owner == owner; });
}

void TmodData::DataModuleCreate() {
    IBDatabase->SetDatabaseName(ReadConnectionString(configFolder_));
    IBDatabase->SetConnected(true);
    if (IBDatabase->Connected()) return;
    AppDialogs().MessageBox(Utf8ToCp1251("Грешка при свързване с базата данни!"), "Error",
                            MessageIcon::Error, MessageButtons::OK);
    haltRequested_ = true;
}
