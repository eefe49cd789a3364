#include "support/TempDatabase.h"

#include "support/Command.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

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
    std::string pattern = (fs::temp_directory_path() / "skedora-db-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    return pattern;
}

// FNV-1a: stable across runs, so every test process finds the same template.
std::uint64_t TextHash(const std::string& text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : text)
        hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

std::string CreationScript(const std::string& path, const std::string& extraSql, int dialect) {
    std::string script = "SET SQL DIALECT " + std::to_string(dialect) + ";\nCREATE DATABASE '" +
                         path + "' USER '" + TempDatabase::kUser + "' PASSWORD '" +
                         TempDatabase::kPassword + "' DEFAULT CHARACTER SET WIN1251;\n";
    if (dialect == 3) script += ReadFile(std::string(SKEDORA_SQL_DIR) + "/schema.sql");
    return script + "\n" + extraSql + "\nCOMMIT;\n";
}

// The build tree keeps the templates between runs.
fs::path TemplateFolder() {
    fs::path folder = SKEDORA_TEST_DATABASES;
    fs::create_directories(folder);
    return folder;
}

// Made under a name of this process and renamed into place whole, so processes creating the
// same template at once never see a half-made file.
std::string TemplateFor(const std::string& extraSql, int dialect) {
    const std::string key = CreationScript("", extraSql, dialect);
    const fs::path folder = TemplateFolder();
    const fs::path file = folder / (std::to_string(TextHash(key)) + ".fdb");
    if (fs::exists(file)) return file.string();
    const std::string partial = file.string() + "." + std::to_string(::getpid());
    const std::string script = partial + ".sql";
    fs::remove(partial);
    WriteFile(script, CreationScript(partial, extraSql, dialect));
    try {
        RunIsql("", script);
    } catch (...) {
        fs::remove(script);
        fs::remove(partial);
        throw;
    }
    fs::remove(script);
    fs::rename(partial, file);
    return file.string();
}
} // namespace

TempDatabase::TempDatabase(const std::string& extraSql, int dialect)
    : folder_(MakeTempFolder()), path_(folder_ + "/test.fdb") {
    try {
        fs::copy_file(TemplateFor(extraSql, dialect), path_);
    } catch (...) {
        fs::remove_all(folder_);
        throw;
    }
}

TempDatabase::~TempDatabase() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

std::string TempDatabase::Isql(const std::string& sql) const {
    const std::string scriptPath = folder_ + "/query.sql";
    WriteFile(scriptPath, sql + "\n");
    return RunIsql(std::string("-user ") + kUser + " -password " + kPassword + " '" + path_ + "'",
                   scriptPath);
}
