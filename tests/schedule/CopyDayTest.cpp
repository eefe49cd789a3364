#include "data/mData.h"
#include "db/IBDatabase.h"
#include "planner/widget/Planner.h"
#include "schedule/CopyDayDialog.h"
#include "schedule/Main.h"
#include "schedule/MainWindowFixture.h"
#include "schedule/ScheduleHistory.h"
#include "support/FaultClient.h"
#include "support/OwnConnection.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <cstdlib>
#include <gmock/gmock.h>

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

// Before any test binds the client library.
[[maybe_unused]] const bool kFaultClientChosen =
    setenv("SKEDORA_CLIENT_LIBRARY", SKEDORA_FAULT_CLIENT, 0) == 0;

const std::string kShownRow = "1 2010-06-17 - 06:00:00 - 00:30:00";
// The shown day once its two unsaved items are added, as stored under 2010-06-20.
const std::vector<std::string> kCopiedRows = {"1 2010-06-20 2010-06-20 06:00:00 06:30:00 00:30:00",
                                              "2 2010-06-20 2010-06-22 08:00:00 09:00:00 01:00:00",
                                              "3 2010-06-20 2010-06-21 23:30:00 00:30:00 01:00:00"};

// The window shows 2010-06-17 with one stored broadcast and two unsaved ones added after it.
class CopyDay : public MainWindowFixture {
protected:
    void Open(const std::string& sql = {}) {
        Start(Programme(1, "News", "Daily", "BG") + Programme(2, "Film", "Cinema", "EN") +
              Programme(3, "Sport", "Weekend", "DE") +
              Broadcast(1, "2010-06-17", "06:00", "00:30") + sql);
        window_->OpenStoredDay();
        window_->Planner1->SetPositions(3);
        Add(2, EncodeTime(8, 0, 0, 0), 2);
        Add(3, EncodeTime(23, 30, 0, 0), 1);
        shownItems_ = Items();
    }
    void Add(int id, TDateTime start, int position) {
        TScheduleEntry entry;
        entry.NID = id;
        entry.StartTime = start;
        entry.Duration = EncodeTime(1, 0, 0, 0);
        window_->AddScheduleItem(entry, position);
        window_->History().Record("Add");
    }
    std::vector<std::string> Items() const {
        std::vector<std::string> items;
        for (const TPlannerItem& item : window_->Planner1->Items().All())
            items.push_back(std::to_string(item.ItemPos()) + " " +
                            std::to_string(item.BeginMinute()) + " " + item.ItemKey());
        return items;
    }
    // The date window answers with the date, as the user picks it and clicks Copy; `action`
    // runs at the question that follows.
    void CopyTo(const char* date, int answer = mrNone, DialogAction action = {}) {
        dialogs_.AnswerWith([date](const DialogCall& call) {
            auto& window = dynamic_cast<TfrmCopyDay&>(*call.Window);
            window.edDate->setDate(QDate::fromString(date, Qt::ISODate));
            window.btnCopy->click();
            return window.result();
        });
        if (answer != mrNone) dialogs_.Answer(answer, std::move(action));
        window_->actCopyDay->trigger();
        EXPECT_EQ(dialogs_.PendingAnswers(), 0u);
    }
    std::vector<std::string> RowsOf(const char* date) {
        return StoredRows(std::string("where dstart_date = '") + date + "'");
    }
    std::string Version(const char* date) {
        OwnConnection reader(database_->Path(), data_->IBDatabase->Params());
        reader.Query.SetSQL(
            {std::string("select nversion from schedule_day where ddate = '") + date + "'"});
        reader.Query.Open();
        return reader.Query.AtEnd() ? "none" : reader.Query.Fields(0).AsString();
    }
    std::string StatusText() const { return window_->statusBar()->currentMessage().toStdString(); }
    // Whatever the copy did, the shown day is as it was: its items, unsaved, with its steps.
    void ExpectShownDayAsItWas() {
        EXPECT_EQ(window_->ScheduleDate(), EncodeDate(2010, 6, 17));
        EXPECT_EQ(Items(), shownItems_);
        EXPECT_TRUE(window_->History().Unsaved());
        EXPECT_EQ(window_->History().Stack().count(), 2);
        EXPECT_EQ(window_->History().Stack().index(), 2);
    }

    std::vector<std::string> shownItems_;
};

