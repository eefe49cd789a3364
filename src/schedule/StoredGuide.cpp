#include "schedule/StoredGuide.h"

#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/Exceptions.h"
#include "schedule/StoredDay.h"
#include "support/common/TextDate.h"

#include <QTimeZone>
#include <cstdint>
#include <unordered_map>

#ifndef SKEDORA_VERSION
#error "SKEDORA_VERSION comes from the project's version in CMakeLists.txt"
#endif

namespace {

const char* const kRange = "where tl.dend_date between :DFIRST and :DLAST"
                           "  or tl.dstart_date between :DFIRST and :DLAST";

struct Programme {
    std::string SeriesName, ProgramName, Language, Description;
};

// Each programme once, however often it airs: a description is up to 2,000 bytes a row.
std::unordered_map<std::int32_t, Programme> ReadProgrammes(TIBQuery& query, TDateTime first,
                                                           TDateTime last) {
    query.SetSQL({"select d.nid, d.sname, d.sseries_name, d.slanguage, d.sdescription",
                  "from (select distinct tl.nprogram_id from program_timeline tl", kRange, ") ids",
                  "join program_description d on d.nid = ids.nprogram_id"});
    query.Param("DFIRST").SetAsDate(first);
    query.Param("DLAST").SetAsDate(last);
    std::unordered_map<std::int32_t, Programme> programmes;
    for (query.Open(); !query.AtEnd(); query.Next())
        programmes[query.Field("NID").AsInteger()] = {
            query.Field("SSERIES_NAME").AsString(), query.Field("SNAME").AsString(),
            query.Field("SLANGUAGE").AsString(), query.Field("SDESCRIPTION").AsString()};
    query.Close();
    return programmes;
}

TGuideRow GuideRow(const TIBQuery& query,
                   const std::unordered_map<std::int32_t, Programme>& programmes) {
    const TDayBroadcast broadcast = StoredBroadcast(query);
    const auto programme = programmes.find(broadcast.ProgramId);
    const bool exists = !query.Field("NPROGRAM_ID").IsNull() && programme != programmes.end();
    TGuideRow row{.StoredDate = query.Field("DSTART_DATE").AsDateTime(),
                  .Position = broadcast.Position,
                  .StartTime = broadcast.Start,
                  .Duration = broadcast.RunningTime(),
                  .ProgramId = broadcast.ProgramId,
                  .ProgramExists = exists,
                  .SeriesName = {},
                  .ProgramName = {},
                  .Language = {},
                  .Description = {}};
    if (!exists) return row;
    row.SeriesName = programme->second.SeriesName;
    row.ProgramName = programme->second.ProgramName;
    row.Language = programme->second.Language;
    row.Description = programme->second.Description;
    return row;
}

} // namespace

// Both dates are indexed; an end date in the range finds the later positions of earlier days,
// a start date in it the rows without an end date. One transaction sees both reads alike.
std::vector<TGuideRow> ReadGuideRows(TIBQuery& query, TDateTime first, TDateTime last) {
    TIBTransaction& transaction = *query.Transaction();
    if (transaction.Active()) transaction.Commit();
    const auto programmes = ReadProgrammes(query, first, last);
    query.SetSQL({"select tl.nprogram_id, tl.dstart_date, tl.dend_date, tl.tstart_time,",
                  "  tl.tend_time, tl.tduration, '' sname, '' sseries_name, '' slanguage",
                  "from program_timeline tl", kRange});
    query.Param("DFIRST").SetAsDate(first);
    query.Param("DLAST").SetAsDate(last);
    std::vector<TGuideRow> rows;
    for (query.Open(); !query.AtEnd(); query.Next())
        rows.push_back(GuideRow(query, programmes));
    transaction.Commit();
    return rows;
}

std::string StoredGuide(TIBQuery& query, TDateTime first, TDateTime last,
                        const TChannelSettings& channel) {
    const QTimeZone zone = ChannelTimeZone(channel.TimeZone);
    const std::vector<TGuideRow> rows =
        RowsOnTheAir(ReadGuideRows(query, first, last), first, last);
    if (rows.empty())
        throw EConvertError("No broadcasts are stored for " + DateToText(first) + " to " +
                            DateToText(last) + "; no file was written.");
    return XmltvGuide(rows, {.Id = channel.Id, .DisplayName = channel.DisplayName}, zone,
                      SKEDORA_VERSION);
}
