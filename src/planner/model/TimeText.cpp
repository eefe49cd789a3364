#include "planner/model/TimeText.h"

#include "platform/Format.h"
#include "platform/FormatSettings.h"

std::string HourText(int minutes) {
    return Format("%d", minutes / 60 % 24);
}

std::string MinuteText(int minutes) {
    return Format("%.2d", minutes % 60);
}

std::string MinutesToText(int minutes) {
    return HourText(minutes) + DefaultFormatSettings().TimeSeparator + MinuteText(minutes);
}
