#include "data/mData.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "exchange/BroadcastFile.h"
#include "platform/DateTime.h"
#include "platform/Dialogs.h"
#include "schedule/Main.h"

namespace {

void OpenExportQuery(TIBQuery& query, TDateTime scheduleDate) {
    if (query.Transaction()->Active()) query.Transaction()->Commit();
    query.SetSQL({
        "select tl.dstart_date, tl.tstart_time, tl.tduration, d.sseries_name SERIES, "
        "d.sname PROGRAM,",
        " 'BG - '||d.nid PROGRAM_ID, d.slanguage",
        "from program_timeline tl",
        "left join program_description d on d.nid = tl.nprogram_id",
        "where (tl.dstart_date = :DDATE)",
        "order by tl.tstart_time",
    });
    query.Param("DDATE").SetAsDate(scheduleDate);
    query.Open();
}

TBroadcastRecord ReadBroadcast(const TIBQuery& query) {
    return {
        .Date = FormatDateTime("yyyy-mm-dd", query.Field("dstart_date").AsDateTime()),
        .Time = FormatDateTime("hh:mm", query.Field("tstart_time").AsDateTime()),
        .Duration = query.Field("tduration").AsString(),
        .Series = query.Field("SERIES").AsString(),
        .Program = query.Field("PROGRAM").AsString(),
        .ProgramUid = query.Field("PROGRAM_ID").AsString(),
        .Language = query.Field("slanguage").AsString(),
    };
}

} // namespace

void TfrmMain::ExportSchedule() {
    if (!AppDialogs().OpenFile(dlg1)) return;
    TBroadcastFileWriter file(dlg1.FileName);
    file.WriteHeader();
    TIBQuery& query = *data_->qryTemp;
    OpenExportQuery(query, ScheduleDate());
    for (; !query.AtEnd(); query.Next())
        file.WriteBroadcast(ReadBroadcast(query));
    file.WriteFooter();
    file.Close();
}
