#include "schedule/StoredDay.h"

#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "support/common/TextDate.h"

#include <algorithm>
#include <cmath>

namespace {

TStoredBroadcast ReadBroadcast(const TIBQuery& query) {
    TStoredBroadcast broadcast;
    TScheduleEntry& entry = broadcast.Entry;
    const TField& id = query.Field("NPROGRAM_ID");
    entry.NID = id.IsNull() ? -1 : id.AsInteger();
    entry.ProgramName = query.Field("SNAME").AsString();
    entry.SeriesName = query.Field("SSERIES_NAME").AsString();
    entry.Language = query.Field("SLANGUAGE").AsString();
    entry.BroadcastDate = query.Field("DSTART_DATE").AsDateTime();
    entry.StartTime = query.Field("TSTART_TIME").AsDateTime();
    const TField& duration = query.Field("TDURATION");
    if (!duration.IsNull()) {
        entry.Duration = duration.AsDateTime();
    } else if (!query.Field("TEND_TIME").IsNull()) {
        const TDateTime span = query.Field("TEND_TIME").AsDateTime() - entry.StartTime;
        entry.Duration = span - std::floor(span);
    }
    const TField& end = query.Field("DEND_DATE");
    if (!end.IsNull())
        broadcast.Position = std::max(0, static_cast<int>(end.AsDateTime() - entry.BroadcastDate));
    return broadcast;
}

} // namespace

std::vector<TStoredBroadcast> ReadStoredDay(TIBQuery& query, TDateTime date) {
    TIBTransaction& transaction = *query.Transaction();
    if (transaction.Active()) transaction.Commit();
    query.SetSQL({"select tl.nprogram_id, tl.dstart_date, tl.dend_date, tl.tstart_time,",
                  "  tl.tend_time, tl.tduration, d.sname, d.sseries_name, d.slanguage",
                  "from program_timeline tl",
                  "left join program_description d on d.nid = tl.nprogram_id",
                  "where tl.dstart_date = :DDATE", "order by tl.tstart_time"});
    query.Param("DDATE").SetAsDate(date);
    std::vector<TStoredBroadcast> day;
    for (query.Open(); !query.AtEnd(); query.Next())
        day.push_back(ReadBroadcast(query));
    transaction.Commit();
    return day;
}

std::vector<std::string> DayCaptions(TDateTime first, int positions) {
    std::vector<std::string> captions{""};
    for (int position = 0; position < positions; ++position)
        captions.push_back(DateToText(first + position));
    return captions;
}
