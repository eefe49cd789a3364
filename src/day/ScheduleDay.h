#pragma once

#include "platform/DateTime.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One broadcast of a schedule day.
struct TDayBroadcast {
    std::int32_t ProgramId = 0; // -1 when an imported identifier had no digits
    std::string SeriesName;
    std::string ProgramName;
    std::string Language;
    TDateTime Start = 0; // time of day; below 0 for an item hanging over the day's start
    TDateTime End = 0;   // past 1 for a broadcast that runs past midnight
    int Position = 0;

    TDateTime RunningTime() const { return End - Start; }
    bool operator==(const TDayBroadcast&) const = default;
};

// A schedule day as the main window holds it: the date its broadcasts are stored under, the
// planner's positions with their header captions, and the broadcasts in the planner's item
// order (the order a save writes them in).
struct TScheduleDay {
    TDateTime Date = 0;
    int Positions = 1;
    std::vector<std::string> Captions; // [0] above the time column, [p + 1] for position p
    std::vector<TDayBroadcast> Broadcasts;
    int StoredVersion = 0; // the saved version the day started from; 0 for a date never saved

    bool operator==(const TScheduleDay&) const = default;
};

// The position of a stored broadcast: its end date minus its start date, in whole days; 0
// without an end date or with one before the start.
int StoredPosition(TDateTime startDate, std::optional<TDateTime> endDate);

// Where a broadcast that starts at `start` and ends at the time of day `endTime` ends on the
// air: the next day when that time is earlier than the start.
TDateTime EndOnTheAir(TDateTime start, TDateTime endTime);

// The positions it takes to show the broadcasts: one more than the highest, at least one.
int PositionsFor(const std::vector<TDayBroadcast>& broadcasts);
