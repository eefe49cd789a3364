#include "data/mData.h"
#include "db/IBDatabase.h"
#include "planner/widget/Planner.h"
#include "schedule/Main.h"
#include "schedule/MainWindowFixture.h"
#include "schedule/ScheduleDateBar.h"
#include "schedule/ScheduleHistory.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QLabel>
#include <QMenu>
#include <QTableView>
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
    // Shown as the active window, so its shortcuts take the keys.
    void ShowActive() {
        window_->resize(900, 700);
        window_->show();
        QApplication::setActiveWindow(window_.get());
        QCoreApplication::processEvents();
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(window_.get(), static_cast<Qt::Key>(key), modifiers);
    }
    // The pointer's place over a slot of position 0, `dy` pixels below the slot's top.
    QPoint AtSlot(int slot, int dy = 12) const {
        const TPlanner& planner = *window_->Planner1;
        const TPlannerLayout layout = planner.Layout();
        const TRect cell = layout.CellRect(1, slot, planner.TopRow(), 24);
        return {cell.Left + 100, layout.Grid.Top + cell.Top + dy};
    }
    void Drag(std::initializer_list<QPoint> path) {
        TPlanner* planner = window_->Planner1;
        QTest::mousePress(planner, Qt::LeftButton, {}, *path.begin());
        for (const QPoint& at : path)
            QTest::mouseMove(planner, at);
        QTest::mouseRelease(planner, Qt::LeftButton, {}, *(path.end() - 1));
    }
    std::vector<std::string> RowsOf(const char* date) {
        return StoredRows(std::string("where dstart_date = '") + date + "'");
    }
};

// The day before keeps its later positions, whose end dates fall on the day saved next.
TEST_F(ScheduleDay, SavingOneDayLeavesEveryOtherDayAsStored) {
    Open();
    ShowActive();
    window_->Planner1->SetPositions(3);
    Add(1, Time(8, 0), Time(0, 30));
    Add(2, Time(23, 30), Time(1, 0), 1);
    Add(3, Time(6, 0), Time(0, 0), 2);
    window_->actSave->trigger();
    const std::vector<std::string> items = Items();
    const std::vector<std::string> rows = RowsOf("2010-06-17");
    EXPECT_THAT(rows, ElementsAre("3 2010-06-17 2010-06-19 06:00:00 06:00:00 00:00:00",
                                  "1 2010-06-17 2010-06-17 08:00:00 08:30:00 00:30:00",
                                  "2 2010-06-17 2010-06-18 23:30:00 00:30:00 01:00:00"));
    for (const bool addOne : {false, true}) {
        Key(Qt::Key_Right, Qt::AltModifier);
        ASSERT_EQ(window_->ScheduleDate(), kFormDate + 1);
        if (addOne) Add(2, Time(9, 0), Time(0, 30));
        window_->actSave->trigger();
        Key(Qt::Key_Left, Qt::AltModifier);
        ASSERT_EQ(window_->ScheduleDate(), kFormDate);
        EXPECT_THAT(Items(), testing::UnorderedElementsAreArray(items)) << "added " << addOne;
        EXPECT_EQ(RowsOf("2010-06-17"), rows) << "added " << addOne;
    }
    EXPECT_THAT(RowsOf("2010-06-18"),
                ElementsAre("2 2010-06-18 2010-06-18 09:00:00 09:30:00 00:30:00"));
    EXPECT_THAT(dialogs_.Calls(), IsEmpty());
}

