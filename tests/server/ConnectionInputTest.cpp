#include "data/mData.h"
#include "db/IBDatabase.h"
#include "platform/HandledAction.h"
#include "schedule/Main.h"
#include "server/ServerFixture.h"

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

TEST_F(ConnectionInput, ServerNameLongerThanAParameterCanCarry) {
    const std::string server = Server().ConnectionString("/" + std::string(300, 'x') + ".fdb");
    StartWith(server);
    EXPECT_THAT(StartUpError(), HasSubstr("xxx"));
}

} // namespace
