#pragma once

#include "platform/DateTime.h"

#include <string>

// Text and date conversions of the broadcast import. None raises: each failure has a defined
// result.

// The first n characters; the whole text when n reaches its length, empty when n <= 0.
std::string LeftText(const std::string& text, int n);
// A copy with every oldChar replaced by newChar.
std::string ReplaceCharacter(const std::string& text, char oldChar, char newChar);
// The date part in the short date format; empty for a value within a millisecond of 0 (no
// date) and when formatting fails.
std::string DateToText(TDateTime value);
// A time of day from hours and minutes, optionally seconds and milliseconds, separated by '.'
// or ':' (a trailing separator allowed); 0 for anything unreadable.
TDateTime TextToTime(const std::string& text);
