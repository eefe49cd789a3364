#pragma once

#include <string>

// Clock texts of a minute count on a 24-hour clock; counts past a day wrap around.
std::string HourText(int minutes);   // hour without a leading zero: "0" to "23"
std::string MinuteText(int minutes); // two digits: "00" to "59"
// Hour, the locale's time separator, minute: "8:05", "21:45".
std::string MinutesToText(int minutes);
