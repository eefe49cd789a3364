#include "data/mData.h"
#include "db/IBDatabase.h"
#include "planner/widget/Planner.h"
#include "schedule/Main.h"
#include "schedule/MainWindowFixture.h"
#include "schedule/ScheduleDateBar.h"
#include "schedule/ScheduleHistory.h"

#include <QAction>
#include <QDateEdit>
#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <gmock/gmock.h>

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

TDateTime Time(int hours, int minutes) {
    return EncodeTime(hours, minutes, 0, 0);
}

const TDateTime kFormDate = EncodeDate(2010, 6, 17);

// The main window opened on a stored day, as start-up opens it.
class ScheduleDay : public MainWindowFixture {
protected:
    void Open(const std::string& sql = {}) {
        Start(Programme(1, "News", "Daily", "BG") + Programme(2, "Film", "Cinema", "EN") +
              Programme(3, "Sport", "Weekend", "DE") + sql);
        window_->OpenStoredDay();
    }
    void Add(int id, TDateTime start, TDateTime duration, int position = 0) {
        TScheduleEntry entry;
        entry.NID = id;
        entry.StartTime = start;
        entry.Duration = duration;
        window_->AddScheduleItem(entry, position);
        window_->History().Record("Add");
    }
    // Each item as "position begin-end caption", in item order.
    std::vector<std::string> Items() const {
        std::vector<std::string> items;
        for (const TPlannerItem& item : window_->Planner1->Items().All())
            items.push_back(std::to_string(item.ItemPos()) + " " +
                            std::to_string(item.BeginMinute()) + "-" +
                            std::to_string(item.EndMinute()) + " " + item.CaptionText());
        return items;
    }
    std::vector<std::string> Captions() const {
        return window_->Planner1->Header().Captions().Strings();
    }
    bool Unsaved() const { return window_->History().Unsaved(); }
};

TEST_F(ScheduleDay, SavedItemsComeBackWhenTheDayIsOpenedAgain) {
    Open();
    window_->LoadSelectedPrograms("1,2,3");
    window_->AddLoadedPrograms();
    const std::vector<std::string> added = Items();
    ASSERT_EQ(added.size(), 3u);
    EXPECT_TRUE(Unsaved());
    EXPECT_TRUE(window_->DateBar->lblUnsaved->isVisibleTo(window_->DateBar));

    window_->actSave->trigger();
    EXPECT_FALSE(Unsaved());
    window_->actNextDay->trigger();
    EXPECT_EQ(window_->ScheduleDate(), kFormDate + 1);
    EXPECT_EQ(window_->DateBar->edDate->date(), QDate(2010, 6, 18));
    EXPECT_THAT(Items(), IsEmpty());
    window_->actPreviousDay->trigger();
    EXPECT_EQ(Items(), added);
    EXPECT_FALSE(Unsaved());
    EXPECT_THAT(dialogs_.Messages(), IsEmpty());
    EXPECT_EQ(window_->windowTitle(), "Skedora");
}

TEST_F(ScheduleDay, PastMidnightAndThirdPositionKeepTheirPlaces) {
    Open();
    window_->Planner1->SetPositions(3);
    Add(1, Time(23, 30), Time(1, 0));
    Add(2, Time(12, 0), Time(0, 15), 2);
    Add(3, Time(6, 5), Time(0, 40), 1);
    const std::vector<std::string> added = Items();
    window_->actSave->trigger();
    window_->ChangeScheduleDate(kFormDate - 1);
    window_->ChangeScheduleDate(kFormDate);
    EXPECT_THAT(Items(), testing::UnorderedElementsAreArray(added));
    EXPECT_EQ(window_->Planner1->Positions(), 3);
    EXPECT_THAT(Captions(), ElementsAre("", "2010-06-17", "2010-06-18", "2010-06-19"));
}

TEST_F(ScheduleDay, BroadcastOfADeletedProgrammeShowsItsNumberWithEmptyTexts) {
    Open(Broadcast(1, "2010-06-17", "08:00", "00:30") +
         Broadcast(99, "2010-06-17", "09:00", "01:00"));
    EXPECT_THAT(Items(), ElementsAre("0 480-510 Program \xB9"
                                     "1",
                                     "0 540-600 Program \xB9"
                                     "99"));
    const std::vector<std::string>& text = window_->Planner1->Items()[1].Text();
    EXPECT_THAT(text, testing::Contains("<b>Program:</b> <p></p>"));
    EXPECT_THAT(Captions(), ElementsAre("", "2010-06-17"));
}

TEST_F(ScheduleDay, SavingAnOpenedDayUnchangedKeepsWhatWasStored) {
    Open(Broadcast(2, "2010-06-17", "10:00", "00:30"));
    window_->actSave->trigger();
    EXPECT_THAT(StoredRows(), ElementsAre("2 2010-06-17 2010-06-17 10:00:00 10:30:00 00:30:00"));
}

TEST_F(ScheduleDay, UndoAfterADragRestoresTheExactMinutes) {
    Open(Broadcast(1, "2010-06-17", "10:05", "00:30"));
    window_->resize(900, 700);
    window_->show();
    TPlanner& planner = *window_->Planner1;
    planner.SetTopRow(58);
    const TPlannerLayout layout = planner.Layout();
    const TRect cell = layout.CellRect(1, 61, planner.TopRow(), 24);
    const QPoint from(cell.Left + 100, layout.Grid.Top + cell.Top + 12);
    QTest::mousePress(&planner, Qt::LeftButton, {}, from);
    QTest::mouseMove(&planner, from + QPoint(0, 48));
    QTest::mouseRelease(&planner, Qt::LeftButton, {}, from + QPoint(0, 48));
    ASSERT_THAT(Items(), ElementsAre("0 620-660 Program \xB9"
                                     "1"));
    EXPECT_TRUE(Unsaved());

    window_->actUndo->trigger();
    EXPECT_THAT(Items(), ElementsAre("0 605-635 Program \xB9"
                                     "1"));
    EXPECT_FALSE(Unsaved());
    window_->actRedo->trigger();
    EXPECT_THAT(Items(), ElementsAre("0 620-660 Program \xB9"
                                     "1"));
}

