#pragma once

#include "platform/DateTime.h"

#include <QWidget>
#include <cstdint>

// The month calendar that holds the schedule date. The main window keeps it hidden, so only
// its date parts and SelectedDate matter.
class TPlannerCalendar : public QWidget {
public:
    explicit TPlannerCalendar(QWidget* parent = nullptr);

    std::uint16_t Day() const { return day_; }
    std::uint16_t Month() const { return month_; }
    std::uint16_t Year() const { return year_; }
    // Each keeps the other two parts; a combination that is no date shows "Invalid date" and
    // changes nothing.
    void SetDay(std::uint16_t day);
    void SetMonth(std::uint16_t month);
    void SetYear(std::uint16_t year);

    TDateTime SelectedDate() const { return selectedDate_; }
    // The date's day, month and year at once; the time of day is dropped.
    void SetSelectedDate(TDateTime date);
    // End of loading the window's settings: the date follows the stored parts.
    void Loaded();

private:
    bool SetDate(int year, int month, int day);

    std::uint16_t day_;
    std::uint16_t month_;
    std::uint16_t year_;
    TDateTime selectedDate_;
};
