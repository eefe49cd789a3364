#pragma once

#include "day/ScheduleDay.h"

#include <string>
#include <vector>

class TIBQuery;

// The day stored under the date: its broadcasts joined with their programmes (a deleted
// programme gives empty texts), in order of start time, each in the position its end date
// gives; positions and captions to show them. The query's transaction is committed afterwards.
TScheduleDay ReadStoredDay(TIBQuery& query, TDateTime date);

// Replaces the broadcasts stored under the day's date by the day's, in its order, in one
// transaction of the query: the deletes and inserts become visible together at the commit, and
// a failure part-way takes them all back, so the stored day stays as it was.
void StoreDay(TIBQuery& query, const TScheduleDay& day);

// Header captions for positions shown as consecutive dates from `first`: an empty caption above
// the time column, then one date per position.
std::vector<std::string> DayCaptions(TDateTime first, int positions);
