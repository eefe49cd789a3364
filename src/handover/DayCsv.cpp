#include "handover/DayCsv.h"

#include "platform/Cp1251.h"
#include "platform/DateTime.h"
#include "platform/Format.h"

#include <cmath>

namespace {

std::string Field(const std::string& utf8) {
    if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
    std::string quoted = "\"";
    for (char c : utf8) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

// hh:mm of the time of day, whole minutes rounded: an end past midnight shows the next day's
// time, a start before the day's start the previous day's.
std::string Clock(TDateTime time) {
    const long minutes = std::lround(time * kMinsPerDay);
    const long ofDay = ((minutes % kMinsPerDay) + kMinsPerDay) % kMinsPerDay;
    return Format("%02ld:%02ld", ofDay / 60, ofDay % 60);
}

std::string Length(TDateTime running) {
    const long minutes = std::max(0L, std::lround(running * kMinsPerDay));
    return Format("%02ld:%02ld", minutes / 60, minutes % 60);
}

std::string Row(const TScheduleDay& day, const TDayBroadcast& broadcast) {
    const std::string fields[] = {
        FormatDateTime("yyyy-mm-dd", day.Date + broadcast.Position),
        std::to_string(broadcast.Position + 1),
        Clock(broadcast.Start),
        Clock(broadcast.End),
        Length(broadcast.RunningTime()),
        std::to_string(broadcast.ProgramId),
        Field(Cp1251ToUtf8(broadcast.SeriesName)),
        Field(Cp1251ToUtf8(broadcast.ProgramName)),
        Field(Cp1251ToUtf8(broadcast.Language)),
    };
    std::string line;
    for (const std::string& field : fields)
        line += (line.empty() ? "" : ",") + field;
    return line + "\r\n";
}

} // namespace

std::string DayCsv(const TScheduleDay& day) {
    std::string csv = "\xEF\xBB\xBF"
                      "Date,Position,Start,End,Running time,Programme id,Series,Programme,"
                      "Language\r\n";
    for (const TDayBroadcast& broadcast : day.Broadcasts)
        csv += Row(day, broadcast);
    return csv;
}
