#include "platform/HandledAction.h"
#include "schedule/Main.h"
#include "schedule/ScheduleHistory.h"
#include "server/ServerFixture.h"
#include "support/FaultClient.h"

#include <fstream>
#include <gmock/gmock.h>
#include <sstream>

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

// The database of the save that the server dies in, and what the save's transaction had done on
// the server just before, as its monitoring tables give it: "inserts updates deletes".
std::string databaseOfSave;
std::string doneBeforeKill;

void InspectThenKillServer() {
    std::istringstream output(Server().Isql(
        databaseOfSave,
        "SET HEADING OFF;\nSELECT SUM(r.MON$RECORD_INSERTS) || ' ' || SUM(r.MON$RECORD_UPDATES) "
        "|| ' ' || SUM(r.MON$RECORD_DELETES) FROM MON$TRANSACTIONS t JOIN MON$RECORD_STATS r ON "
        "r.MON$STAT_ID = t.MON$STAT_ID WHERE t.MON$ATTACHMENT_ID <> CURRENT_CONNECTION;"));
    output >> std::ws;
    std::getline(output, doneBeforeKill);
    doneBeforeKill.erase(doneBeforeKill.find_last_not_of(' ') + 1);
    Server().Kill();
}

std::string StoredVersion(const std::string& database) {
    std::istringstream output(
        Server().Isql(database, "SET HEADING OFF;\nSELECT NVERSION FROM SCHEDULE_DAY;"));
    std::string version;
    output >> version;
    return version;
}

// Where the server dies, counted from the save's start. isc_dsql_execute runs the statements that
// return no rows: the raise of the version, the delete and the first insert are a save's first
// three. Its first commit ends the check that the table of saved days exists. `done` is what the
// save's transaction holds by then, the broadcast counts' trigger adding a row for each insert and
// delete.
struct KillPoint {
    const char* moment;
    const char* call;
    long after;
    const char* done;
};

void PrintTo(const KillPoint& point, std::ostream* stream) {
    *stream << point.moment;
}

class ServerKilledInSave : public ServerFixture, public testing::WithParamInterface<KillPoint> {};

// A day saved once (version 1) with one broadcast gets two more, and the save dies part-way.
TEST_P(ServerKilledInSave, LeavesTheDayStoredBeforeAndTheUnsavedDayOnThePlanner) {
    StartOnServer(CatalogueAndDay() +
                  "INSERT INTO SCHEDULE_DAY VALUES ('2010-06-17', 1, '2010-06-17 09:00');\n");
    AddPrograms("2,3");
    databaseOfSave = DatabasePath();
    doneBeforeKill.clear();
    {
        const ScopedCallHook kill(GetParam().call, GetParam().after, InspectThenKillServer);
        Save();
    }
    EXPECT_EQ(doneBeforeKill, GetParam().done) << "inserts, updates, deletes before the kill";
    ASSERT_THAT(dialogs_.Messages(), SizeIs(1));
    EXPECT_THAT(dialogs_.Messages()[0], HasSubstr("connection")) << dialogs_.Messages()[0];
    EXPECT_EQ(PlannerItems(), 3);
    EXPECT_TRUE(app_->main->History().Unsaved());

    Server().Start();
    EXPECT_THAT(StoredRows(), ElementsAre(kStoredDay));
    EXPECT_EQ(StoredVersion(DatabasePath()), "1");
    Save();
    EXPECT_THAT(dialogs_.Messages(), SizeIs(1)) << dialogs_.Messages().back();
    EXPECT_THAT(StoredRows(), ElementsAre(kStoredDay, "2 2010-06-17 10:30:00.0000",
                                          "3 2010-06-17 11:15:00.0000"));
    EXPECT_EQ(StoredVersion(DatabasePath()), "2");
    EXPECT_FALSE(app_->main->History().Unsaved());
}

INSTANTIATE_TEST_SUITE_P(
    Moments, ServerKilledInSave,
    testing::Values(KillPoint{"AfterTheFirstInsert", "isc_dsql_execute", 3, "3 1 1"},
                    KillPoint{"BeforeTheCommit", "isc_commit_transaction", 1, "7 1 1"}),
    [](const testing::TestParamInfo<KillPoint>& info) { return info.param.moment; });

} // namespace
