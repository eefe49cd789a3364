#pragma once

#include "day/ScheduleDay.h"

#include <string>

class TCustomPlanner;
class TPlannerItem;

// The one way between a schedule day and the planner's items: every item of the main window is
// made here, and every item read back as a broadcast here.

// The item text of a broadcast: series, programme and language under bold labels. The values
// are escaped, so '&' and '<' in a title show as written.
std::string ScheduleItemText(const TDayBroadcast& broadcast);

// Adds one item for the broadcast, made like every schedule item.
void AddBroadcastItem(TCustomPlanner& planner, const TDayBroadcast& broadcast);

// Replaces the planner's items, positions and captions by the day's; arranged once.
void ShowDay(TCustomPlanner& planner, const TScheduleDay& day);

// The broadcast an item made by AddBroadcastItem stands for. Its texts come back from between
// the labels of its text (a line break inside a value comes back as CR LF); an item with another
// text gives empty texts.
TDayBroadcast BroadcastOfItem(const TPlannerItem& item);

// The planner's content as a day under the date, in item order.
TScheduleDay DayOfPlanner(const TCustomPlanner& planner, TDateTime date);
