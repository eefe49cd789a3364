#pragma once

#include "schedule/ScheduleEntry.h"

#include <string>
#include <vector>

class TIBQuery;

// One stored broadcast on its way back into the planner.
struct TStoredBroadcast {
    TScheduleEntry Entry;
    int Position = 0;
};

// The broadcasts stored under the date, joined with their programmes (a deleted programme gives
// empty texts), in order of start time. The position is the end date minus the start date, 0
// without an end date. The query's transaction is committed afterwards.
std::vector<TStoredBroadcast> ReadStoredDay(TIBQuery& query, TDateTime date);

// Header captions for positions shown as consecutive dates from `first`: an empty caption above
// the time column, then one date per position.
std::vector<std::string> DayCaptions(TDateTime first, int positions);
