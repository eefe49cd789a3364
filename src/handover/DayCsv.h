#pragma once

#include "day/ScheduleDay.h"

#include <string>

// The day as a spreadsheet reads it: RFC 4180 (every line ended by CR LF, fields holding a comma,
// a quote or a line break quoted, quotes doubled), UTF-8 after a byte order mark so that
// spreadsheets take the Cyrillic as such. A header row, then one row per broadcast in the day's
// order: the date it airs on (ISO 8601), its position (1 for the first), start and end (hh:mm),
// running time (hh:mm), programme id, series, programme, language.
std::string DayCsv(const TScheduleDay& day);
