#pragma once

#include "db/IBBase.h"
#include "db/IBDatabase.h"
#include "db/IBErrors.h"
#include "db/IBTransaction.h"
#include "support/ErrorText.h"
#include "support/TempDatabase.h"

#include <memory>
#include <string>
#include <vector>

// The connection parameters the application sends.
std::vector<std::string> ApplicationParams();

// A connection set up as the application's, not yet connected.
std::unique_ptr<TIBDatabase> MakeDatabase(const std::string& path);

// A statement user reduced to its link: records every notification it is given.
class RecordingLink {
public:
    explicit RecordingLink(std::vector<std::string>& log, std::string name = "link");

    TIBBase base;
    bool open = false;

private:
    void Record(std::vector<std::string>& log, const std::string& event);
    std::string name_;
};

// Runs one SQL statement in the transaction, through the client library directly.
void ExecuteImmediate(TIBTransaction& transaction, const std::string& sql);

// The single value isql prints for a one-column, one-row query.
std::string IsqlValue(const TempDatabase& database, const std::string& query);
