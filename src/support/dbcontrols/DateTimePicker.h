#pragma once

#include "platform/DateTime.h"

#include <QTimeEdit>
#include <functional>

// The time picker: shows the time of day of its date-time value as hh:mm:ss and lets the user
// change it; the date part stays as it was set.
class TDateTimePicker : public QTimeEdit {
public:
    explicit TDateTimePicker(QWidget* parent = nullptr);

    TDateTime DateTime() const { return value_; }
    void SetDateTime(TDateTime value);
    // The time of day alone; setting it keeps the date part.
    TDateTime Time() const { return TimeOf(value_); }
    void SetTime(TDateTime time);

    // The user changed the time; setting it from code does not run this.
    std::function<void(TDateTimePicker&)> OnChange;

protected:
    // Tab leaves the picker as it leaves an edit; the arrow keys move between its parts.
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }

private:
    void Show();
    void UserChanged(const QTime& time);

    TDateTime value_ = 0;
    bool showing_ = false;
};
