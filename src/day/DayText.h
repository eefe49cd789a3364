#pragma once

#include "day/ScheduleDay.h"

#include <optional>
#include <string>
#include <string_view>

// A schedule day as text, for a file that keeps unsaved work across a crash: one field a line,
// each broadcast one line of tab-separated fields; times keep every bit of their value.
std::string DayToText(const TScheduleDay& day);

// The day written by DayToText; nothing for a text that is not one (a file cut short, another
// program's file).
std::optional<TScheduleDay> DayFromText(std::string_view text);
