#include "data/NewDatabase.h"

#include "db/IBDatabase.h"
#include "db/IBSQL.h"
#include "db/IBTransaction.h"
#include "platform/Cp1251.h"
#include "platform/Exceptions.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string Trim(const std::string& text) {
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    const auto begin = std::find_if_not(text.begin(), text.end(), blank);
    const auto end = std::find_if_not(text.rbegin(), std::make_reverse_iterator(begin), blank);
    return std::string(begin, end.base());
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool IsCommit(const std::string& statement) {
    const std::string upper = Upper(statement);
    return upper == "COMMIT" || upper == "COMMIT WORK";
}

// The terminator a SET TERM statement names.
std::optional<std::string> NewTerminator(const std::string& statement) {
    const std::string keyword = "SET TERM";
    if (statement.size() <= keyword.size() ||
        std::isspace(static_cast<unsigned char>(statement[keyword.size()])) == 0 ||
        Upper(statement.substr(0, keyword.size())) != keyword)
        return std::nullopt;
    return Trim(statement.substr(keyword.size()));
}

// Paths are file-system text; messages are Windows-1251.
std::string Shown(const fs::path& path) {
    return Utf8ToCp1251(path.string());
}

std::string ReadScript(const std::string& schemaFile) {
    std::ifstream file(schemaFile, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    if (!file || text.str().empty())
        throw EInOutError("Cannot read the database schema " + Shown(schemaFile));
    return text.str();
}

void CreateFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (!error && fs::is_directory(folder, error)) return;
    throw EInOutError("Cannot create the folder " + Shown(folder) + " for the database: " +
                      (error ? error.message() : std::string("a file of that name is in the way")));
}

void RunStatements(TIBDatabase& database, const std::vector<std::string>& statements) {
    for (const std::string& statement : statements) {
        TIBTransaction transaction;
        transaction.SetDefaultDatabase(&database);
        TIBSQL sql;
        sql.SetDatabase(&database);
        sql.SetTransaction(&transaction);
        sql.SetParamCheck(false);
        sql.SetSQL({statement});
        transaction.Start();
        sql.Execute();
        transaction.Commit();
    }
}

void MakeDatabase(const std::string& file, const std::vector<std::string>& statements) {
    TIBDatabase database;
    database.SetDatabaseName(file);
    database.SetParams({"USER 'SYSDBA'", "PASSWORD 'quarnelby'", "DEFAULT CHARACTER SET WIN1251"});
    database.SetSQLDialect(3);
    database.CreateDatabase();
    RunStatements(database, statements);
    database.SetConnected(false);
}

} // namespace

std::string PartialDatabasePath(const std::string& path) {
    return path + ".part";
}

void CreateDatabaseFromSchema(const std::string& path, const std::string& schemaFile) {
    const std::vector<std::string> statements = ScriptStatements(ReadScript(schemaFile));
    const fs::path target(path);
    CreateFolder(target.parent_path());
    const std::string partial = PartialDatabasePath(path);
    std::error_code error;
    fs::remove(partial, error);
    try {
        MakeDatabase(partial, statements);
        fs::rename(partial, target);
    } catch (const Exception& failure) {
        fs::remove(partial, error);
        throw EDatabaseError("Cannot create the database " + Shown(target) + " in the folder " +
                             Shown(target.parent_path()) + ": " + failure.Message());
    } catch (const fs::filesystem_error& failure) {
        fs::remove(partial, error);
        throw EInOutError("Cannot create the database " + Shown(target) + ": " +
                          failure.code().message());
    }
}

// As isql reads a script: SET TERM changes the text that ends a statement, so that trigger and
// procedure bodies keep their semicolons.
std::vector<std::string> ScriptStatements(const std::string& script) {
    std::vector<std::string> statements;
    std::string terminator = ";";
    std::string current;
    const auto finish = [&] {
        const std::string statement = Trim(current);
        current.clear();
        if (const std::optional<std::string> next = NewTerminator(statement))
            terminator = *next;
        else if (!statement.empty() && !IsCommit(statement))
            statements.push_back(statement);
    };
    char quote = 0;
    for (std::size_t i = 0; i < script.size(); ++i) {
        const char c = script[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (script.compare(i, 2, "--") == 0) {
            i = std::min(script.find('\n', i), script.size()) - 1;
            continue;
        } else if (script.compare(i, terminator.size(), terminator) == 0) {
            finish();
            i += terminator.size() - 1;
            continue;
        }
        current += c;
    }
    finish();
    return statements;
}
