#pragma once

#include "day/DayMarks.h"

#include <string>

class TCanvas;
class TPlanner;

// Overlapping items framed in red with a warning sign in their caption band; gaps as hatched
// bands across their position with their length. Marks follow the planner's item order.
void PaintDayMarks(TCanvas& canvas, const TPlanner& planner, const TDayMarks& marks, bool drawGaps);

// "Overlaps <title> by h:mm." for each broadcast the one at `index` overlaps, largest first;
// empty when it overlaps none.
std::string OverlapHint(const TScheduleDay& day, const TDayMarks& marks, int index);

// Hours and minutes of a length, "h:mm".
std::string LengthText(TDateTime length);
// The figures of the day and, with more than one position, of each position; the first start
// and last end are given per position.
std::string TotalsText(const TScheduleDay& day, const TDayMarks& marks);
