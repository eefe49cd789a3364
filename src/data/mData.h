#pragma once

#include <functional>
#include <memory>
#include <string>

class TIBDatabase;
class TIBQuery;
class TIBTransaction;

// The data module: the one database connection of the application and the shared query.
class TmodData {
public:
    using BindWindows = std::function<void(TmodData&)>;

    // Builds the components, lets bindWindows point the windows created before it at the
    // connection, then runs DataModuleCreate; an error leaving it goes to the application-wide
    // error handler. configFolder is where SQL.ini is looked for (with its trailing separator).
    explicit TmodData(std::string configFolder, const BindWindows& bindWindows = {});
    ~TmodData();
    TmodData(const TmodData&) = delete;
    TmodData& operator=(const TmodData&) = delete;

    void DataModuleCreate();
    // Set when the connect step left no connection: the process must end with exit code 0.
    bool HaltRequested() const { return haltRequested_; }

    std::unique_ptr<TIBDatabase> IBDatabase;
    std::unique_ptr<TIBQuery> qryTemp;
    std::unique_ptr<TIBTransaction> trTemp;
    std::unique_ptr<TIBQuery> qryNextID;
    std::unique_ptr<TIBTransaction> trNextId;

private:
    void CreateForm();

    std::string configFolder_;
    bool haltRequested_ = false;
};

// The connection string: SQL.ini's SERVER of section DATABASE, or folder + "KORVEN.FDB".
std::string ReadConnectionString(const std::string& folder);
