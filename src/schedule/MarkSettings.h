#pragma once

#include "platform/DateTime.h"

// How the planner marks the day, kept in the user's settings file.
struct TMarkSettings {
    int GapThresholdMinutes = 1; // gaps longer than this are drawn
    bool DrawGaps = true;

    TDateTime GapThreshold() const {
        return static_cast<double>(GapThresholdMinutes) / kMinsPerDay;
    }
};

TMarkSettings ReadMarkSettings();
void WriteMarkSettings(const TMarkSettings& settings);
