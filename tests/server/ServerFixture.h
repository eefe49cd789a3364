#pragma once

#include "app/Startup.h"
#include "platform/FormatSettings.h"
#include "support/PrivateServer.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDatabase.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// The password the data module sends.
inline constexpr const char* kApplicationPassword = "quarnelby";

// The private server of this test program, started on first use and stopped at exit.
PrivateServer& Server();

// The application started through its own start-up, its SQL.ini naming a fresh database
// through the private server. Locale formats are fixed: "hh:mm:ss", "yyyy-mm-dd".
class ServerFixture : public testing::Test {
protected:
    ServerFixture();
    ~ServerFixture() override;
    // Makes sure the server runs again after a test that stopped it.
    void TearDown() override;

    // Starts the application on a fresh database holding `sql`'s rows (dialect 3 with the
    // application's tables, or dialect 1 with `sql` only).
    void StartOnServer(const std::string& sql = {}, int dialect = 3);
    // Starts the application with SQL.ini's SERVER set to `server`.
    void StartWith(const std::string& server);
    std::string DatabasePath() const { return database_->Path(); }
    std::string FileInFolder(const std::string& name) const;

    // "Add Program(s)" with the programmes of the identifiers ("2,3") chosen in the picker.
    void AddPrograms(const std::string& ids);
    void Save();
    // Runs Export with the dialog answering the file; the file's bytes.
    std::string ExportTo(const std::string& fileName);
    // PROGRAM_TIMELINE rows committed on the server as isql sees them: identifier and start.
    std::vector<std::string> StoredRows() const;
    bool Connected() const;
    int PlannerItems() const;

    ScriptedDialogs dialogs_;
    std::unique_ptr<TempDatabase> database_;
    std::unique_ptr<TStartup> app_;

private:
    FormatSettings savedSettings_;
};

std::string ReadBytes(const std::string& fileName);
// The broadcast rows for the database a test starts with.
std::string Broadcast(int id, const std::string& date, const std::string& start);
// Three programmes and one broadcast on the form's date, 17 June 2010.
std::string CatalogueAndDay();
