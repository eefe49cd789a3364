#pragma once

#include "day/ScheduleDay.h"

#include <string>
#include <vector>

class TField;
class TIBQuery;

// The day stored under the date: its broadcasts joined with their programmes (a deleted
// programme gives empty texts), in order of start time, each in the position its end date
// gives; positions and captions to show them, and the version they were saved with. The query's
// transaction is committed afterwards.
TScheduleDay ReadStoredDay(TIBQuery& query, TDateTime date);
// The broadcasts of an open query's rows, which have the columns NPROGRAM_ID, DSTART_DATE,
// DEND_DATE, TSTART_TIME, TEND_TIME, TDURATION of the broadcast and SNAME, SSERIES_NAME,
// SLANGUAGE of its programme. The columns are found once, not again for every row.
class TStoredBroadcasts {
public:
    explicit TStoredBroadcasts(const TIBQuery& query);
    // Of the query's current row.
    TDayBroadcast Current() const;
    TDateTime StoredDate() const;
    bool HasProgram() const;

private:
    const TField &programId_, &startDate_, &endDate_, &startTime_, &endTime_, &duration_;
    const TField &name_, &series_, &language_;
};

// What a save did: stored the day, which now has `Version`; or found `Version` stored by another
// user where the day started from another one, and wrote nothing.
struct TStoreResult {
    bool Stored = false;
    int Version = 0;
};

// Replaces the broadcasts stored under the day's date by the day's, in its order, in one
// transaction of the query that first raises the date's version: the deletes and inserts become
// visible together at the commit, and a failure part-way takes them all back, so the stored day
// stays as it was. A save of the same date by another user at the same moment raises
// EDatabaseError "The schedule of <date> is being saved by another user. Try again.".
TStoreResult StoreDay(TIBQuery& query, const TScheduleDay& day);
// The same over whatever version the date has: a copy that replaces the date on purpose, after
// the user was asked about what it holds.
void StoreDayOverAnyVersion(TIBQuery& query, const TScheduleDay& day);

// The broadcasts stored under the date, those a save of it replaces. The query's transaction is
// committed afterwards.
int StoredBroadcastCount(TIBQuery& query, TDateTime date);

// Header captions for positions shown as consecutive dates from `first`: an empty caption above
// the time column, then one date per position.
std::vector<std::string> DayCaptions(TDateTime first, int positions);
