#pragma once

#include "platform/DateTime.h"

#include <string>

// Times of a day's broadcasts as hand-over forms print them, in whole minutes, rounded.

// hh:mm of the clock; with markOtherDays, followed by " +1" or " -1" for a time that falls on
// the next or the previous day.
std::string ClockText(TDateTime time, bool markOtherDays);
// A running time as h:mm, or hh:mm with padHours; never below zero.
std::string RunningText(TDateTime running, bool padHours);
