#include "data/mData.h"
#include "db/IBDatabase.h"
#include "planner/widget/Planner.h"
#include "schedule/Main.h"
#include "schedule/MainWindowFixture.h"
#include "schedule/RecoveryFile.h"
#include "schedule/ScheduleHistory.h"

#include <QAction>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>

using testing::ElementsAre;

namespace {

const std::string kAsk = "Skedora closed without saving the schedule of 2010-06-17. Restore the "
                         "unsaved changes?";

// The window of a run that ended without closing it: the data folder keeps its unsaved day.
class Recovery : public MainWindowFixture {
protected:
    void Open() {
        Start(Programme(1, "News", "Daily", "BG") + Broadcast(1, "2010-06-17", "06:00", "00:30"));
        window_->OpenStoredDay();
    }
    void Add(int hour) {
        TScheduleEntry entry;
        entry.NID = 1;
        entry.StartTime = EncodeTime(hour, 0, 0, 0);
        entry.Duration = EncodeTime(0, 30, 0, 0);
        window_->AddScheduleItem(entry, 0);
        window_->History().Record("Add");
    }
    bool Kept() const {
        const TRecoveryFile file(database_->Path(), EncodeDate(2010, 6, 17));
        return std::filesystem::exists(file.Path());
    }
    // The process ends with the window as it is, and a new run opens the same day.
    void RunAgain() {
        data_.reset();
        window_.reset();
        window_ = std::make_unique<TfrmMain>();
        data_ = std::make_unique<TmodData>(
            FileInFolder(""), [this](TmodData& data) { window_->BindDataModule(data); });
        window_->OpenStoredDay();
    }
    std::vector<int> Starts() const {
        std::vector<int> starts;
        for (const TPlannerItem& item : window_->Planner1->Items().All())
            starts.push_back(item.BeginMinute());
        return starts;
    }
};

TEST_F(Recovery, EveryUnsavedStepIsKeptAndSavingOrUndoingToTheSavedDayRemovesIt) {
    Open();
    EXPECT_FALSE(Kept());
    Add(8);
    EXPECT_TRUE(Kept());
    window_->actUndo->trigger();
    EXPECT_FALSE(Kept()) << "back at the stored day";
    window_->actRedo->trigger();
    EXPECT_TRUE(Kept());
    window_->actSave->trigger();
    EXPECT_FALSE(Kept());
    Add(9);
    dialogs_.Answer(mrNo);
    EXPECT_TRUE(window_->close());
    EXPECT_FALSE(Kept()) << "discarded at closing";
    EXPECT_THAT(dialogs_.Messages(), ElementsAre("Save changes to the schedule of 2010-06-17?"));
}

TEST_F(Recovery, ADayKeptFromAnEndedRunIsOfferedBackAsOneUnsavedStep) {
    Open();
    Add(8);
    dialogs_.Answer(mrYes);
    RunAgain();
    ASSERT_THAT(dialogs_.Messages(), ElementsAre(kAsk));
    EXPECT_EQ(dialogs_.Calls()[0].Buttons, MessageButtons::RestoreDiscard);
    EXPECT_THAT(Starts(), ElementsAre(360, 480));
    EXPECT_TRUE(window_->History().Unsaved());
    window_->actUndo->trigger();
    EXPECT_THAT(Starts(), ElementsAre(360));
    window_->actRedo->trigger();

    dialogs_.Answer(mrYes);
    RunAgain();
    EXPECT_EQ(dialogs_.Messages().size(), 2u) << "restored, and unsaved again";
    dialogs_.Answer(mrNo);
    RunAgain();
    EXPECT_THAT(Starts(), ElementsAre(360)) << "discarded";
    EXPECT_FALSE(Kept());
    EXPECT_EQ(dialogs_.Messages().size(), 3u);
}

TEST_F(Recovery, AKeptDayWhoseDateWasSavedSinceSaysSo) {
    Open();
    Add(8);
    const TRecoveryFile file(database_->Path(), EncodeDate(2010, 6, 17));
    const std::string kept = ReadBytes(file.Path());
    window_->actSave->trigger();
    std::ofstream(file.Path(), std::ios::binary) << kept;
    dialogs_.Answer(mrNo);
    RunAgain();
    EXPECT_THAT(dialogs_.Messages(),
                ElementsAre("Skedora closed without saving the schedule of 2010-06-17. The stored "
                            "schedule was saved again since then. Restore the unsaved changes?"));
}

} // namespace
