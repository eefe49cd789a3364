#include "app/Startup.h"

#include "catalogue/ProgramFilter.h"
#include "catalogue/ProgramModule.h"
#include "db/IBDatabase.h"
#include "db/IBTransaction.h"
#include "planner/widget/Planner.h"
#include "platform/AppFolders.h"
#include "platform/Cp1251.h"
#include "platform/ErrorHandler.h"
#include "schedule/Main.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDatabase.h"
#include "support/TestApplication.h"

#include <QStatusBar>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

// A folder standing in for the executable's, with an optional SQL.ini.
class StartupFolder {
public:
    StartupFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("skedora-startup-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path_);
    }
    ~StartupFolder() { std::filesystem::remove_all(path_); }

    std::string Folder() const { return path_.string() + "/"; }
    void SetServer(const std::string& server) const {
        std::ofstream(path_ / "SQL.ini") << "[DATABASE]\nSERVER=" << server << "\n";
    }

private:
    std::filesystem::path path_;
};

class Startup : public testing::Test {
protected:
    void SetUp() override { TestApplication(); }

    ScriptedDialogs dialogs_;
    StartupFolder folder_;
};

TEST_F(Startup, ConnectsAndBindsTheWindowsToTheConnection) {
    TempDatabase database;
    folder_.SetServer(database.Path());
    auto objects = CreateApplicationObjects(folder_.Folder());

    EXPECT_TRUE(dialogs_.Calls().empty());
    EXPECT_EQ(ApplicationTitle(), "Skedora");
    const TmodData& data = *objects->data;
    EXPECT_TRUE(data.IBDatabase->Connected());
    EXPECT_EQ(
        data.IBDatabase->Params(),
        (std::vector<std::string>{"user_name=SYSDBA", "lc_ctype=WIN1251", "password=quarnelby"}));
    EXPECT_EQ(objects->main->trPrograms->DefaultDatabase(), data.IBDatabase.get());
    EXPECT_EQ(objects->programs->trPrograms->DefaultDatabase(), data.IBDatabase.get());
    EXPECT_EQ(objects->programFilter->trPrograms->DefaultDatabase(), data.IBDatabase.get());
    EXPECT_FALSE(objects->main->trPrograms->Active());
}

TEST_F(Startup, FailedAttachShowsOneBoxAndGoesOn) {
    folder_.SetServer(folder_.Folder() + "missing/KORVEN.FDB");
    auto objects = CreateApplicationObjects(folder_.Folder());

    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    const DialogCall& box = dialogs_.Calls()[0];
    EXPECT_EQ(box.Caption, "Skedora");
    EXPECT_EQ(box.Icon, MessageIcon::Error);
    EXPECT_NE(box.Text.find("missing/KORVEN.FDB"), std::string::npos) << box.Text;
    EXPECT_EQ(box.Text.back(), '.');
    EXPECT_FALSE(objects->data->HaltRequested());
    EXPECT_FALSE(objects->data->IBDatabase->Connected());
    EXPECT_NE(objects->programFilter, nullptr);
}

TEST_F(Startup, OpensTheStoredDayOfTheDateAskedFor) {
    TempDatabase database(
        "INSERT INTO PROGRAM_TIMELINE (NPROGRAM_ID, DSTART_DATE, TSTART_TIME, TDURATION) "
        "VALUES (4, '2011-03-05', '10:00', '00:30');");
    folder_.SetServer(database.Path());
    auto objects = CreateApplicationObjects(folder_.Folder(), {"skedora", "--date", "2011-03-05"});
    EXPECT_TRUE(dialogs_.Calls().empty());
    EXPECT_EQ(objects->main->ScheduleDate(), EncodeDate(2011, 3, 5));
    EXPECT_EQ(objects->main->Planner1->Items().Count(), 1);

    auto later = CreateApplicationObjects(folder_.Folder(), {"skedora", "--date=2011-03-06"});
    EXPECT_EQ(later->main->ScheduleDate(), EncodeDate(2011, 3, 6));
    EXPECT_EQ(later->main->Planner1->Items().Count(), 0);
}

TEST_F(Startup, DateThatDoesNotParseIsNamedAndTheFormsDateUsed) {
    TempDatabase database;
    folder_.SetServer(database.Path());
    for (const char* value : {"2011-02-30", "17.06.2010", "2011-3-5", ""}) {
        ScriptedDialogs dialogs;
        auto objects = CreateApplicationObjects(folder_.Folder(), {"skedora", "--date", value});
        ASSERT_EQ(dialogs.Messages().size(), 1u) << value;
        EXPECT_EQ(dialogs.Messages()[0], "Invalid --date \"" + std::string(value) +
                                             "\": expected a date as YYYY-MM-DD; the form's date "
                                             "is used.");
        EXPECT_EQ(objects->main->ScheduleDate(), EncodeDate(2010, 6, 17));
    }
}

TEST_F(Startup, FailedAttachOpensNoDayAndShowsNothingMore) {
    folder_.SetServer(folder_.Folder() + "missing/KORVEN.FDB");
    auto objects = CreateApplicationObjects(folder_.Folder(), {"skedora", "--date", "2011-03-05"});
    EXPECT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(objects->main->ScheduleDate(), EncodeDate(2011, 3, 5));
}

