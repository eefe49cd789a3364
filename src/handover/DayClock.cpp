#include "handover/DayClock.h"

#include "platform/Format.h"

#include <algorithm>
#include <cmath>

std::string ClockText(TDateTime time, bool markOtherDays) {
    const long minutes = std::lround(time * kMinsPerDay);
    const long days = static_cast<long>(std::floor(static_cast<double>(minutes) / kMinsPerDay));
    const long ofDay = minutes - days * kMinsPerDay;
    std::string clock = Format("%02ld:%02ld", ofDay / 60, ofDay % 60);
    if (markOtherDays && days != 0) clock += Format(" %+ld", days);
    return clock;
}

std::string RunningText(TDateTime running, bool padHours) {
    const long minutes = std::max(0L, std::lround(running * kMinsPerDay));
    return Format(padHours ? "%02ld:%02ld" : "%ld:%02ld", minutes / 60, minutes % 60);
}