TEST_F(ScheduleDay, DeleteKeyRemovesTheSelectedItemsUntilUndone) {
    Open(Broadcast(1, "2010-06-17", "08:00", "00:30") +
         Broadcast(2, "2010-06-17", "09:00", "00:30"));
    TPlanner& planner = *window_->Planner1;
    planner.Items().Select(&planner.Items()[1], false, {});
    QTest::keyClick(&planner, Qt::Key_Delete);
    EXPECT_THAT(Items(), ElementsAre("0 480-510 Program \xB9"
                                     "1"));
    EXPECT_THAT(StoredRows(), testing::SizeIs(2)) << "nothing is stored before Save";
    window_->actUndo->trigger();
    EXPECT_EQ(Items().size(), 2u);
}

TEST_F(ScheduleDay, ClosingWithChangesAsksAndFollowsTheAnswer) {
    Open();
    Add(1, Time(8, 0), Time(0, 30));
    dialogs_.Answer(mrCancel);
    EXPECT_FALSE(window_->close());
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].Text, "Save changes to the schedule of 2010-06-17?");
    EXPECT_EQ(dialogs_.Calls()[0].Buttons, MessageButtons::SaveDiscardCancel);

    dialogs_.Answer(mrNo);
    EXPECT_TRUE(window_->close());
    EXPECT_THAT(StoredRows(), IsEmpty());

    dialogs_.Answer(mrYes);
    EXPECT_TRUE(window_->close());
    EXPECT_THAT(StoredRows(), ElementsAre("1 2010-06-17 2010-06-17 08:00:00 08:30:00 00:30:00"));
    EXPECT_TRUE(window_->close()) << "nothing unsaved is left to ask about";
    EXPECT_EQ(dialogs_.Calls().size(), 3u);
}

TEST_F(ScheduleDay, CancelledDateChangeKeepsTheDayAndItsChanges) {
    Open();
    Add(1, Time(8, 0), Time(0, 30));
    dialogs_.Answer(mrCancel);
    window_->actNextDay->trigger();
    EXPECT_EQ(window_->ScheduleDate(), kFormDate);
    EXPECT_EQ(window_->DateBar->edDate->date(), QDate(2010, 6, 17));
    EXPECT_EQ(Items().size(), 1u);
    EXPECT_TRUE(Unsaved());
}

TEST_F(ScheduleDay, FailedSaveWhenLeavingKeepsTheWindowAndTheChanges) {
    Open("ALTER TABLE PROGRAM_TIMELINE ADD CONSTRAINT NO_SEVEN CHECK (NPROGRAM_ID <> 7);");
    Add(7, Time(8, 0), Time(0, 30));
    dialogs_.Answer(mrYes);
    EXPECT_FALSE(window_->close());
    ASSERT_EQ(dialogs_.Messages().size(), 2u);
    EXPECT_NE(dialogs_.Messages()[1].find("NO_SEVEN"), std::string::npos);
    EXPECT_TRUE(Unsaved());
    EXPECT_EQ(Items().size(), 1u);
}

TEST_F(ScheduleDay, UnreachableDatabaseWhileOpeningADayKeepsDateAndPlanner) {
    Open(Broadcast(1, "2010-06-17", "08:00", "00:30"));
    data_->IBDatabase->SetConnected(false);
    data_->IBDatabase->SetDatabaseName(FileInFolder("missing/KORVEN.FDB"));
    window_->DateBar->edDate->setDate(QDate(2010, 6, 20));
    EXPECT_EQ(dialogs_.Messages().size(), 1u);
    EXPECT_EQ(window_->ScheduleDate(), kFormDate);
    EXPECT_EQ(window_->DateBar->edDate->date(), QDate(2010, 6, 17));
    EXPECT_EQ(Items().size(), 1u);
}

// The edit itself refuses a day that does not exist; what it shows is the date in force.
TEST_F(ScheduleDay, TypedDayThatDoesNotExistIsRefused) {
    Open(Broadcast(1, "2010-06-17", "08:00", "00:30"));
    QDateEdit& edit = *window_->DateBar->edDate;
    edit.setFocus();
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&edit, "31.02.2010");
    QTest::keyClick(&edit, Qt::Key_Return);
    edit.clearFocus();
    EXPECT_EQ(window_->ScheduleDate(), FromQDate(edit.date()))
        << "the edit shows the date in force";
    EXPECT_EQ(Items().size(), window_->ScheduleDate() == kFormDate ? 1u : 0u);
    for (const std::string& message : dialogs_.Messages())
        ADD_FAILURE() << message;
}

TEST_F(ScheduleDay, TodayButtonOpensTheCurrentDate) {
    Open();
    window_->DateBar->btnToday->click();
    EXPECT_EQ(window_->DateBar->edDate->date(), QDate::currentDate());
    EXPECT_EQ(window_->ScheduleDate(), FromQDate(QDate::currentDate()));
}

} // namespace
