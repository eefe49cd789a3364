#include "schedule/StoredGuide.h"

#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/Exceptions.h"
#include "schedule/StoredDay.h"
#include "support/common/TextDate.h"

#include <QTimeZone>
#include <cstdint>
#include <memory>
#include <unordered_map>

#ifndef SKEDORA_VERSION
#error "SKEDORA_VERSION comes from the project's version in CMakeLists.txt"
#endif

namespace {

const char* const kRange = "where tl.dend_date between :DFIRST and :DLAST"
                           "  or tl.dstart_date between :DFIRST and :DLAST";

using Programmes = std::unordered_map<std::int32_t, std::shared_ptr<const TGuideProgramme>>;

// Each programme once, however often it airs: a description is up to 2,000 bytes a row.
Programmes ReadProgrammes(TIBQuery& query, TDateTime first, TDateTime last) {
    query.SetSQL({"select d.nid, d.sname, d.sseries_name, d.slanguage, d.sdescription",
                  "from (select distinct tl.nprogram_id from program_timeline tl", kRange, ") ids",
                  "join program_description d on d.nid = ids.nprogram_id"});
    query.Param("DFIRST").SetAsDate(first);
    query.Param("DLAST").SetAsDate(last);
    query.Open();
    const TField& id = query.Field("NID");
    const TField& series = query.Field("SSERIES_NAME");
    const TField& name = query.Field("SNAME");
    const TField& language = query.Field("SLANGUAGE");
    const TField& description = query.Field("SDESCRIPTION");
    Programmes programmes;
    for (; !query.AtEnd(); query.Next())
        programmes[id.AsInteger()] = std::make_shared<const TGuideProgramme>(TGuideProgramme{
            series.AsString(), name.AsString(), language.AsString(), description.AsString()});
    query.Close();
    return programmes;
}

TGuideRow GuideRow(const TStoredBroadcasts& stored, const Programmes& programmes) {
    const TDayBroadcast broadcast = stored.Current();
    const auto programme = programmes.find(broadcast.ProgramId);
    return {.StoredDate = stored.StoredDate(),
            .Position = broadcast.Position,
            .StartTime = broadcast.Start,
            .Duration = broadcast.RunningTime(),
            .ProgramId = broadcast.ProgramId,
            .Programme =
                stored.HasProgram() && programme != programmes.end() ? programme->second : nullptr};
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
    query.Open();
    const TStoredBroadcasts stored(query);
    std::vector<TGuideRow> rows;
    for (; !query.AtEnd(); query.Next())
        rows.push_back(GuideRow(stored, programmes));
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
