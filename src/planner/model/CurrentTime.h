#pragma once

#include "planner/model/PlannerSettings.h"
#include "platform/DateTime.h"

#include <functional>

class TCustomPlanner;
class TPlannerItem;

// Whether the position takes part in the current-time marking.
bool InCurrentPositions(const TPlannerDisplay& display, int position);
// The row's slot holds the moment `now`, both ends included; the day's last slot ends at midnight.
bool IsCurrentSlot(const TPlannerDisplay& display, int row, TDateTime now);
// The row whose slot holds the time of day of `now`.
int CurrentRow(const TPlannerDisplay& display, TDateTime now);
// Sets each item's IsCurrent flag for the current row; calls `changed` for each item whose
// flag changed.
void MarkCurrentItems(TCustomPlanner& planner, int currentRow,
                      const std::function<void(TPlannerItem&)>& changed);

struct TRowsOutside {
    bool Above = false;
    bool Below = false;
};
// Whether shown items lie in rows above `topRow` or below `lastRow`.
TRowsOutside ItemsOutsideView(const TCustomPlanner& planner, int topRow, int lastRow);
