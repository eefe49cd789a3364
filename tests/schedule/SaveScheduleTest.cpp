#include "data/mData.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "planner/widget/Planner.h"
#include "schedule/Main.h"
#include "schedule/MainWindowFixture.h"

#include <QAction>
#include <gmock/gmock.h>

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

TDateTime Time(int hours, int minutes) {
    return EncodeTime(hours, minutes, 0, 0);
}

class SaveSchedule : public MainWindowFixture {
protected:
    void Add(int id, TDateTime start, TDateTime duration, int position = 0) {
        TScheduleEntry entry;
        entry.NID = id;
        entry.StartTime = start;
        entry.Duration = duration;
        window_->AddScheduleItem(entry, position);
    }
    void Save() { window_->actSave->trigger(); }
};

TEST_F(SaveSchedule, ReplacesOnlyTheScheduleDatesRows) {
    Start(Broadcast(1, "2010-06-17", "10:00", "00:30") +
          Broadcast(2, "2010-06-18", "11:00", "00:30") +
          "INSERT INTO PROGRAM_TIMELINE (NPROGRAM_ID, DSTART_DATE, DEND_DATE) "
          "VALUES (3, '2010-06-15', '2010-06-17');");
    Save();
    EXPECT_THAT(StoredRows(),
                ElementsAre("3 2010-06-15 2010-06-17 - - -", "2 2010-06-18 - 11:00:00 - 00:30:00"))
        << "a row of another day that ends on the saved date is that day's";

    Add(5, Time(9, 5), Time(0, 30));
    Add(6, Time(8, 0), Time(1, 0));
    Save();
    Save();
    EXPECT_THAT(StoredRows("where dstart_date = '2010-06-17'"),
                ElementsAre("6 2010-06-17 2010-06-17 08:00:00 09:00:00 01:00:00",
                            "5 2010-06-17 2010-06-17 09:05:00 09:35:00 00:30:00"));
    EXPECT_TRUE(dialogs_.Calls().empty());
    EXPECT_EQ(window_->Planner1->Items().Count(), 2) << "saving leaves the planner as it was";
}

TEST_F(SaveSchedule, EndDateFollowsThePositionAndRunningTime) {
    Start();
    window_->Planner1->SetPositions(3);
    Add(1, Time(23, 30), Time(1, 0));
    Add(2, Time(10, 0), Time(0, 0));
    Add(3, Time(12, 0), Time(0, 15), 2);
    Save();
    EXPECT_THAT(StoredRows(), ElementsAre("2 2010-06-17 2010-06-17 10:00:00 10:00:00 00:00:00",
                                          "3 2010-06-17 2010-06-19 12:00:00 12:15:00 00:15:00",
                                          "1 2010-06-17 2010-06-17 23:30:00 00:30:00 01:00:00"));
}

TEST_F(SaveSchedule, FailureHalfWayLeavesTheStoredDayAsItWas) {
    Start(Broadcast(1, "2010-06-17", "10:00", "00:30") +
          "ALTER TABLE PROGRAM_TIMELINE ADD CONSTRAINT NO_SEVEN CHECK (NPROGRAM_ID <> 7);");
    Add(5, Time(8, 0), Time(0, 30));
    Add(7, Time(9, 0), Time(0, 30));
    Add(6, Time(10, 0), Time(0, 30));
    Save();
    ASSERT_EQ(dialogs_.Messages().size(), 1u);
    EXPECT_NE(dialogs_.Messages()[0].find("NO_SEVEN"), std::string::npos) << dialogs_.Messages()[0];
    EXPECT_FALSE(data_->trTemp->Active());
    EXPECT_THAT(StoredRows(), ElementsAre("1 2010-06-17 - 10:00:00 - 00:30:00"));

    window_->ExportSchedule(); // the next user of the shared query commits nothing of the save
    EXPECT_THAT(StoredRows(), ElementsAre("1 2010-06-17 - 10:00:00 - 00:30:00"));
}

TEST_F(SaveSchedule, WithoutConnectionShowsTheErrorAndGoesOn) {
    Start();
    data_->IBDatabase->SetConnected(false);
    data_->IBDatabase->SetDatabaseName(FileInFolder("missing/KORVEN.FDB"));
    Add(1, Time(8, 0), Time(0, 30));
    Save();
    ASSERT_EQ(dialogs_.Messages().size(), 1u);
    EXPECT_NE(dialogs_.Messages()[0].find("missing/KORVEN.FDB"), std::string::npos);
    EXPECT_EQ(window_->Planner1->Items().Count(), 1);
}

} // namespace
