#include "handover/DayCsv.h"

#include "handover/DayClock.h"
#include "platform/Cp1251.h"
#include "platform/DateTime.h"

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

std::string Row(const TScheduleDay& day, const TDayBroadcast& broadcast) {
    const std::string fields[] = {
        FormatDateTime("yyyy-mm-dd", day.Date + broadcast.Position),
        std::to_string(broadcast.Position + 1),
        ClockText(broadcast.Start, false),
        ClockText(broadcast.End, false),
        RunningText(broadcast.RunningTime(), true),
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