// Ctrl+Shift+C from the planner; the day then saves over its own version with no question.
TEST_F(CopyDay, ToAnEmptyDateStoresTheShownDayWithItsPositionsAndChangesNothingShown) {
    Open();
    EXPECT_EQ(window_->mnuMore->actions().value(0), window_->actCopyDay);
    EXPECT_EQ(window_->actCopyDay->text(), QString::fromUtf8("Copy Day To\u2026"));
    window_->show();
    QApplication::setActiveWindow(window_.get());
    QCoreApplication::processEvents();
    dialogs_.AnswerWith([](const DialogCall& call) {
        auto& window = dynamic_cast<TfrmCopyDay&>(*call.Window);
        EXPECT_EQ(window.Date(), EncodeDate(2010, 6, 18)) << "the day after is proposed";
        window.edDate->setDate(QDate(2010, 6, 20));
        window.btnCopy->click();
        return window.result();
    });
    QTest::keyClick(window_->Planner1, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(dialogs_.Calls().size(), 1u) << "only the date is asked";
    EXPECT_EQ(RowsOf("2010-06-20"), kCopiedRows);
    EXPECT_EQ(Version("2010-06-20"), "1");
    EXPECT_THAT(RowsOf("2010-06-17"), ElementsAre(kShownRow));
    EXPECT_EQ(StatusText(), "Copied 3 broadcasts to 2010-06-20.");
    ExpectShownDayAsItWas();

    window_->actSave->trigger();
    EXPECT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_THAT(RowsOf("2010-06-17"), testing::SizeIs(3));
}

TEST_F(CopyDay, OverStoredBroadcastsAsksFirstAndNoWritesNothing) {
    Open(Broadcast(2, "2010-06-20", "10:00", "00:30") +
         Broadcast(3, "2010-06-20", "11:00", "00:30") +
         "INSERT INTO SCHEDULE_DAY VALUES ('2010-06-20', 3, 'now');");
    const std::vector<std::string> before = RowsOf("2010-06-20");
    CopyTo("2010-06-20", mrNo);
    EXPECT_THAT(dialogs_.Messages(),
                ElementsAre("Replace the 2 broadcasts stored for 2010-06-20?"));
    EXPECT_EQ(dialogs_.Calls().back().Buttons, MessageButtons::YesNo);
    EXPECT_EQ(RowsOf("2010-06-20"), before);
    EXPECT_EQ(StatusText(), "");

    CopyTo("2010-06-20", mrYes);
    EXPECT_EQ(RowsOf("2010-06-20"), kCopiedRows);
    EXPECT_EQ(Version("2010-06-20"), "4") << "raised from the version it had";
    EXPECT_EQ(StatusText(), "Copied 3 broadcasts to 2010-06-20.");
    ExpectShownDayAsItWas();
}

TEST_F(CopyDay, ToTheShownDateIsRefusedAndACancelledDateDoesNothing) {
    Open();
    CopyTo("2010-06-17");
    EXPECT_THAT(dialogs_.Messages(),
                ElementsAre("The schedule shown is that of 2010-06-17. Choose another date to "
                            "copy it to."));
    dialogs_.Answer(mrCancel);
    window_->actCopyDay->trigger();
    EXPECT_EQ(dialogs_.Calls().size(), 3u);
    EXPECT_THAT(RowsOf("2010-06-17"), ElementsAre(kShownRow));
    EXPECT_EQ(Version("2010-06-17"), "none");
    EXPECT_EQ(StatusText(), "");
    ExpectShownDayAsItWas();
}

// From the second insert on, after the target's rows were deleted, every call fails.
void LoseTheConnection() {
    skedora_fault_set("*", kFaultConnectionLost, 0, 0);
}

TEST_F(CopyDay, ALostConnectionShowsTheErrorAndWritesNothing) {
    Open(Broadcast(2, "2010-06-20", "10:00", "00:30"));
    const std::vector<std::string> before = RowsOf("2010-06-20");
    {
        const ScopedCallHook lost("isc_dsql_execute", 3, LoseTheConnection);
        CopyTo("2010-06-20", mrYes);
        EXPECT_GT(skedora_fault_count(), 0);
        skedora_fault_clear();
    }
    ASSERT_EQ(dialogs_.Messages().size(), 2u);
    EXPECT_EQ(dialogs_.Calls().back().Icon, MessageIcon::Error) << dialogs_.Messages().back();
    EXPECT_FALSE(data_->IBDatabase->Connected());
    EXPECT_EQ(RowsOf("2010-06-20"), before);
    EXPECT_EQ(Version("2010-06-20"), "none");
    EXPECT_EQ(StatusText(), "");
    ExpectShownDayAsItWas();
}

// Another user acts on the target while the question is open.
struct Race {
    const char* other;
    bool commits;
    std::vector<std::string> rows;
    const char* version;
    std::vector<std::string> messages;
};

class CopyDayRace : public CopyDay, public testing::WithParamInterface<Race> {};

TEST_P(CopyDayRace, TheCopysTransactionDecidesAndNothingIsHalfWritten) {
    const Race& race = GetParam();
    Open(Broadcast(2, "2010-06-20", "10:00", "00:30") +
         "INSERT INTO SCHEDULE_DAY VALUES ('2010-06-20', 7, 'now');");
    OwnConnection other(database_->Path(), data_->IBDatabase->Params());
    CopyTo("2010-06-20", mrYes, [&](const DialogCall&) {
        other.Query.SetSQL({race.other});
        other.Query.Execute();
        if (race.commits) other.Transaction.Commit();
    });
    const std::vector<std::string> messages = dialogs_.Messages();
    EXPECT_EQ(std::vector<std::string>(messages.begin() + 1, messages.end()), race.messages);
    if (other.Transaction.Active()) other.Transaction.Rollback();
    EXPECT_EQ(RowsOf("2010-06-20"), race.rows);
    EXPECT_EQ(Version("2010-06-20"), race.version);
    ExpectShownDayAsItWas();
}

// A broadcast committed meanwhile goes with the rest; a save of the target still running stops
// the copy whole.
INSTANTIATE_TEST_SUITE_P(
    , CopyDayRace,
    testing::Values(
        Race{"insert into program_timeline (nprogram_id, dstart_date, tstart_time, tduration) "
             "values (2, '2010-06-20', '12:00', '00:30')",
             true,
             kCopiedRows,
             "8",
             {}},
        Race{"update schedule_day set nversion = 8 where ddate = '2010-06-20'",
             false,
             {"2 2010-06-20 - 10:00:00 - 00:30:00"},
             "7",
             {"The schedule of 2010-06-20 is being saved by another user. Try again."}}));

} // namespace