TEST_F(Startup, ConnectWithoutConnectionEndsTheProcess) {
    TempDatabase database;
    folder_.SetServer(database.Path());
    auto objects = CreateApplicationObjects(folder_.Folder(), {}, [](TmodData& data) {
        data.IBDatabase->AfterConnect = [](TIBDatabase& connection) { connection.ForcedClose(); };
    });

    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].Text, Utf8ToCp1251("Грешка при свързване с базата данни!"));
    EXPECT_EQ(dialogs_.Calls()[0].Caption, "Error");
    EXPECT_EQ(dialogs_.Calls()[0].Icon, MessageIcon::Error);
    EXPECT_TRUE(objects->data->HaltRequested());
    EXPECT_EQ(objects->programFilter, nullptr);
}

TEST_F(Startup, DatabaseOptionReplacesSqlIniForTheRun) {
    TempDatabase database;
    folder_.SetServer(folder_.Folder() + "missing/KORVEN.FDB");
    auto objects =
        CreateApplicationObjects(folder_.Folder(), {"skedora", "--database", database.Path()});
    EXPECT_TRUE(dialogs_.Calls().empty());
    EXPECT_TRUE(objects->data->IBDatabase->Connected());

    // A missing file named there is the attach error of any missing database.
    folder_.SetServer(database.Path());
    const std::string missing = folder_.Folder() + "missing/OTHER.FDB";
    auto other = CreateApplicationObjects(folder_.Folder(), {"skedora", "--database", missing});
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].Caption, "Skedora");
    EXPECT_NE(dialogs_.Calls()[0].Text.find(missing), std::string::npos);
    EXPECT_FALSE(other->data->IBDatabase->Connected());
}

// The place of an installed layout, its database in the folder of the test.
TDatabasePlace UsersOwnDatabase(const std::string& folder) {
    TDatabasePlace place;
    place.iniFiles = {folder + "config/SQL.ini"};
    place.defaultDatabase = folder + "data/skedora/KORVEN.FDB";
    place.schemaFile = SKEDORA_SOURCE_DIR "/sql/schema.sql";
    return place;
}

QString StatusMessage(TfrmMain& main) {
    const auto* bar = main.findChild<QStatusBar*>();
    return bar ? bar->currentMessage() : QString();
}

TEST_F(Startup, TheUsersDatabaseIsCreatedAndNamedInTheStatusBarOnce) {
    const TDatabasePlace place = UsersOwnDatabase(folder_.Folder());
    {
        auto objects = CreateApplicationObjects(place, {});
        EXPECT_TRUE(dialogs_.Calls().empty());
        EXPECT_TRUE(objects->data->IBDatabase->Connected());
        EXPECT_EQ(
            StatusMessage(*objects->main),
            QString::fromStdString("Created a new database at " + place.defaultDatabase + "."));
        EXPECT_EQ(objects->main->Planner1->Items().Count(), 0);
    }
    auto again = CreateApplicationObjects(place, {});
    EXPECT_TRUE(dialogs_.Calls().empty());
    EXPECT_TRUE(again->data->IBDatabase->Connected());
    EXPECT_EQ(StatusMessage(*again->main), QString());
}

TEST_F(Startup, AnUnwritableDataFolderIsNamedAndTheWindowOpensWithoutConnection) {
    TDatabasePlace place = UsersOwnDatabase(folder_.Folder());
    std::ofstream(folder_.Folder() + "data") << "a file where the data folder should be\n";
    auto objects = CreateApplicationObjects(place, {});
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].Caption, "Skedora");
    EXPECT_NE(dialogs_.Calls()[0].Text.find("Cannot create the folder " + folder_.Folder() +
                                            "data/skedora for the database: "),
              std::string::npos)
        << dialogs_.Calls()[0].Text;
    EXPECT_FALSE(objects->data->IBDatabase->Connected());
    EXPECT_FALSE(objects->data->HaltRequested());
    EXPECT_NE(objects->programFilter, nullptr);
    EXPECT_EQ(StatusMessage(*objects->main), QString());
}

TEST(DatabasePlace, BesideTheExecutableOrInTheUsersFolders) {
    const std::filesystem::path prefix =
        std::filesystem::temp_directory_path() / ("skedora-layout-" + std::to_string(::getpid()));
    std::filesystem::create_directories(prefix / "bin");
    const std::string bin = (prefix / "bin").string() + "/";
    EXPECT_EQ(DatabasePlaceOf(bin).defaultDatabase, bin + "KORVEN.FDB");
    EXPECT_EQ(DatabasePlaceOf(bin).schemaFile, "");

    std::filesystem::create_directories(prefix / "share/skedora");
    const TDatabasePlace place = DatabasePlaceOf(bin);
    EXPECT_EQ(place.iniFiles,
              (std::vector<std::string>{UserConfigFolder() + "SQL.ini", "/etc/skedora/SQL.ini"}));
    EXPECT_EQ(place.defaultDatabase, UserDataFolder() + "KORVEN.FDB");
    EXPECT_EQ(place.schemaFile, (prefix / "share/skedora/schema.sql").string());
    EXPECT_EQ(place.server, "");
    std::filesystem::remove_all(prefix);
}

} // namespace
