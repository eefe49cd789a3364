#include "support/dbcontrols/DateTimePicker.h"

#include <cmath>

namespace {

// A date and a time of day as one value; before 1899-12-30 the time counts backwards.
TDateTime Combine(TDateTime date, TDateTime time) {
    return date < 0 ? date - time : date + time;
}

} // namespace

TDateTimePicker::TDateTimePicker(QWidget* parent) : QTimeEdit(parent) {
    setDisplayFormat(QStringLiteral("hh:mm:ss"));
    connect(this, &QTimeEdit::timeChanged, this, [this](QTime time) {
        if (!showing_) UserChanged(time);
    });
    SetDateTime(Now());
}

void TDateTimePicker::SetDateTime(TDateTime value) {
    value_ = value;
    Show();
}

void TDateTimePicker::SetTime(TDateTime time) {
    SetDateTime(Combine(DateOf(value_), std::abs(TimeOf(time))));
}

void TDateTimePicker::Show() {
    int hour, minute, second, millisecond;
    DecodeTime(value_, hour, minute, second, millisecond);
    showing_ = true;
    setTime(QTime(hour, minute, second, millisecond));
    showing_ = false;
}

void TDateTimePicker::UserChanged(const QTime& time) {
    value_ =
        Combine(DateOf(value_), EncodeTime(time.hour(), time.minute(), time.second(), time.msec()));
    if (OnChange) OnChange(*this);
}
