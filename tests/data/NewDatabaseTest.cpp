#include "data/NewDatabase.h"

#include "db/IBDatabase.h"
#include "db/IBSQL.h"
#include "db/IBTransaction.h"
#include "platform/Exceptions.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

const std::string kSchema = SKEDORA_SOURCE_DIR "/sql/schema.sql";

class NewDatabase : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("skedora-newdb-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string In(const std::string& name) const { return (folder_ / name).string(); }
    std::string WriteFile(const std::string& name, const std::string& text) const {
        fs::create_directories((folder_ / name).parent_path());
        std::ofstream(folder_ / name, std::ios::binary) << text;
        return In(name);
    }

    fs::path folder_;
};

// The one value of a one-row query, as text, on a fresh attachment.
std::string QueryValue(const std::string& path, const std::string& query) {
    TIBDatabase database;
    database.SetDatabaseName(path);
    database.SetParams({"user_name=SYSDBA", "password=masterkey"});
    database.SetLoginPrompt(false);
    database.SetConnected(true);
    TIBTransaction transaction;
    transaction.SetDefaultDatabase(&database);
    TIBSQL sql;
    sql.SetDatabase(&database);
    sql.SetTransaction(&transaction);
    sql.SetSQL({query});
    transaction.Start();
    sql.Execute();
    std::string value = sql.Field(0).AsString();
    sql.CloseRows();
    transaction.Commit();
    return value;
}

TEST(ScriptStatements, SplitsAtTheTerminatorOutsideQuotesAndComments) {
    struct Case {
        const char* script;
        std::vector<std::string> statements;
    };
    const Case cases[] = {
        {"-- a comment; with a semicolon\nCREATE TABLE A (X INTEGER);\n"
         "INSERT INTO A VALUES ('a;b--c'); -- trailing\n\nCOMMIT;\n"
         "  commit work ;\nSELECT \"x;y\" FROM A",
         {"CREATE TABLE A (X INTEGER)", "INSERT INTO A VALUES ('a;b--c')",
          "SELECT \"x;y\" FROM A"}},
        {"-- only a comment", {}},
        // Trigger bodies keep their semicolons; the terminator set back ends the next ones.
        {"SET TERM ^ ;\nCREATE TRIGGER T FOR A AS BEGIN X = 1; END^\nset term ; ^\nDROP TABLE A;",
         {"CREATE TRIGGER T FOR A AS BEGIN X = 1; END", "DROP TABLE A"}},
        {"SET TERM !! ;\nEXECUTE BLOCK AS BEGIN END !!\nSELECT '!!' FROM A!!",
         {"EXECUTE BLOCK AS BEGIN END", "SELECT '!!' FROM A"}},
        {"SET TERMINATOR = 1;", {"SET TERMINATOR = 1"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScriptStatements(c.script), c.statements) << c.script;
}

// In a folder still to be made, over what a killed first start left.
TEST_F(NewDatabase, IsMadeFromTheSchemaOverALeftoverOfAnEarlierStart) {
    const std::string path = In("data/skedora/KORVEN.FDB");
    WriteFile("data/skedora/KORVEN.FDB.part", "half a database");
    CreateDatabaseFromSchema(path, kSchema);

    EXPECT_FALSE(fs::exists(PartialDatabasePath(path)));
    EXPECT_EQ(QueryValue(path, "SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME IN "
                               "('PROGRAM_DESCRIPTION', 'PROGRAM_TIMELINE')"),
              "2");
    EXPECT_EQ(QueryValue(path, "SELECT COUNT(*) FROM PROGRAM_DESCRIPTION"), "0");
    EXPECT_EQ(QueryValue(path, "SELECT COUNT(*) FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME = "
                               "'PROGRAM_TIMELINE_SHOW_COUNT'"),
              "1");
    EXPECT_EQ(QueryValue(path, "SELECT TRIM(RDB$CHARACTER_SET_NAME) FROM RDB$DATABASE"), "WIN1251");
    EXPECT_EQ(QueryValue(path, "SELECT MON$SQL_DIALECT FROM MON$DATABASE"), "3");
}

// Every failure names what could not be made and leaves neither the file nor its partial one.
TEST_F(NewDatabase, AFailureIsNamedAndLeavesNothingBehind) {
    const std::string path = In("data/KORVEN.FDB");
    const struct {
        const char* what;
        std::function<std::string()> schema; // makes the case, returns the schema file
        std::string message;
    } cases[] = {
        {"a statement fails",
         [&] {
             return WriteFile("bad.sql", "CREATE TABLE A (X INTEGER);\nCREATE TABLE A (X INT);");
         },
         "Cannot create the database " + path + " in the folder " + In("data") + ": "},
        {"no schema", [&] { return In("none.sql"); },
         "Cannot read the database schema " + In("none.sql")},
        {"a file where the folder should be",
         [&] {
             WriteFile("data", "not a folder");
             return kSchema;
         },
         "Cannot create the folder " + In("data") + " for the database: "},
    };
    for (const auto& test : cases) {
        const std::string schema = test.schema();
        try {
            CreateDatabaseFromSchema(path, schema);
            ADD_FAILURE() << test.what << ": no error";
        } catch (const Exception& error) {
            EXPECT_EQ(error.Message().rfind(test.message, 0), 0u)
                << test.what << ": " << error.Message();
        }
        EXPECT_FALSE(fs::is_regular_file(path)) << test.what;
        EXPECT_FALSE(fs::exists(PartialDatabasePath(path))) << test.what;
        fs::remove_all(In("data"));
    }
}

} // namespace
