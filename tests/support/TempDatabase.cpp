#include "support/TempDatabase.h"

#include "support/Command.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {
std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + path);
}

// isql's combined output; throws when it reports a failure.
std::string RunIsql(const std::string& arguments, const std::string& script) {
    const CommandResult result =
        RunCommand("isql-fb -q -b -ch UTF8 " + arguments + " -i '" + script + "' 2>&1");
    if (result.exitCode != 0) throw std::runtime_error("isql-fb failed: " + result.output);
    return result.output;
}

std::string MakeTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "skedora-db-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    return pattern;
}
} // namespace

TempDatabase::TempDatabase(const std::string& extraSql, int dialect)
    : folder_(MakeTempFolder()), path_(folder_ + "/test.fdb") {
    std::string script = "SET SQL DIALECT " + std::to_string(dialect) + ";\nCREATE DATABASE '" +
                         path_ + "' USER '" + kUser + "' PASSWORD '" + kPassword +
                         "' DEFAULT CHARACTER SET WIN1251;\n";
    if (dialect == 3) script += ReadFile(std::string(SKEDORA_SQL_DIR) + "/schema.sql");
    script += "\n" + extraSql + "\nCOMMIT;\n";
    try {
        const std::string scriptPath = folder_ + "/create.sql";
        WriteFile(scriptPath, script);
        RunIsql("", scriptPath);
    } catch (...) {
        std::filesystem::remove_all(folder_);
        throw;
    }
}

TempDatabase::~TempDatabase() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::string TempDatabase::Isql(const std::string& sql) const {
    const std::string scriptPath = folder_ + "/query.sql";
    WriteFile(scriptPath, sql + "\n");
    return RunIsql(std::string("-user ") + kUser + " -password " + kPassword + " '" + path_ + "'",
                   scriptPath);
}
