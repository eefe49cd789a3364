#pragma once

#include <string>

// A fresh database file in a new temporary folder; the folder goes with the object. The file is
// a copy of a template made once through the embedded engine for each set of creation
// statements and kept in a cache folder shared by every test process.
class TempDatabase {
public:
    static constexpr const char* kUser = "SYSDBA";
    static constexpr const char* kPassword = "masterkey";

    // A dialect 3 database gets the application's two tables (sql/schema.sql) before extraSql
    // runs; the schema is dialect 3 SQL, so a dialect 1 database gets only extraSql.
    explicit TempDatabase(const std::string& extraSql = {}, int dialect = 3);
    ~TempDatabase();
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;

    const std::string& Path() const { return path_; }
    const std::string& Folder() const { return folder_; }

    // Runs SQL (UTF-8) through isql on the database and returns isql's output; throws
    // std::runtime_error with that output when isql fails. The embedded engine locks the file
    // to one process, so this works only while this process holds no attachment to it.
    std::string Isql(const std::string& sql) const;

private:
    std::string folder_;
    std::string path_;
};
