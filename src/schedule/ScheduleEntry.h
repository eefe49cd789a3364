#pragma once

#include "platform/DateTime.h"

#include <cstdint>
#include <string>

// One programme occurrence on its way into the planner.
struct TScheduleEntry {
    std::int32_t NID = 0; // -1 when an imported identifier has no digits
    std::string ProgramName;
    std::string SeriesName;
    TDateTime BroadcastDate = 0;
    TDateTime StartTime = 0;
    TDateTime Duration = 0; // running time as a time of day
    std::string Language;
};
