#include "data/mData.h"
#include "db/IBDatabase.h"
#include "platform/HandledAction.h"
#include "schedule/Main.h"
#include "server/ServerFixture.h"

#include <filesystem>
#include <gmock/gmock.h>

using testing::HasSubstr;
using testing::SizeIs;

namespace {

class ConnectionInput : public ServerFixture {
protected:
    // The one box start-up showed; the main window is there and holds no connection.
    std::string StartUpError() {
        EXPECT_THAT(dialogs_.Messages(), SizeIs(1));
        EXPECT_NE(app_->main, nullptr);
        EXPECT_NE(app_->programFilter, nullptr) << "start-up went on";
        EXPECT_FALSE(Connected());
        return dialogs_.Messages().empty() ? "" : dialogs_.Messages()[0];
    }
};

TEST_F(ConnectionInput, ServerUnreachableAtStart) {
    Server().Stop();
    StartOnServer(CatalogueAndDay());
    EXPECT_THAT(StartUpError(), HasSubstr("127.0.0.1"));
    Save();
    ExportTo(FileInFolder("day.xml"));
    RunHandled([&] { app_->main->ChangeScheduleDate(EncodeDate(2010, 6, 18)); });
    EXPECT_THAT(dialogs_.Messages(), SizeIs(4));
    EXPECT_EQ(PlannerItems(), 0);
}

TEST_F(ConnectionInput, WrongPassword) {
    Server().ChangePassword("another");
    StartOnServer(CatalogueAndDay());
    Server().ChangePassword(kApplicationPassword);
    EXPECT_THAT(StartUpError(), HasSubstr("password"));
}

TEST_F(ConnectionInput, MissingDatabaseFile) {
    StartWith(Server().ConnectionString("/nonexistent/KORVEN.FDB"));
    EXPECT_THAT(StartUpError(), HasSubstr("/nonexistent/KORVEN.FDB"));
}

TEST_F(ConnectionInput, DatabaseOfAnotherDialect) {
    StartOnServer("", 1);
    const std::string refusal =
        "The database is of SQL dialect 1; Skedora needs a database of dialect 3.";
    EXPECT_EQ(StartUpError(), refusal);
    Save();
    EXPECT_EQ(dialogs_.Messages().back(), refusal) << "every later attach is refused alike";
    EXPECT_FALSE(Connected());
}

// SERVER travels as the attach call's name, not in the parameter block: a long one arrives whole.
TEST_F(ConnectionInput, ServerNameOverTwoHundredFiftyFiveBytes) {
    StartOnServer(CatalogueAndDay());
    app_.reset();
    const std::string folder = FileInFolder(std::string(120, 'a') + "/" + std::string(120, 'b'));
    std::filesystem::create_directories(folder);
    std::filesystem::rename(DatabasePath(), folder + "/KORVEN.FDB");
    const std::string server = Server().ConnectionString(folder + "/KORVEN.FDB");
    ASSERT_GT(server.size(), 255u);
    StartWith(server);
    EXPECT_TRUE(dialogs_.Messages().empty()) << dialogs_.Messages().front();
    EXPECT_EQ(PlannerItems(), 1);

    StartWith(Server().ConnectionString("/" + std::string(300, 'x') + ".fdb"));
    EXPECT_THAT(StartUpError(), HasSubstr("File name too long"));
}

} // namespace
