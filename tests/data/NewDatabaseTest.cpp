#include "data/NewDatabase.h"

#include "data/mData.h"
#include "db/IBDatabase.h"
#include "db/IBSQL.h"
#include "db/IBTransaction.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

const std::string kSchema = SKEDORA_SOURCE_DIR "/sql/schema.sql";

// Keeps the texts of the message boxes the data module shows.
class RecordedBoxes : public Dialogs {
public:
    RecordedBoxes() : previous_(SetAppDialogs(this)) {}
    ~RecordedBoxes() override { SetAppDialogs(previous_); }

    ModalResult MessageBox(const std::string& text, const std::string&, MessageIcon,
                           MessageButtons) override {
        texts.push_back(text);
        return mrOk;
    }
    bool OpenFile(OpenFileRequest&) override { return false; }
    int ShowModal(QWidget&) override { return mrOk; }

    std::vector<std::string> texts;

private:
    Dialogs* previous_;
};

class NewDatabase : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("skedora-newdb-" + std::to_string(::getpid()) + "-" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string In(const std::string& name) const { return (folder_ / name).string(); }
    std::string WriteFile(const std::string& name, const std::string& text) const {
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

TEST(ScriptStatements, SplitsAtSemicolonsOutsideQuotesAndComments) {
    EXPECT_EQ(ScriptStatements("-- a comment; with a semicolon\nCREATE TABLE A (X INTEGER);\n"
                               "INSERT INTO A VALUES ('a;b'); -- trailing\n\nCOMMIT;\n"
                               "  commit work ;\nSELECT \"x;y\" FROM A"),
              (std::vector<std::string>{"CREATE TABLE A (X INTEGER)",
                                        "INSERT INTO A VALUES ('a;b')", "SELECT \"x;y\" FROM A"}));
    EXPECT_TRUE(ScriptStatements("-- only a comment").empty());
    EXPECT_EQ(ScriptStatements("SELECT '--' FROM A;").size(), 1u);
}

TEST_F(NewDatabase, IsMadeFromTheSchemaInANewFolder) {
    const std::string path = In("data/skedora/KORVEN.FDB");
    CreateDatabaseFromSchema(path, kSchema);

    EXPECT_TRUE(fs::is_regular_file(path));
    EXPECT_FALSE(fs::exists(PartialDatabasePath(path)));
    EXPECT_EQ(QueryValue(path, "SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME IN "
                               "('PROGRAM_DESCRIPTION', 'PROGRAM_TIMELINE')"),
              "2");
    EXPECT_EQ(QueryValue(path, "SELECT COUNT(*) FROM PROGRAM_DESCRIPTION"), "0");
    EXPECT_EQ(QueryValue(path, "SELECT TRIM(RDB$CHARACTER_SET_NAME) FROM RDB$DATABASE"), "WIN1251");
    EXPECT_EQ(QueryValue(path, "SELECT MON$SQL_DIALECT FROM MON$DATABASE"), "3");
}

TEST_F(NewDatabase, AFailedStatementLeavesNothingBehind) {
    const std::string schema =
        WriteFile("bad.sql", "CREATE TABLE A (X INTEGER);\nCREATE TABLE A (X INTEGER);\n");
    const std::string path = In("KORVEN.FDB");
    try {
        CreateDatabaseFromSchema(path, schema);
        FAIL() << "the second table of the same name must fail";
    } catch (const EDatabaseError& error) {
        EXPECT_NE(error.Message().find("Cannot create the database " + path + " in the folder " +
                                       folder_.string() + ": "),
                  std::string::npos)
            << error.Message();
    }
    EXPECT_FALSE(fs::exists(path));
    EXPECT_FALSE(fs::exists(PartialDatabasePath(path)));
}

TEST_F(NewDatabase, ALeftoverOfAnEarlierStartIsReplaced) {
    const std::string path = In("KORVEN.FDB");
    WriteFile("KORVEN.FDB.part", "half a database");
    CreateDatabaseFromSchema(path, kSchema);
    EXPECT_EQ(QueryValue(path, "SELECT COUNT(*) FROM PROGRAM_TIMELINE"), "0");
    EXPECT_FALSE(fs::exists(PartialDatabasePath(path)));
}

// A file where the folder should be stops even root, who may write anywhere else.
TEST_F(NewDatabase, AFolderThatCannotBeMadeIsNamed) {
    WriteFile("data", "a file, not a folder");
    try {
        CreateDatabaseFromSchema(In("data/skedora/KORVEN.FDB"), kSchema);
        FAIL() << "no folder can be made inside a file";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.Message().rfind(
                      "Cannot create the folder " + In("data/skedora") + " for the database: ", 0),
                  0u)
            << error.Message();
    }
}

TEST_F(NewDatabase, AMissingSchemaIsNamed) {
    try {
        CreateDatabaseFromSchema(In("KORVEN.FDB"), In("none.sql"));
        FAIL();
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.Message(), "Cannot read the database schema " + In("none.sql"));
    }
    EXPECT_FALSE(fs::exists(In("KORVEN.FDB")));
}

TEST_F(NewDatabase, TheDataModuleCreatesTheMissingDefaultOnceOnly) {
    RecordedBoxes boxes;
    TDatabasePlace place;
    place.defaultDatabase = In("data/KORVEN.FDB");
    place.schemaFile = kSchema;
    {
        TmodData data(place);
        EXPECT_TRUE(data.IBDatabase->Connected());
        EXPECT_EQ(data.CreatedDatabase(), place.defaultDatabase);
    }
    TmodData again(place);
    EXPECT_TRUE(again.IBDatabase->Connected());
    EXPECT_EQ(again.CreatedDatabase(), "");
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(NewDatabase, ADefaultThatCannotBeMadeIsOneErrorBoxAndNoConnection) {
    RecordedBoxes boxes;
    TDatabasePlace place;
    place.defaultDatabase = In("data/skedora/KORVEN.FDB");
    place.schemaFile = kSchema;
    WriteFile("data", "a file, not a folder");
    TmodData data(place);
    EXPECT_FALSE(data.IBDatabase->Connected());
    EXPECT_FALSE(data.HaltRequested());
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_NE(boxes.texts[0].find("Cannot create the folder " + In("data/skedora")),
              std::string::npos);
}

TEST_F(NewDatabase, OnlyTheDefaultIsEverCreated) {
    RecordedBoxes boxes;
    TDatabasePlace place;
    place.iniFiles = {WriteFile("SQL.ini", "[DATABASE]\nSERVER=" + In("other.fdb") + "\n")};
    place.defaultDatabase = In("KORVEN.FDB");
    place.schemaFile = kSchema;
    TmodData data(place);
    EXPECT_FALSE(data.IBDatabase->Connected());
    EXPECT_EQ(data.CreatedDatabase(), "");
    EXPECT_FALSE(fs::exists(In("KORVEN.FDB")));
    EXPECT_FALSE(fs::exists(In("other.fdb")));
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_NE(boxes.texts[0].find("other.fdb"), std::string::npos) << boxes.texts[0];
}

} // namespace
