#pragma once

#include "day/ScheduleDay.h"

#include <optional>
#include <vector>

// A gap is drawn only when it is longer than this.
constexpr TDateTime kDefaultGapThreshold = 1.0 / kMinsPerDay;

// Another broadcast sharing air time with one, by its index in TScheduleDay::Broadcasts.
struct TDayOverlap {
    int Other = 0;
    TDateTime Length = 0; // 0 for a broadcast of no length inside the other
};

// Air time left empty between two broadcasts of a position, in times of the position's day.
struct TDayGap {
    TDateTime Start = 0; // the end of the broadcast that reached furthest so far
    TDateTime End = 0;   // the start of the next broadcast
    int Before = 0;      // their indices in TScheduleDay::Broadcasts
    int After = 0;

    TDateTime Length() const { return End - Start; }
};

// Figures for a position, or summed over the day. On-air time is the time the channel is on
// the air within the 24 hours of each position's day, whichever position's broadcast covers it
// (one running past midnight covers the next day's start); dead air is the rest of those 24
// hours. FirstStart and LastEnd are times of the position's day, for the whole day offsets from
// position 0's midnight; none without broadcasts.
struct TDayTotals {
    int Broadcasts = 0;
    TDateTime OnAir = 0;
    std::optional<TDateTime> FirstStart;
    std::optional<TDateTime> LastEnd;
    TDateTime Gaps = 0; // the gaps listed, those longer than the threshold
    TDateTime DeadAir = 0;
    int Overlapping = 0; // broadcasts that overlap at least one other
};

struct TDayMarks {
    std::vector<std::vector<TDayOverlap>> Overlaps; // per broadcast, the largest first
    std::vector<std::vector<TDayGap>> Gaps;         // per position, in order of time
    std::vector<TDayTotals> PositionTotals;
    TDayTotals Totals;
};

// The overlaps, gaps and totals of a day. Position p's time t is on the air at p + t, so a
// broadcast running past midnight overlaps the next position's first ones. Two broadcasts
// overlap when each starts before the other ends; times are compared in whole milliseconds.
// A negative threshold counts as 0. A broadcast with a negative position (only a damaged file
// holds one) takes part in overlaps but in no position's gaps or totals.
TDayMarks MarkDay(const TScheduleDay& day, TDateTime gapThreshold = kDefaultGapThreshold);
