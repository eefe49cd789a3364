#include "data/mData.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

class ConnectionString : public testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("skedora-ini-" + std::to_string(::getpid()) + "-" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string Folder() const { return folder_.string() + "/"; }
    void WriteIni(const std::string& text, const std::string& name = "SQL.ini") const {
        std::ofstream(folder_ / name, std::ios::binary) << text;
    }

private:
    std::filesystem::path folder_;
};

TEST_F(ConnectionString, DefaultsToDatabaseBesideExecutable) {
    EXPECT_EQ(ReadConnectionString(Folder()), Folder() + "KORVEN.FDB");

    WriteIni("[DATABASE]\r\nSERVER=\r\n");
    EXPECT_EQ(ReadConnectionString(Folder()), Folder() + "KORVEN.FDB");

    WriteIni("[OTHER]\r\nSERVER=elsewhere.fdb\r\n");
    EXPECT_EQ(ReadConnectionString(Folder()), Folder() + "KORVEN.FDB");
}

TEST_F(ConnectionString, ServerValuePassesUnchanged) {
    WriteIni("; the schedule database\r\n[Database]\r\n  server =  "
             "dbhost/3051:C:\\Data\\KORVEN.FDB \r\n");
    EXPECT_EQ(ReadConnectionString(Folder()), "dbhost/3051:C:\\Data\\KORVEN.FDB");

    WriteIni("[DATABASE]\nSERVER=\"dbhost:/data/a;b.fdb\"\nSERVER=second\n");
    EXPECT_EQ(ReadConnectionString(Folder()), "dbhost:/data/a;b.fdb");
}

TEST_F(ConnectionString, OverlongValueKeeps2047Characters) {
    const std::string path = "/" + std::string(3000, 'x');
    WriteIni("[DATABASE]\nSERVER=" + path + "\n");
    EXPECT_EQ(ReadConnectionString(Folder()), path.substr(0, 2047));
}

TEST_F(ConnectionString, TheServerOfTheRunThenTheFirstFileThatExistsThenTheDefault) {
    TDatabasePlace place{{Folder() + "user.ini", Folder() + "system.ini"}, "/home/u/K.FDB", {}, {}};
    EXPECT_EQ(ReadConnectionString(place), "/home/u/K.FDB");
    WriteIni("[DATABASE]\nSERVER=dbhost:/data/KORVEN.FDB\n", "system.ini");
    EXPECT_EQ(ReadConnectionString(place), "dbhost:/data/KORVEN.FDB");
    WriteIni("[DATABASE]\nSERVER=/srv/mine.fdb\n", "user.ini");
    EXPECT_EQ(ReadConnectionString(place), "/srv/mine.fdb");
    place.server = "other:/x.fdb";
    EXPECT_EQ(ReadConnectionString(place), "other:/x.fdb");
    // The user's file with an empty SERVER means the user's own database again.
    place.server.clear();
    WriteIni("[DATABASE]\nSERVER=\n", "user.ini");
    EXPECT_EQ(ReadConnectionString(place), "/home/u/K.FDB");
}

} // namespace
