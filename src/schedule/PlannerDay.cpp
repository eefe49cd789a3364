#include "schedule/PlannerDay.h"

#include "planner/model/CustomPlanner.h"
#include "schedule/LayoutLock.h"

#include <charconv>
#include <string_view>

namespace {

constexpr TColor kCaptionBandEnd = 15302738; // blue 233, green 128, red 82

// The item text around its three values. Each part holds a '<', which no escaped value does,
// so the values can be found again between them.
constexpr std::string_view kBeforeSeries = "<html> \r\n<body>\r\n<b>Series:</b> <p>";
constexpr std::string_view kBeforeProgram = "</p>\r\n<b>Program:</b> <p>";
constexpr std::string_view kBeforeLanguage = "</p>\r\n<b>Language: </b> <p>";
constexpr std::string_view kAfterLanguage = "</p>\r\n</body>\r\n</html>";

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

std::string UnescapeMarkup(std::string_view value) {
    std::string plain;
    plain.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        plain += value[i];
        if (value.compare(i, 5, "&amp;") == 0) {
            i += 4;
        } else if (value.compare(i, 4, "&lt;") == 0) {
            plain.back() = '<';
            i += 3;
        }
    }
    return plain;
}

// The text between `before` at `from` and the next `after`; false when the text has no such
// part there.
bool TakeValue(std::string_view text, std::size_t& from, std::string_view before,
               std::string_view after, std::string& value) {
    if (text.compare(from, before.size(), before) != 0) return false;
    from += before.size();
    const std::size_t end = text.find(after, from);
    if (end == std::string_view::npos) return false;
    value = UnescapeMarkup(text.substr(from, end - from));
    from = end;
    return true;
}

void ReadItemText(const TPlannerItem& item, TDayBroadcast& broadcast) {
    std::string text;
    for (const std::string& line : item.Text())
        text += (text.empty() ? "" : "\r\n") + line;
    std::size_t at = 0;
    const bool read = TakeValue(text, at, kBeforeSeries, kBeforeProgram, broadcast.SeriesName) &&
                      TakeValue(text, at, kBeforeProgram, kBeforeLanguage, broadcast.ProgramName) &&
                      TakeValue(text, at, kBeforeLanguage, kAfterLanguage, broadcast.Language) &&
                      text.size() == at + kAfterLanguage.size();
    if (!read) broadcast.SeriesName = broadcast.ProgramName = broadcast.Language = {};
}

std::int32_t ProgramIdOf(const std::string& key) {
    std::int32_t id = -1;
    const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), id);
    return error == std::errc() && end == key.data() + key.size() ? id : -1;
}

} // namespace

std::string ScheduleItemText(const TDayBroadcast& broadcast) {
    std::string text(kBeforeSeries);
    text += EscapeMarkup(broadcast.SeriesName);
    text += kBeforeProgram;
    text += EscapeMarkup(broadcast.ProgramName);
    text += kBeforeLanguage;
    text += EscapeMarkup(broadcast.Language);
    text += kAfterLanguage;
    return text;
}

void AddBroadcastItem(TCustomPlanner& planner, const TDayBroadcast& broadcast) {
    TPlannerItem& item = planner.Items().Add();
    item.SetVisible(false);
    item.SetItemPos(broadcast.Position);
    item.SetShadow(true);
    item.SetShape(psRounded);
    item.SetBeginTime(broadcast.Start);
    item.SetEndTime(broadcast.End);
    item.SetCaptionBkg(clWhite);
    item.SetCaptionBkgTo(kCaptionBandEnd);
    TPlannerFont font = item.Font();
    font.Color = clWindowText;
    item.SetFont(font);
    item.SetCaptionType(ctTimeText);
    item.SetCaptionText("Program \xB9" + std::to_string(broadcast.ProgramId));
    item.SetTextString(ScheduleItemText(broadcast));
    item.SetItemKey(std::to_string(broadcast.ProgramId));
    item.SetReadOnly(true);
    item.SetFixedPosition(false);
    item.SetVisible(true);
}

void ShowDay(TCustomPlanner& planner, const TScheduleDay& day) {
    const TLayoutLock lock(planner.Items());
    planner.Items().Clear();
    planner.SetPositions(day.Positions);
    planner.Header().Captions().Assign(day.Captions);
    for (const TDayBroadcast& broadcast : day.Broadcasts)
        AddBroadcastItem(planner, broadcast);
}

TDayBroadcast BroadcastOfItem(const TPlannerItem& item) {
    TDayBroadcast broadcast;
    broadcast.ProgramId = ProgramIdOf(item.ItemKey());
    ReadItemText(item, broadcast);
    broadcast.Start = item.BeginTime();
    broadcast.End = item.EndTime();
    broadcast.Position = item.ItemPos();
    return broadcast;
}

TScheduleDay DayOfPlanner(const TCustomPlanner& planner, TDateTime date) {
    TScheduleDay day{date, planner.Positions(), planner.Header().Captions().Strings(), {}, 0};
    day.Broadcasts.reserve(static_cast<std::size_t>(planner.Items().Count()));
    for (const TPlannerItem& item : planner.Items().All())
        day.Broadcasts.push_back(BroadcastOfItem(item));
    return day;
}
