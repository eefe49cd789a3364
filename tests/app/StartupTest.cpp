#include "app/Startup.h"

#include "app/ErrorHandler.h"
#include "app/mData.h"
#include "catalogue/ProgramFilter.h"
#include "db/IBDatabase.h"
#include "db/IBTransaction.h"
#include "platform/Cp1251.h"
#include "schedule/Main.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDatabase.h"
#include "support/TestApplication.h"

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
    ASSERT_EQ(modData, objects->data.get());
    EXPECT_TRUE(modData->IBDatabase->Connected());
    EXPECT_EQ(
        modData->IBDatabase->Params(),
        (std::vector<std::string>{"user_name=SYSDBA", "lc_ctype=WIN1251", "password=quarnelby"}));
    EXPECT_EQ(frmMain->trPrograms->DefaultDatabase(), modData->IBDatabase.get());
    EXPECT_FALSE(frmMain->trPrograms->Active());
    EXPECT_EQ(frmMain->windowTitle(), "Skedora");
    EXPECT_EQ(frmMain->size(), QSize(870, 640));
    EXPECT_NE(frmProgramFilter, nullptr);
    EXPECT_EQ(frmMain->ScheduleDate(), 40346.0);
    EXPECT_FALSE(frmMain->Panel1->isVisibleTo(frmMain));
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
    EXPECT_FALSE(modData->IBDatabase->Connected());
    EXPECT_NE(objects->programFilter, nullptr);
}

TEST_F(Startup, ConnectWithoutConnectionEndsTheProcess) {
    TempDatabase database;
    folder_.SetServer(database.Path());
    TmodData::WhenCreated(this, [](TmodData& data) {
        data.IBDatabase->AfterConnect = [](TIBDatabase& connection) { connection.ForcedClose(); };
    });
    auto objects = CreateApplicationObjects(folder_.Folder());

    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].Text, Utf8ToCp1251("Грешка при свързване с базата данни!"));
    EXPECT_EQ(dialogs_.Calls()[0].Caption, "Error");
    EXPECT_EQ(dialogs_.Calls()[0].Icon, MessageIcon::Error);
    EXPECT_TRUE(objects->data->HaltRequested());
    EXPECT_EQ(objects->programFilter, nullptr);
}

TEST_F(Startup, WindowGoneBeforeTheDataModuleIsNotBound) {
    int owner = 0;
    bool bound = false;
    TmodData::WhenCreated(&owner, [&bound](TmodData&) { bound = true; });
    TmodData::CancelBindings(&owner);
    auto objects = CreateApplicationObjects(folder_.Folder());
    EXPECT_FALSE(bound);
}

} // namespace