// The snap moves an item's exact minutes even when the drag ends on the slot it began in.
TEST_F(ScheduleDay, EveryDragThatChangesAnItemIsOneStep) {
    Open(Broadcast(1, "2010-06-17", "07:43", "00:30"));
    ShowActive();
    window_->Planner1->SetTopRow(40);
    Drag({AtSlot(46), AtSlot(46)});
    EXPECT_FALSE(Unsaved()) << "a press and release changes nothing";
    Drag({AtSlot(46), AtSlot(47), AtSlot(46)});
    ASSERT_THAT(Items(), ElementsAre("0 460-500 Program \xB9"
                                     "1"));
    EXPECT_TRUE(Unsaved());
    Drag({AtSlot(49, 22), AtSlot(50, 22)});
    EXPECT_THAT(Items(), ElementsAre("0 460-510 Program \xB9"
                                     "1"));
    window_->actUndo->trigger();
    EXPECT_THAT(Items(), ElementsAre("0 460-500 Program \xB9"
                                     "1"));
    dialogs_.Answer(mrCancel);
    EXPECT_FALSE(window_->close());
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].Text, "Save changes to the schedule of 2010-06-17?");
    window_->actUndo->trigger();
    EXPECT_THAT(Items(), ElementsAre("0 463-493 Program \xB9"
                                     "1"));
    EXPECT_FALSE(Unsaved());
}

TEST_F(ScheduleDay, ItemMenuRemoveTakesTheClickedItemOff) {
    Open(Broadcast(1, "2010-06-17", "07:40", "00:30") +
         Broadcast(2, "2010-06-17", "09:00", "00:30"));
    ShowActive();
    window_->Planner1->SetTopRow(40);
    QTest::mouseClick(window_->Planner1, Qt::RightButton, {}, AtSlot(46));
    ASSERT_TRUE(window_->mnuItem->isVisible());
    EXPECT_EQ(window_->mnuItem->actions()[0]->text(), "Remove");
    window_->mnuItem->actions()[0]->trigger();
    window_->mnuItem->hide();
    EXPECT_THAT(Items(), ElementsAre("0 540-570 Program \xB9"
                                     "2"));
    EXPECT_TRUE(Unsaved());
}

// Save writes the day being left, Discard nothing; either way the chosen date opens.
TEST_F(ScheduleDay, DateChangePromptSavesOrDiscardsThenShowsTheNewDate) {
    Open(Broadcast(3, "2010-06-20", "12:00", "00:30"));
    ShowActive();
    Add(1, Time(8, 0), Time(0, 30));
    dialogs_.Answer(mrYes);
    QDateEdit& edit = *window_->DateBar->edDate;
    QTest::mouseClick(&edit, Qt::LeftButton, {}, QPoint(edit.width() - 6, edit.height() / 2));
    QCalendarWidget& calendar = *edit.calendarWidget();
    ASSERT_TRUE(calendar.isVisible());
    auto& days = *calendar.findChild<QTableView*>();
    QModelIndex twenty; // June shows one 20: the days before the 1st are May's last ones
    for (int row = 1; row < days.model()->rowCount(); ++row)
        for (int column = 1; column < days.model()->columnCount(); ++column)
            if (days.model()->index(row, column).data().toInt() == 20)
                twenty = days.model()->index(row, column);
    ASSERT_TRUE(twenty.isValid());
    QTest::mouseClick(days.viewport(), Qt::LeftButton, {}, days.visualRect(twenty).center());
    EXPECT_EQ(window_->ScheduleDate(), kFormDate + 3);
    EXPECT_THAT(Items(), ElementsAre("0 720-750 Program \xB9"
                                     "3"));
    EXPECT_THAT(RowsOf("2010-06-17"),
                ElementsAre("1 2010-06-17 2010-06-17 08:00:00 08:30:00 00:30:00"));

    Add(2, Time(9, 0), Time(0, 30));
    dialogs_.Answer(mrNo);
    Key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(window_->ScheduleDate(), kFormDate + 2);
    EXPECT_EQ(edit.date(), QDate(2010, 6, 19));
    EXPECT_THAT(RowsOf("2010-06-20"), ElementsAre("3 2010-06-20 - 12:00:00 - 00:30:00"));
    EXPECT_THAT(dialogs_.Messages(), ElementsAre("Save changes to the schedule of 2010-06-17?",
                                                 "Save changes to the schedule of 2010-06-20?"));
}

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
