#include "planner/widget/Planner.h"
#include "schedule/Main.h"
#include "schedule/ScheduleEntry.h"

#include <algorithm>

namespace {

constexpr TColor kCaptionBandEnd = 15302738; // blue 233, green 128, red 82

std::string EscapeMarkup(const std::string& value) {
    std::string escaped;
    escaped.reserve(value.size());
    for (const char c : value) {
        if (c == '&')
            escaped += "&amp;";
        else if (c == '<')
            escaped += "&lt;";
        else
            escaped += c;
    }
    return escaped;
}

} // namespace

std::string ScheduleItemText(const TScheduleEntry& entry) {
    return "<html> \r\n<body>\r\n<b>Series:</b> <p>" + EscapeMarkup(entry.SeriesName) + "</p>" +
           "\r\n" + "<b>Program:</b> <p>" + EscapeMarkup(entry.ProgramName) + "</p>" + "\r\n" +
           "<b>Language: </b> <p>" + EscapeMarkup(entry.Language) + "</p>" + "\r\n" + "</body>" +
           "\r\n" + "</html>";
}

void TfrmMain::AddScheduleItem(TScheduleEntry entry, int position) {
    TPlannerItem& item = Planner1->Items().Add();
    item.SetVisible(false);
    item.SetItemPos(position);
    item.SetShadow(true);
    item.SetShape(psRounded);
    item.SetBeginTime(entry.StartTime);
    item.SetEndTime(entry.StartTime + entry.Duration);
    item.SetCaptionBkg(clWhite);
    item.SetCaptionBkgTo(kCaptionBandEnd);
    TPlannerFont font = item.Font();
    font.Color = clWindowText;
    item.SetFont(font);
    item.SetCaptionType(ctTimeText);
    item.SetCaptionText("Program \xB9" + std::to_string(entry.NID));
    item.SetTextString(ScheduleItemText(entry));
    item.SetItemKey(std::to_string(entry.NID));
    item.SetReadOnly(true);
    item.SetFixedPosition(false);
    item.SetVisible(true);
}

TDateTime TfrmMain::NextFreeStart() const {
    int end = -1;
    for (const TPlannerItem& item : Planner1->Items().All())
        if (item.ItemPos() == 0) end = std::max(end, item.EndMinute());
    if (end < 0) return Planner1->Display().ActiveStartMinute() / 1440.0;
    return (end % 1440) / 1440.0;
}
