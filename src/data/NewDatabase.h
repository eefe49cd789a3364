#pragma once

#include <string>
#include <vector>

// Creates the database file at path (a local path for the embedded engine) in dialect 3 with the
// default character set WIN1251, and runs the statements of the schema script on it. The folder
// is created when missing. The file is made under a temporary name beside it and takes its own
// name only when complete, so a failure leaves nothing behind; a leftover of an earlier failed
// start is removed first. Errors say what could not be made, naming the file or the folder.
void CreateDatabaseFromSchema(const std::string& path, const std::string& schemaFile);

// The temporary name the database has while it is being made.
std::string PartialDatabasePath(const std::string& path);

// The statements of a SQL script as isql takes them: "--" comments to the end of the line
// dropped, split at the semicolons outside quotes, blank ones and COMMIT left out.
std::vector<std::string> ScriptStatements(const std::string& script);
