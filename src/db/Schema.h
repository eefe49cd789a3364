#pragma once

#include <map>
#include <memory>
#include <string>

class TIBDatabase;
class TIBSQL;

// Per table, the columns that are computed or have a default value, read once per table on
// the connection's internal transaction.
class TSchema {
public:
    explicit TSchema(TIBDatabase& database);
    ~TSchema();
    TSchema(const TSchema&) = delete;
    TSchema& operator=(const TSchema&) = delete;

    bool Has_COMPUTED_BLR(const std::string& relation, const std::string& field);
    bool Has_DEFAULT_VALUE(const std::string& relation, const std::string& field);
    // Forgets every table.
    void FreeNodes() { relations_.clear(); }

private:
    struct ColumnFacts {
        bool computed = false;
        bool hasDefault = false;
    };
    using Columns = std::map<std::string, ColumnFacts>;

    ColumnFacts Lookup(const std::string& relation, const std::string& field);
    Columns ReadRelation(const std::string& relation);
    Columns ReadRows(const std::string& relation);

    TIBDatabase& database_;
    std::map<std::string, Columns> relations_;
    std::unique_ptr<TIBSQL> query_;
};
