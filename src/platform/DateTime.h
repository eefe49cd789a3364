#pragma once

#include "platform/FormatSettings.h"

#include <string>

// Days since 1899-12-30 00:00; the fraction is the time of day (0.5 = 12:00).
using TDateTime = double;

constexpr double kMSecsPerDay = 86400000.0;
constexpr int kMinsPerDay = 1440;

// Raise EConvertError for an invalid date or time.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);
int DayOfWeek(TDateTime value); // 1 = Sunday .. 7 = Saturday
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

TDateTime DateOf(TDateTime value); // whole days, time removed
TDateTime TimeOf(TDateTime value); // time of day, date removed

// The local clock.
TDateTime Now();
TDateTime Date(); // today, no time of day

// Format letters: d dd ddd dddd m mm mmm mmmm yy yyyy h hh n nn s ss z zzz
// am/pm a/p ampm c t tt ddddd / : "quoted" 'quoted'; "m" after h/hh means minutes.
std::string FormatDateTime(const std::string& format, TDateTime value,
                           const FormatSettings& settings = DefaultFormatSettings());
std::string DateToStr(TDateTime value, const FormatSettings& settings = DefaultFormatSettings());
std::string TimeToStr(TDateTime value, const FormatSettings& settings = DefaultFormatSettings());
std::string DateTimeToStr(TDateTime value,
                          const FormatSettings& settings = DefaultFormatSettings());

// Parsing by the locale's short date format order and separators; raise EConvertError
// ("'%s' is not a valid date", "... time", "... date and time").
TDateTime StrToDate(const std::string& text,
                    const FormatSettings& settings = DefaultFormatSettings());
TDateTime StrToTime(const std::string& text,
                    const FormatSettings& settings = DefaultFormatSettings());
TDateTime StrToDateTime(const std::string& text,
                        const FormatSettings& settings = DefaultFormatSettings());
bool TryStrToDate(const std::string& text, TDateTime& result,
                  const FormatSettings& settings = DefaultFormatSettings());
bool TryStrToTime(const std::string& text, TDateTime& result,
                  const FormatSettings& settings = DefaultFormatSettings());
bool TryStrToDateTime(const std::string& text, TDateTime& result,
                      const FormatSettings& settings = DefaultFormatSettings());
