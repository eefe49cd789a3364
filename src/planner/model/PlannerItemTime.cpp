#include "planner/model/CustomPlanner.h"
#include "planner/model/PlannerItem.h"
#include "planner/model/TimeText.h"

#include <cmath>

namespace {

// Hour and minute of the time of day; seconds are dropped.
int MinuteOfDay(TDateTime value) {
    int hour, minute, second, millisecond;
    DecodeTime(value, hour, minute, second, millisecond);
    return hour * 60 + minute;
}

// A minute count as a date-time value: whole days plus the time of day, never failing.
TDateTime MinutesAsDateTime(int minutes, int minutesBack = 0) {
    int days = 0;
    while (minutes >= kMinsPerDay) {
        minutes -= kMinsPerDay;
        ++days;
    }
    const TDateTime time = static_cast<double>(minutes) / kMinsPerDay -
                           static_cast<double>(minutesBack % kMinsPerDay) / kMinsPerDay;
    return time + days;
}

} // namespace

void TPlannerItem::SetBeginTime(TDateTime value) {
    state_.BeginValue = value;
    const int minute = MinuteOfDay(value);
    const TPlannerDisplay& display = Planner().Display();
    SetItemBegin(minute / display.DisplayUnit() - display.DisplayStart());
    state_.BeginMinute = minute;
}

// An end on a later date, or at an earlier time of day than the start, lies on the next day.
void TPlannerItem::SetEndTime(TDateTime value) {
    const TPlannerDisplay& display = Planner().Display();
    state_.OverflowAfter = 0;
    state_.OverflowBefore = 0;
    int minute = MinuteOfDay(value);
    if (std::trunc(value) > std::trunc(state_.BeginValue)) minute += kMinsPerDay;
    if (minute < state_.BeginMinute) minute += kMinsPerDay;
    if (minute > display.DisplayEndMinute()) {
        state_.OverflowAfter = (minute - display.DisplayEndMinute()) / display.DisplayUnit();
        SetItemEnd(display.DisplayEnd() - display.DisplayStart() + 1);
    } else {
        SetItemEnd((minute - 1) / display.DisplayUnit() + 1 - display.DisplayStart());
    }
    state_.EndMinute = minute;
}

TDateTime TPlannerItem::BeginTime() const {
    const int before =
        state_.OverflowBefore > 0 ? state_.OverflowBefore * Planner().Display().DisplayUnit() : 0;
    return MinutesAsDateTime(state_.BeginMinute, before);
}

TDateTime TPlannerItem::EndTime() const {
    return MinutesAsDateTime(state_.EndMinute);
}

std::string TPlannerItem::CaptionString() const {
    switch (state_.CaptionType) {
    case ctTime:
        return TimeSpanText();
    case ctTimeText:
        return TimeSpanText() + " " + state_.CaptionText;
    default:
        return state_.CaptionText;
    }
}

// Dates are added only when start and end lie on different days of a dated planner.
std::string TPlannerItem::TimeSpanText() const {
    const std::string start = StartText();
    const std::string end = EndText();
    const double startDay = std::trunc(BeginTime());
    const double endDay = std::trunc(EndTime());
    if (startDay == 0 || endDay == 0 || startDay == endDay) return start + " - " + end;
    return start + " " + DateToStr(BeginTime()) + " - " + end + " " + DateToStr(EndTime());
}

std::string TPlannerItem::StartText() const {
    const int unit = Planner().Display().DisplayUnit();
    return MinutesToText(state_.BeginMinute - unit * state_.OverflowBefore + kMinsPerDay);
}

std::string TPlannerItem::EndText() const {
    return MinutesToText(state_.EndMinute);
}
