#include "data/mData.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "planner/widget/Planner.h"
#include "schedule/Main.h"
#include "schedule/ScheduleHistory.h"

namespace {

void DeleteScheduleDate(TIBQuery& query, TDateTime scheduleDate) {
    query.SetSQL({"delete from program_timeline ptl",
                  "where (ptl.dstart_date = :DDATE) or (ptl.dend_date = :DDATE)"});
    query.Param("DDATE").SetAsDate(scheduleDate);
    query.Execute();
}

void InsertItem(TIBQuery& query, const TPlannerItem& item, TDateTime scheduleDate) {
    const TDateTime start = item.BeginTime();
    const TDateTime end = item.EndTime();
    query.Param("NPROGRAM_ID").SetAsString(item.ItemKey());
    query.Param("DSTART_DATE").SetAsDate(scheduleDate);
    // No end date for an item without running time; it must not inherit an earlier item's.
    if (end > start)
        query.Param("DEND_DATE").SetAsDate(scheduleDate + item.ItemPos());
    else
        query.Param("DEND_DATE").Clear();
    query.Param("TSTART_TIME").SetAsTime(start);
    query.Param("TEND_TIME").SetAsTime(end);
    query.Param("TDURATION").SetAsTime(end - start);
    query.Execute();
}

void ReplaceScheduleDate(TIBQuery& query, const TPlanner& planner, TDateTime scheduleDate) {
    DeleteScheduleDate(query, scheduleDate);
    query.SetSQL({"INSERT INTO PROGRAM_TIMELINE",
                  "(NPROGRAM_ID,DSTART_DATE,DEND_DATE,TSTART_TIME,TEND_TIME, TDURATION)",
                  "VALUES (:NPROGRAM_ID,:DSTART_DATE,:DEND_DATE,:TSTART_TIME,:TEND_TIME, "
                  ":TDURATION)"});
    for (const TPlannerItem& item : planner.Items().All())
        InsertItem(query, item, scheduleDate);
}

} // namespace

// The deletes and inserts become visible together at the commit; a failure part-way takes
// them all back, so the stored day stays as it was.
void TfrmMain::SaveSchedule() {
    TIBQuery& query = *data_->qryTemp;
    TIBTransaction& transaction = *query.Transaction();
    if (transaction.Active()) transaction.Commit();
    try {
        ReplaceScheduleDate(query, *Planner1, ScheduleDate());
    } catch (...) {
        if (transaction.Active()) transaction.Finish(TARollback, true);
        throw;
    }
    transaction.Commit();
    History().MarkSaved();
}
