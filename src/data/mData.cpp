#include "data/mData.h"

#include "data/NewDatabase.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/Cp1251.h"
#include "platform/Dialogs.h"
#include "platform/ErrorHandler.h"
#include "platform/ProfileString.h"

#include <filesystem>
#include <fstream>
#include <system_error>

TDatabasePlace TDatabasePlace::InFolder(const std::string& folder) {
    return {{folder + "SQL.ini"}, folder + "KORVEN.FDB", {}, {}};
}

std::string ReadConnectionString(const std::string& folder) {
    return ReadConnectionString(TDatabasePlace::InFolder(folder));
}

std::string ReadConnectionString(const TDatabasePlace& place) {
    if (!place.server.empty()) return place.server;
    for (const std::string& file : place.iniFiles) {
        if (!std::ifstream(file, std::ios::binary)) continue;
        const std::string value = ReadProfileString(file, "DATABASE", "SERVER", "");
        return value.empty() ? place.defaultDatabase : value;
    }
    return place.defaultDatabase;
}

TmodData::TmodData(std::string configFolder, const BindWindows& bindWindows)
    : TmodData(TDatabasePlace::InFolder(configFolder), bindWindows) {}

TmodData::TmodData(TDatabasePlace place, const BindWindows& bindWindows)
    : place_(std::move(place)) {
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
    const std::string server = ReadConnectionString(place_);
    if (server == place_.defaultDatabase) CreateMissingDefaultDatabase();
    IBDatabase->SetDatabaseName(server);
    IBDatabase->SetConnected(true);
    if (IBDatabase->Connected()) return;
    AppDialogs().MessageBox(Utf8ToCp1251("Грешка при свързване с базата данни!"), "Error",
                            MessageIcon::Error, MessageButtons::OK);
    haltRequested_ = true;
}

void TmodData::CreateMissingDefaultDatabase() {
    std::error_code error;
    if (place_.schemaFile.empty() || std::filesystem::exists(place_.defaultDatabase, error)) return;
    CreateDatabaseFromSchema(place_.defaultDatabase, place_.schemaFile);
    createdDatabase_ = place_.defaultDatabase;
}
