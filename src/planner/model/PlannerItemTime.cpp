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
    beginValue_ = value;
    const int minute = MinuteOfDay(value);
    const TPlannerDisplay& display = Planner().Display();
    SetItemBegin(minute / display.DisplayUnit() - display.DisplayStart());
    beginMinute_ = minute;
}

// An end on a later date, or at an earlier time of day than the start, lies on the next day.
void TPlannerItem::SetEndTime(TDateTime value) {
    const TPlannerDisplay& display = Planner().Display();
    overflowAfter_ = 0;
    overflowBefore_ = 0;
    int minute = MinuteOfDay(value);
    if (std::trunc(value) > std::trunc(beginValue_)) minute += kMinsPerDay;
    if (minute < beginMinute_) minute += kMinsPerDay;
    if (minute > display.DisplayEndMinute()) {
        overflowAfter_ = (minute - display.DisplayEndMinute()) / display.DisplayUnit();
        SetItemEnd(display.DisplayEnd() - display.DisplayStart() + 1);
    } else {
        SetItemEnd((minute - 1) / display.DisplayUnit() + 1 - display.DisplayStart());
    }
    endMinute_ = minute;
}

TDateTime TPlannerItem::BeginTime() const {
    const int before =
        overflowBefore_ > 0 ? overflowBefore_ * Planner().Display().DisplayUnit() : 0;
    return MinutesAsDateTime(beginMinute_, before);
}

TDateTime TPlannerItem::EndTime() const {
    return MinutesAsDateTime(endMinute_);
}

std::string TPlannerItem::CaptionString() const {
    switch (captionType_) {
    case ctTime:
        return TimeSpanText();
    case ctTimeText:
        return TimeSpanText() + " " + captionText_;
    default:
        return captionText_;
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
    return MinutesToText(beginMinute_ - unit * overflowBefore_ + kMinsPerDay);
}

std::string TPlannerItem::EndText() const {
    return MinutesToText(endMinute_);
}
