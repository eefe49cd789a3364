#include "data/mData.h"
#include "db/IBDatabase.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "planner/widget/Planner.h"
#include "platform/Dialogs.h"
#include "platform/ErrorHandler.h"
#include "platform/QtText.h"
#include "schedule/CopyDayDialog.h"
#include "schedule/Main.h"
#include "schedule/PlannerDay.h"
#include "schedule/StoredDay.h"
#include "support/common/TextDate.h"

#include <QStatusBar>

namespace {

std::string Broadcasts(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " broadcast" : " broadcasts");
}

// In a read-only read-committed transaction of its own: the day's snapshot transaction would be
// held open across the question, and a writing one costs the engine a transaction's page writes.
int TargetBroadcasts(TIBDatabase& database, TDateTime date) {
    TIBTransaction transaction;
    transaction.SetDefaultDatabase(&database);
    transaction.SetParams({"read", "read_committed", "rec_version", "nowait"});
    TIBQuery query;
    query.SetDatabase(&database);
    query.SetTransaction(&transaction);
    return StoredBroadcastCount(query, date);
}

} // namespace

// The planner, its history and the version it started from stay as they are: the copy is
// another date's save, not this day's.
void TfrmMain::actCopyDayExecute() {
    const std::optional<TDateTime> target = TfrmCopyDay::ChooseDate(ScheduleDate(), this);
    if (!target) return;
    const std::string date = DateToText(*target);
    if (*target == ScheduleDate()) {
        AppDialogs().MessageBox("The schedule shown is that of " + date +
                                    ". Choose another date to copy it to.",
                                ApplicationTitle(), MessageIcon::Warning, MessageButtons::OK);
        return;
    }
    const int stored = TargetBroadcasts(*data_->IBDatabase, *target);
    if (stored > 0 &&
        AppDialogs().MessageBox("Replace the " + Broadcasts(stored) + " stored for " + date + "?",
                                ApplicationTitle(), MessageIcon::Question,
                                MessageButtons::YesNo) != mrYes)
        return;
    const TScheduleDay copy = DayOfPlanner(*Planner1, *target);
    StoreDayOverAnyVersion(*data_->qryTemp, copy);
    // For a while: the message hides the day's totals beside it.
    statusBar()->showMessage(
        ToQString("Copied " + Broadcasts(copy.Broadcasts.size()) + " to " + date + "."), 10000);
}
