#include "data/mData.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "planner/widget/Planner.h"
#include "schedule/Main.h"
#include "schedule/MainWindowFixture.h"
#include "schedule/ScheduleHistory.h"

#include <QAction>
#include <gmock/gmock.h>

using testing::ElementsAre;

namespace {

const std::string kChanged =
    "The schedule of 2010-06-17 was changed by another user since you opened it.";

// Two schedulers on one database: the fixture's window is A, `other` is B.
class SaveConflict : public MainWindowFixture {
protected:
    void Open(const std::string& sql = {}) {
        Start(Programme(1, "News", "Daily", "BG") + Programme(2, "Film", "Cinema", "EN") + sql);
        window_->OpenStoredDay();
        other_ = std::make_unique<TfrmMain>();
        otherData_ = std::make_unique<TmodData>(
            FileInFolder(""), [this](TmodData& data) { other_->BindDataModule(data); });
        other_->OpenStoredDay();
    }
    void TearDown() override {
        otherData_.reset();
        other_.reset();
    }
    static void Add(TfrmMain& window, int id, int hour) {
        TScheduleEntry entry;
        entry.NID = id;
        entry.StartTime = EncodeTime(hour, 0, 0, 0);
        entry.Duration = EncodeTime(0, 30, 0, 0);
        window.AddScheduleItem(entry, 0);
        window.History().Record("Add");
    }
    std::vector<int> Keys(const TfrmMain& window) const {
        std::vector<int> keys;
        for (const TPlannerItem& item : window.Planner1->Items().All())
            keys.push_back(std::stoi(item.ItemKey()));
        return keys;
    }
    std::vector<std::string> Stored() { return StoredRows("where dstart_date = '2010-06-17'"); }

    std::unique_ptr<TfrmMain> other_;
    std::unique_ptr<TmodData> otherData_;
};

TEST_F(SaveConflict, ASaveOverAnotherUsersSaveAsksAndFollowsTheAnswer) {
    Open();
    Add(*window_, 1, 8);
    window_->actSave->trigger();
    const std::vector<std::string> saved = Stored();
    Add(*other_, 2, 9);

    dialogs_.Answer(mrCancel);
    other_->actSave->trigger();
    ASSERT_THAT(dialogs_.Messages(), ElementsAre(kChanged));
    EXPECT_EQ(dialogs_.Calls()[0].Buttons, MessageButtons::OverwriteReloadCancel);
    EXPECT_EQ(Stored(), saved);
    EXPECT_TRUE(other_->History().Unsaved());

    dialogs_.Answer(mrRetry);
    other_->actSave->trigger();
    EXPECT_EQ(Keys(*other_), std::vector<int>{1}) << "the stored day is shown";
    EXPECT_FALSE(other_->History().Unsaved());
    other_->actUndo->trigger();
    EXPECT_EQ(Keys(*other_), std::vector<int>{2}) << "its own edits are one Undo away";

    Add(*window_, 2, 10);
    window_->actSave->trigger();
    dialogs_.Answer(mrYes);
    other_->actSave->trigger();
    EXPECT_THAT(Stored(), ElementsAre("2 2010-06-17 2010-06-17 09:00:00 09:30:00 00:30:00"));
    EXPECT_EQ(dialogs_.Messages().size(), 3u);
    EXPECT_FALSE(other_->History().Unsaved());
}

// Another save of the date holds the row its transaction wrote; this one waits for it, then gives
// up with one message, writes nothing and keeps its day.
class SaveAtTheSameMoment : public SaveConflict {
protected:
    void SaveWhileAnotherHolds(const std::string& held) {
        TIBDatabase database;
        database.SetDatabaseName(database_->Path());
        database.SetParams(data_->IBDatabase->Params());
        database.SetLoginPrompt(false);
        database.SetConnected(true);
        TIBTransaction saving;
        saving.SetDefaultDatabase(&database);
        TIBQuery query;
        query.SetDatabase(&database);
        query.SetTransaction(&saving);
        query.SetSQL({held});
        query.Execute();

        Add(*window_, 1, 8);
        window_->actSave->trigger();
        EXPECT_THAT(dialogs_.Messages(),
                    ElementsAre("The schedule of 2010-06-17 is being saved by another user. "
                                "Try again."));
        EXPECT_FALSE(data_->trTemp->Active());
        EXPECT_TRUE(window_->History().Unsaved());
        saving.Rollback();
        EXPECT_THAT(Stored(), testing::IsEmpty());
        window_->actSave->trigger();
        EXPECT_THAT(Stored(), testing::SizeIs(1)) << "the next try goes through";
    }
};

TEST_F(SaveAtTheSameMoment, BothTheDatesFirstSave) {
    Open();
    SaveWhileAnotherHolds("insert into schedule_day values ('2010-06-17', 1, 'now')");
}

TEST_F(SaveAtTheSameMoment, BothALaterSave) {
    Open("INSERT INTO SCHEDULE_DAY VALUES ('2010-06-17', 4, 'now');");
    SaveWhileAnotherHolds("update schedule_day set nversion = 5");
}

TEST_F(SaveConflict, ADatabaseWithoutTheTableOfSavedDaysGetsItAtItsFirstSave) {
    Open("DROP TABLE SCHEDULE_DAY;");
    Add(*window_, 1, 8);
    window_->actSave->trigger();
    EXPECT_THAT(dialogs_.Messages(), testing::IsEmpty());
    EXPECT_THAT(StoredRows("where 1 = (select nversion from schedule_day)"), testing::SizeIs(1));
}

} // namespace
