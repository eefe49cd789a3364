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
    // Builds the components, binds the references that waited for the data module, then runs
    // DataModuleCreate; an error leaving it goes to the application-wide error handler.
    // configFolder is where SQL.ini is looked for (with its trailing separator).
    explicit TmodData(std::string configFolder);
    ~TmodData();
    TmodData(const TmodData&) = delete;
    TmodData& operator=(const TmodData&) = delete;

    void DataModuleCreate();
    // Set when the connect step left no connection: the process must end with exit code 0.
    bool HaltRequested() const { return haltRequested_; }

    // Runs bind with the data module now when it exists, else as soon as it is created.
    // An owner that goes away first cancels what it still waits for.
    static void WhenCreated(const void* owner, std::function<void(TmodData&)> bind);
    static void CancelBindings(const void* owner);

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

extern TmodData* modData;

// The connection string: SQL.ini's SERVER of section DATABASE, or folder + "KORVEN.FDB".
std::string ReadConnectionString(const std::string& folder);
