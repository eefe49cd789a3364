#include "platform/HandledAction.h"
#include "schedule/Main.h"
#include "server/ServerFixture.h"

#include <fstream>
#include <gmock/gmock.h>

using testing::ElementsAre;
using testing::HasSubstr;
using testing::SizeIs;

namespace {

using ServerKilled = ServerFixture;

const char* const kStoredDay = "1 2010-06-17 10:00:00.0000";

TEST_F(ServerKilled, SaveShowsOneErrorKeepsTheDayAndTheNextSaveReconnects) {
    StartOnServer(CatalogueAndDay());
    AddPrograms("2");
    Server().Kill();
    Save();
    ASSERT_THAT(dialogs_.Messages(), SizeIs(1));
    EXPECT_THAT(dialogs_.Messages()[0], HasSubstr("connection")) << dialogs_.Messages()[0];
    EXPECT_FALSE(Connected()) << "the lost connection is closed";
    EXPECT_EQ(PlannerItems(), 2) << "the planner keeps the unsaved work";

    Server().Start();
    EXPECT_THAT(StoredRows(), ElementsAre(kStoredDay));
    Save();
    EXPECT_THAT(dialogs_.Messages(), SizeIs(1)) << dialogs_.Messages().back();
    EXPECT_TRUE(Connected());
    EXPECT_THAT(StoredRows(), ElementsAre(kStoredDay, "2 2010-06-17 10:30:00.0000"));
}

TEST_F(ServerKilled, EveryActionShowsItsErrorWhileTheServerIsDown) {
    StartOnServer(CatalogueAndDay());
    const std::string file = FileInFolder("day.xml");
    std::ofstream(file) << "earlier export";
    Server().Kill();

    EXPECT_EQ(ExportTo(file), "earlier export");
    Save();
    RunHandled([&] { app_->main->ChangeScheduleDate(EncodeDate(2010, 6, 18)); });
    RunHandled([&] { AddPrograms("3"); });
    ASSERT_THAT(dialogs_.Messages(), SizeIs(4));
    for (const std::string& message : dialogs_.Messages())
        EXPECT_FALSE(message.empty());
    EXPECT_THAT(dialogs_.Messages()[1], HasSubstr("127.0.0.1")) << "a reconnection was tried";
    EXPECT_EQ(app_->main->ScheduleDate(), EncodeDate(2010, 6, 17));
    EXPECT_EQ(PlannerItems(), 1);
    EXPECT_FALSE(Connected());

    Server().Start();
    EXPECT_THAT(StoredRows(), ElementsAre(kStoredDay));
    app_->main->ChangeScheduleDate(EncodeDate(2010, 6, 18));
    EXPECT_TRUE(Connected());
    EXPECT_EQ(app_->main->ScheduleDate(), EncodeDate(2010, 6, 18));
}

} // namespace
