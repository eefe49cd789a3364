#include "platform/DateTime.h"

#include "platform/Exceptions.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>

namespace {

constexpr long long kDateDelta = 693594; // days from 0001-01-01 to 1899-12-30
constexpr long long kMSecsInDay = 86400000;
// Beyond this many days the millisecond count would not fit 64 bits; no calendar date is there.
constexpr double kLargestDayCount = 1e11;

constexpr int kDaysBeforeMonth[2][13] = {
    {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
    {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366}};

// Days counted from 0001-01-01 as day 1, and milliseconds into that day.
struct TimeStamp {
    long long date;
    int time;
};

// Rounds to the millisecond first, so 23:59:59.9999 is the next day's midnight. The time of a
// negative value is its absolute fraction.
TimeStamp ToTimeStamp(TDateTime value) {
    if (!std::isfinite(value) || std::fabs(value) > kLargestDayCount) return {0, 0};
    const auto msecs = static_cast<long long>(std::nearbyint(value * kMSecsPerDay));
    const long long magnitude = std::llabs(msecs);
    const long long days = magnitude / kMSecsInDay;
    return {(msecs < 0 ? -days : days) + kDateDelta, static_cast<int>(magnitude % kMSecsInDay)};
}

// Splits days since 0001-01-01 (day 1) into year, month and day by the Gregorian cycles.
void DecodeDays(long long days, int& year, int& month, int& day) {
    constexpr int kDays400 = 146097, kDays100 = 36524, kDays4 = 1461, kDays1 = 365;
    long long rest = days - 1;
    year = 1 + static_cast<int>(rest / kDays400) * 400;
    rest %= kDays400;
    const long long centuries = std::min(rest / kDays100, 3LL);
    rest -= centuries * kDays100;
    const long long quads = rest / kDays4;
    rest -= quads * kDays4;
    const long long years = std::min(rest / kDays1, 3LL);
    rest -= years * kDays1;
    year += static_cast<int>(centuries * 100 + quads * 4 + years);
    const int* before = kDaysBeforeMonth[IsLeapYear(year) ? 1 : 0];
    month = 1;
    while (rest >= before[month])
        ++month;
    day = static_cast<int>(rest - before[month - 1]) + 1;
}

} // namespace

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    if (month < 1 || month > 12) return 0;
    const int* before = kDaysBeforeMonth[IsLeapYear(year) ? 1 : 0];
    return before[month] - before[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        return false;
    const long long y = year - 1;
    const long long days = y * 365 + y / 4 - y / 100 + y / 400 +
                           kDaysBeforeMonth[IsLeapYear(year) ? 1 : 0][month - 1] + day;
    result = static_cast<TDateTime>(days - kDateDelta);
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        millisecond < 0 || millisecond > 999)
        return false;
    result = (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + millisecond) / kMSecsPerDay;
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime result;
    if (!TryEncodeDate(year, month, day, result))
        throw EConvertError("Invalid argument to date encode");
    return result;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    TDateTime result;
    if (!TryEncodeTime(hour, minute, second, millisecond, result))
        throw EConvertError("Invalid argument to time encode");
    return result;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
    const TimeStamp stamp = ToTimeStamp(value);
    if (stamp.date <= 0) {
        year = month = day = 0;
        return;
    }
    DecodeDays(stamp.date, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond) {
    const int msecs = ToTimeStamp(value).time;
    hour = msecs / 3600000;
    minute = msecs / 60000 % 60;
    second = msecs / 1000 % 60;
    millisecond = msecs % 1000;
}

int DayOfWeek(TDateTime value) {
    return static_cast<int>((ToTimeStamp(value).date % 7 + 7) % 7) + 1;
}

TDateTime DateOf(TDateTime value) {
    return std::trunc(value);
}

TDateTime TimeOf(TDateTime value) {
    return value - std::trunc(value);
}

TDateTime Now() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto milliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59),
                      static_cast<int>(milliseconds));
}

TDateTime Date() {
    return std::trunc(Now());
}
