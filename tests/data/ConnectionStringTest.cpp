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
    void WriteIni(const std::string& text) const {
        std::ofstream(folder_ / "SQL.ini", std::ios::binary) << text;
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

} // namespace

namespace {

class ConnectionPlace : public testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("skedora-place-" + std::to_string(::getpid()) + "-" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
        place_.iniFiles = {File("user.ini"), File("system.ini")};
        place_.defaultDatabase = "/home/u/.local/share/skedora/KORVEN.FDB";
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string File(const std::string& name) const { return (folder_ / name).string(); }
    void Server(const std::string& name, const std::string& server) const {
        std::ofstream(folder_ / name, std::ios::binary) << "[DATABASE]\nSERVER=" << server << "\n";
    }

    std::filesystem::path folder_;
    TDatabasePlace place_;
};

TEST_F(ConnectionPlace, TheFirstFileThatExistsIsTheOneRead) {
    EXPECT_EQ(ReadConnectionString(place_), place_.defaultDatabase);
    Server("system.ini", "dbhost:/data/KORVEN.FDB");
    EXPECT_EQ(ReadConnectionString(place_), "dbhost:/data/KORVEN.FDB");
    Server("user.ini", "/srv/mine.fdb");
    EXPECT_EQ(ReadConnectionString(place_), "/srv/mine.fdb");
    // The user's file with an empty SERVER means the user's own database.
    Server("user.ini", "");
    EXPECT_EQ(ReadConnectionString(place_), place_.defaultDatabase);
}

TEST_F(ConnectionPlace, TheServerOfTheRunWins) {
    Server("user.ini", "/srv/mine.fdb");
    place_.server = "other:/x.fdb";
    EXPECT_EQ(ReadConnectionString(place_), "other:/x.fdb");
}

TEST_F(ConnectionPlace, InFolderIsTheSpecifiedPlace) {
    const TDatabasePlace place = TDatabasePlace::InFolder("/opt/sk/");
    EXPECT_EQ(place.iniFiles, std::vector<std::string>{"/opt/sk/SQL.ini"});
    EXPECT_EQ(place.defaultDatabase, "/opt/sk/KORVEN.FDB");
    EXPECT_EQ(place.schemaFile, "");
}

} // namespace
