#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TIBDatabase;
class TIBQuery;
class TIBTransaction;

// Where the data module finds its database.
struct TDatabasePlace {
    // The SQL.ini files looked for, in order; the first that can be opened is the one read.
    std::vector<std::string> iniFiles;
    // The connection string when SQL.ini gives no SERVER.
    std::string defaultDatabase;
    // Given for this run (the command line's --database): when not empty it replaces SQL.ini.
    std::string server;
    // When set, a missing default database is first created from this schema script.
    std::string schemaFile;

    // SQL.ini and KORVEN.FDB in the one folder (given with its trailing separator).
    static TDatabasePlace InFolder(const std::string& folder);
};

// The data module: the one database connection of the application and the shared query.
class TmodData {
public:
    using BindWindows = std::function<void(TmodData&)>;

    // Builds the components, lets bindWindows point the windows created before it at the
    // connection, then runs DataModuleCreate; an error leaving it goes to the application-wide
    // error handler. configFolder is where SQL.ini is looked for (with its trailing separator).
    explicit TmodData(std::string configFolder, const BindWindows& bindWindows = {});
    // The same with the database found at the place: DataModuleCreate first creates a missing
    // default database when the place names a schema.
    explicit TmodData(TDatabasePlace place, const BindWindows& bindWindows = {});
    ~TmodData();
    TmodData(const TmodData&) = delete;
    TmodData& operator=(const TmodData&) = delete;

    void DataModuleCreate();
    // Set when the connect step left no connection: the process must end with exit code 0.
    bool HaltRequested() const { return haltRequested_; }
    // The database file DataModuleCreate created, or empty.
    const std::string& CreatedDatabase() const { return createdDatabase_; }

    std::unique_ptr<TIBDatabase> IBDatabase;
    std::unique_ptr<TIBQuery> qryTemp;
    std::unique_ptr<TIBTransaction> trTemp;
    std::unique_ptr<TIBQuery> qryNextID;
    std::unique_ptr<TIBTransaction> trNextId;

private:
    void CreateForm();

    void CreateMissingDefaultDatabase();

    TDatabasePlace place_;
    bool haltRequested_ = false;
    std::string createdDatabase_;
};

// The connection string: SQL.ini's SERVER of section DATABASE, or folder + "KORVEN.FDB".
std::string ReadConnectionString(const std::string& folder);
// The connection string of the place: its server, else SERVER of section DATABASE of the first
// of its SQL.ini files that can be opened, else its default database.
std::string ReadConnectionString(const TDatabasePlace& place);
