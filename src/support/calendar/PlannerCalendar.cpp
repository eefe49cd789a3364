#include "support/calendar/PlannerCalendar.h"

#include "platform/Dialogs.h"

TPlannerCalendar::TPlannerCalendar(QWidget* parent) : QWidget(parent), selectedDate_(Date()) {
    int year, month, day;
    DecodeDate(selectedDate_, year, month, day);
    year_ = static_cast<std::uint16_t>(year);
    month_ = static_cast<std::uint16_t>(month);
    day_ = static_cast<std::uint16_t>(day);
}

void TPlannerCalendar::SetDay(std::uint16_t day) {
    if (SetDate(year_, month_, day)) day_ = day;
}

void TPlannerCalendar::SetMonth(std::uint16_t month) {
    if (SetDate(year_, month, day_)) month_ = month;
}

void TPlannerCalendar::SetYear(std::uint16_t year) {
    if (SetDate(year, month_, day_)) year_ = year;
}

bool TPlannerCalendar::SetDate(int year, int month, int day) {
    TDateTime date;
    if (!TryEncodeDate(year, month, day, date)) {
        AppDialogs().MessageBox("Invalid date", "Error", MessageIcon::Error, MessageButtons::OK);
        return false;
    }
    selectedDate_ = date;
    update();
    return true;
}

void TPlannerCalendar::SetSelectedDate(TDateTime date) {
    int year, month, day;
    DecodeDate(date, year, month, day);
    if (!SetDate(year, month, day)) return;
    year_ = static_cast<std::uint16_t>(year);
    month_ = static_cast<std::uint16_t>(month);
    day_ = static_cast<std::uint16_t>(day);
}

void TPlannerCalendar::Loaded() {
    TryEncodeDate(year_, month_, day_, selectedDate_);
}
