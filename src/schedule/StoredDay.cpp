#include "schedule/StoredDay.h"

#include "db/IBErrors.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "schedule/DayVersion.h"
#include "support/common/TextDate.h"

#include <optional>

namespace {

std::optional<TDateTime> OptionalDate(const TField& field) {
    if (field.IsNull()) return std::nullopt;
    return field.AsDateTime();
}

// Only the rows saved under the date: the day before's later positions end on this date and
// belong to that day.
void DeleteStoredDay(TIBQuery& query, TDateTime date) {
    query.SetSQL({"delete from program_timeline ptl", "where (ptl.dstart_date = :DDATE)"});
    query.Param("DDATE").SetAsDate(date);
    query.Execute();
}

void InsertBroadcast(TIBQuery& query, const TDayBroadcast& broadcast, TDateTime date) {
    query.Param("NPROGRAM_ID").SetAsString(std::to_string(broadcast.ProgramId));
    query.Param("DSTART_DATE").SetAsDate(date);
    // Also without running time: the end date is what gives the item its position back.
    query.Param("DEND_DATE").SetAsDate(date + broadcast.Position);
    query.Param("TSTART_TIME").SetAsTime(broadcast.Start);
    query.Param("TEND_TIME").SetAsTime(broadcast.End);
    query.Param("TDURATION").SetAsTime(broadcast.RunningTime());
    query.Execute();
}

// The version row is where two saves of one date meet: the later one waits for the earlier and
// fails, on a changed row, a lock held past the time-out, or a first row stored twice.
void RaiseVersionOrSayWhoIsSaving(TIBQuery& query, TDateTime date, int found) {
    try {
        RaiseDayVersion(query, date, found);
    } catch (const EIBError& error) {
        if (!ConflictsWithAnotherTransaction(error) && !DuplicatesAKey(error)) throw;
        throw EDatabaseError("The schedule of " + DateToText(date) +
                             " is being saved by another user. Try again.");
    }
}

void ReplaceStoredDay(TIBQuery& query, const TScheduleDay& day) {
    DeleteStoredDay(query, day.Date);
    query.SetSQL({"INSERT INTO PROGRAM_TIMELINE",
                  "(NPROGRAM_ID,DSTART_DATE,DEND_DATE,TSTART_TIME,TEND_TIME, TDURATION)",
                  "VALUES (:NPROGRAM_ID,:DSTART_DATE,:DEND_DATE,:TSTART_TIME,:TEND_TIME, "
                  ":TDURATION)"});
    for (const TDayBroadcast& broadcast : day.Broadcasts)
        InsertBroadcast(query, broadcast, day.Date);
}

// Stores the day when the version found for its date is `expected`, or whatever it is without one.
TStoreResult StoreOverVersion(TIBQuery& query, const TScheduleDay& day,
                              std::optional<int> expected) {
    TIBTransaction& transaction = *query.Transaction();
    if (transaction.Active()) transaction.Commit();
    EnsureDayVersions(query);
    try {
        const int found = ReadDayVersion(query, day.Date);
        if (expected && found != *expected) {
            transaction.Rollback();
            return {false, found};
        }
        RaiseVersionOrSayWhoIsSaving(query, day.Date, found);
        ReplaceStoredDay(query, day);
        transaction.Commit();
        return {true, found + 1};
    } catch (...) {
        if (transaction.Active()) transaction.Finish(TARollback, true);
        throw;
    }
}

} // namespace

TStoredBroadcasts::TStoredBroadcasts(const TIBQuery& query)
    : programId_(query.Field("NPROGRAM_ID")), startDate_(query.Field("DSTART_DATE")),
      endDate_(query.Field("DEND_DATE")), startTime_(query.Field("TSTART_TIME")),
      endTime_(query.Field("TEND_TIME")), duration_(query.Field("TDURATION")),
      name_(query.Field("SNAME")), series_(query.Field("SSERIES_NAME")),
      language_(query.Field("SLANGUAGE")) {}

// Without running time a row takes it from its end, and one without either has none.
TDayBroadcast TStoredBroadcasts::Current() const {
    TDayBroadcast broadcast;
    broadcast.ProgramId = programId_.IsNull() ? -1 : programId_.AsInteger();
    broadcast.ProgramName = name_.AsString();
    broadcast.SeriesName = series_.AsString();
    broadcast.Language = language_.AsString();
    broadcast.Start = startTime_.AsDateTime();
    if (!duration_.IsNull())
        broadcast.End = broadcast.Start + duration_.AsDateTime();
    else if (!endTime_.IsNull())
        broadcast.End = EndOnTheAir(broadcast.Start, endTime_.AsDateTime());
    else
        broadcast.End = broadcast.Start;
    broadcast.Position = StoredPosition(StoredDate(), OptionalDate(endDate_));
    return broadcast;
}

TDateTime TStoredBroadcasts::StoredDate() const {
    return startDate_.AsDateTime();
}

bool TStoredBroadcasts::HasProgram() const {
    return !programId_.IsNull();
}

TScheduleDay ReadStoredDay(TIBQuery& query, TDateTime date) {
    TIBTransaction& transaction = *query.Transaction();
    if (transaction.Active()) transaction.Commit();
    query.SetSQL({"select tl.nprogram_id, tl.dstart_date, tl.dend_date, tl.tstart_time,",
                  "  tl.tend_time, tl.tduration, d.sname, d.sseries_name, d.slanguage",
                  "from program_timeline tl",
                  "left join program_description d on d.nid = tl.nprogram_id",
                  "where tl.dstart_date = :DDATE", "order by tl.tstart_time"});
    query.Param("DDATE").SetAsDate(date);
    TScheduleDay day;
    day.Date = date;
    query.Open();
    const TStoredBroadcasts broadcasts(query);
    for (; !query.AtEnd(); query.Next())
        day.Broadcasts.push_back(broadcasts.Current());
    day.StoredVersion = StoredDayVersion(query, date);
    transaction.Commit();
    day.Positions = PositionsFor(day.Broadcasts);
    day.Captions = DayCaptions(date, day.Positions);
    return day;
}

TStoreResult StoreDay(TIBQuery& query, const TScheduleDay& day) {
    return StoreOverVersion(query, day, day.StoredVersion);
}

void StoreDayOverAnyVersion(TIBQuery& query, const TScheduleDay& day) {
    StoreOverVersion(query, day, std::nullopt);
}

int StoredBroadcastCount(TIBQuery& query, TDateTime date) {
    TIBTransaction& transaction = *query.Transaction();
    if (transaction.Active()) transaction.Commit();
    query.SetSQL({"select count(*) from program_timeline", "where dstart_date = :DDATE"});
    query.Param("DDATE").SetAsDate(date);
    query.Open();
    const int count = query.Fields(0).AsInteger();
    transaction.Commit();
    return count;
}

std::vector<std::string> DayCaptions(TDateTime first, int positions) {
    std::vector<std::string> captions{""};
    for (int position = 0; position < positions; ++position)
        captions.push_back(DateToText(first + position));
    return captions;
}
