#include "planner/widget/Planner.h"
#include "schedule/Main.h"
#include "schedule/PlannerDay.h"
#include "schedule/ScheduleEntry.h"

#include <algorithm>

void TfrmMain::AddScheduleItem(TScheduleEntry entry, int position) {
    TDayBroadcast broadcast;
    broadcast.ProgramId = entry.NID;
    broadcast.SeriesName = std::move(entry.SeriesName);
    broadcast.ProgramName = std::move(entry.ProgramName);
    broadcast.Language = std::move(entry.Language);
    broadcast.Start = entry.StartTime;
    broadcast.End = entry.StartTime + entry.Duration;
    broadcast.Position = position;
    AddBroadcastItem(*Planner1, broadcast);
}

TDateTime TfrmMain::NextFreeStart() const {
    int end = -1;
    for (const TPlannerItem& item : Planner1->Items().All())
        if (item.ItemPos() == 0) end = std::max(end, item.EndMinute());
    if (end < 0) return Planner1->Display().ActiveStartMinute() / 1440.0;
    return (end % 1440) / 1440.0;
}
