#include "data/mData.h"
#include "db/IBDatabase.h"
#include "planner/widget/Planner.h"
#include "platform/Dialogs.h"
#include "platform/ErrorHandler.h"
#include "platform/HandledAction.h"
#include "schedule/LayoutLock.h"
#include "schedule/Main.h"
#include "schedule/PlannerDay.h"
#include "schedule/RecoveryFile.h"
#include "schedule/ScheduleDateBar.h"
#include "schedule/ScheduleHistory.h"
#include "schedule/StoredDay.h"
#include "support/calendar/PlannerCalendar.h"
#include "support/common/TextDate.h"

#include <QCloseEvent>
#include <QCursor>
#include <QMenu>
#include <optional>

void TfrmMain::SetScheduleDate(TDateTime date) {
    PlannerCalendar1->SetSelectedDate(date);
    DateBar->SetDate(ScheduleDate());
}

void TfrmMain::OpenStoredDay() {
    ShowStoredDay(ReadStoredDay(*qryDay, ScheduleDate()));
}

// The day is read before anything changes, so a failed read leaves date and planner alone.
void TfrmMain::ChangeScheduleDate(TDateTime date) {
    DateBar->SetDate(ScheduleDate());
    if (date == ScheduleDate() || !ConfirmLeavingDay()) return;
    const TScheduleDay day = ReadStoredDay(*qryDay, date);
    SetScheduleDate(date);
    ShowStoredDay(day);
}

void TfrmMain::ShowStoredDay(const TScheduleDay& day) {
    const std::optional<TScheduleDay> kept = RecoveryOfShownDay().Read();
    ShowDay(*Planner1, day);
    storedVersion_ = day.StoredVersion;
    history_->Reset();
    RefreshDayMarks();
    if (kept) OfferRecovery(*kept, day.StoredVersion);
}

TRecoveryFile TfrmMain::RecoveryOfShownDay() const {
    return TRecoveryFile(data_->IBDatabase->DatabaseName(), ScheduleDate());
}

// A day just opened has no steps yet: its file waits for the answer about it.
void TfrmMain::KeepRecovery() {
    if (!data_ || history_->Stack().count() == 0) return;
    const TRecoveryFile file = RecoveryOfShownDay();
    if (!history_->Unsaved()) return file.Remove();
    TScheduleDay day = DayOfPlanner(*Planner1, ScheduleDate());
    day.StoredVersion = storedVersion_;
    file.Write(day);
}

void TfrmMain::OfferRecovery(const TScheduleDay& kept, int storedVersion) {
    std::string text =
        "Skedora closed without saving the schedule of " + DateToText(ScheduleDate()) + ".";
    if (kept.StoredVersion != storedVersion)
        text += " The stored schedule was saved again since then.";
    const ModalResult answer =
        AppDialogs().MessageBox(text + " Restore the unsaved changes?", ApplicationTitle(),
                                MessageIcon::Question, MessageButtons::RestoreDiscard);
    if (answer == mrYes) {
        storedVersion_ = kept.StoredVersion;
        const TScheduleStep step(*history_, "Restore");
        ShowDay(*Planner1, kept);
    }
    if (!history_->Unsaved()) RecoveryOfShownDay().Remove();
}

// Overwrite saves over the other user's version; Reload and Cancel keep this day's changes.
bool TfrmMain::StoreShownDay() {
    TScheduleDay day = DayOfPlanner(*Planner1, ScheduleDate());
    day.StoredVersion = storedVersion_;
    for (;;) {
        const TStoreResult result = StoreDay(*data_->qryTemp, day);
        if (result.Stored) {
            storedVersion_ = result.Version;
            history_->MarkSaved();
            return true;
        }
        const ModalResult answer = AppDialogs().MessageBox(
            "The schedule of " + DateToText(day.Date) +
                " was changed by another user since you opened it.",
            ApplicationTitle(), MessageIcon::Warning, MessageButtons::OverwriteReloadCancel);
        if (answer == mrRetry) ReloadStoredDay();
        if (answer != mrYes) return false;
        day.StoredVersion = result.Version;
    }
}

void TfrmMain::ReloadStoredDay() {
    const TScheduleDay stored = ReadStoredDay(*qryDay, ScheduleDate());
    {
        const TScheduleStep step(*history_, "Reload");
        ShowDay(*Planner1, stored);
    }
    storedVersion_ = stored.StoredVersion;
    history_->MarkSaved();
}

bool TfrmMain::ConfirmLeavingDay(OnDiscard discard) {
    if (!history_->Unsaved()) return true;
    const ModalResult answer = AppDialogs().MessageBox(
        "Save changes to the schedule of " + DateToText(ScheduleDate()) + "?", ApplicationTitle(),
        MessageIcon::Question, MessageButtons::SaveDiscardCancel);
    if (answer == mrCancel || answer == mrNone) return false;
    if (answer == mrNo && discard == OnDiscard::ForgetChanges) RecoveryOfShownDay().Remove();
    return answer != mrYes || StoreShownDay();
}

// Taken first: deleting the selected item passes the selection on to a neighbour.
void TfrmMain::RemoveSelectedItems() {
    TPlannerItems& items = Planner1->Items();
    std::vector<const TPlannerItem*> selected;
    for (const TPlannerItem& item : items.All())
        if (item.Selected()) selected.push_back(&item);
    {
        const TLayoutLock lock(items);
        for (const TPlannerItem* item : selected)
            items.Delete(item->Index());
    }
    history_->Record("Remove");
}

// The item under the pointer becomes the selection unless it already belongs to it.
void TfrmMain::ItemRightClick(TPlannerItem& item) {
    if (!item.Selected()) Planner1->Items().Select(&item, false, {});
    Planner1->update();
    mnuItem->popup(QCursor::pos());
}

// Closing asks about unsaved changes; a failed save keeps the window open.
void TfrmMain::closeEvent(QCloseEvent* event) {
    bool leave = false;
    RunHandled([&] { leave = ConfirmLeavingDay(); });
    if (leave)
        event->accept();
    else
        event->ignore();
}
