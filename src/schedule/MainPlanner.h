#pragma once

class TCustomPlanner;
class TPlanner;

// The main window's day view, in one place for the window, its tests and the benchmarks:
// ten-minute rows from 00:00 to 24:00, 08:00 to 20:00 active, one position, the time column
// on the left, and the template every schedule item starts from.
void ApplyMainPlannerSettings(TCustomPlanner& planner);

// The settings above with the window's colours and fonts.
void SetUpMainPlanner(TPlanner& planner);
