#include "DbTestSupport.h"

#include "db/ClientApi.h"
#include "db/ClientHandles.h"

#include <cstdlib>
#include <sstream>

namespace {
// Before any test binds the client library; a test that names another library still may.
[[maybe_unused]] const bool kFaultClientChosen =
    setenv("SKEDORA_CLIENT_LIBRARY", SKEDORA_FAULT_CLIENT, 0) == 0;
} // namespace

std::vector<std::string> ApplicationParams() {
    return {"user_name=SYSDBA", "lc_ctype=WIN1251", "password=quarnelby"};
}

std::unique_ptr<TIBDatabase> MakeDatabase(const std::string& path) {
    auto database = std::make_unique<TIBDatabase>();
    database->SetParams(ApplicationParams());
    database->SetLoginPrompt(false);
    database->SetSQLDialect(3);
    database->SetDatabaseName(path);
    return database;
}

RecordingLink::RecordingLink(std::vector<std::string>& log, std::string name)
    : name_(std::move(name)) {
    base.BeforeDatabaseDisconnect = [&] { Record(log, "before disconnect"); };
    base.AfterDatabaseDisconnect = [&] { Record(log, "after disconnect"); };
    base.OnDatabaseFree = [&] { Record(log, "database free"); };
    base.BeforeTransactionEnd = [&] { Record(log, "before end"); };
    base.AfterTransactionEnd = [&] { Record(log, "after end"); };
    base.OnTransactionFree = [&] { Record(log, "transaction free"); };
    base.OnConnectChange = [&](bool connected) {
        Record(log, connected ? "connected" : "disconnecting");
    };
    base.IsOpenResultSet = [this] { return open; };
}

void RecordingLink::Record(std::vector<std::string>& log, const std::string& event) {
    log.push_back(name_ + ": " + event);
}

void ExecuteImmediate(TIBTransaction& transaction, const std::string& sql) {
    TIBDatabase& database = *transaction.DefaultDatabase();
    transaction.Call(LoadClientLibrary().isc_dsql_execute_immediate(
                         StatusVector(), database.Handle().Ptr(), transaction.Handle().Ptr(), 0,
                         sql.c_str(), static_cast<unsigned short>(database.SQLDialect()), nullptr),
                     true);
}

std::string IsqlValue(const TempDatabase& database, const std::string& query) {
    std::istringstream output(database.Isql("SET LIST ON;\n" + query));
    std::string name, value;
    while (output >> name) {
        std::getline(output, value);
        const auto start = value.find_first_not_of(' ');
        return start == std::string::npos ? "" : value.substr(start);
    }
    return "";
}
