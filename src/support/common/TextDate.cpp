#include "support/common/TextDate.h"

#include "platform/FormatSettings.h"

#include <cmath>
#include <exception>

std::string LeftText(const std::string& text, int n) {
    if (n <= 0) return {};
    return text.substr(0, static_cast<std::size_t>(n));
}

std::string ReplaceCharacter(const std::string& text, char oldChar, char newChar) {
    std::string copy = text;
    for (char& c : copy)
        if (c == oldChar) c = newChar;
    return copy;
}

std::string DateToText(TDateTime value) {
    constexpr double kOneMillisecond = 1.0 / 86400000.0;
    if (std::fabs(value) < kOneMillisecond) return {};
    try {
        return DateToStr(value);
    } catch (const std::exception&) {
        return {};
    }
}

TDateTime TextToTime(const std::string& text) {
    if (text.empty()) return 0;
    const char separator = DefaultFormatSettings().TimeSeparator;
    std::string time = ReplaceCharacter(ReplaceCharacter(text, '.', separator), ':', separator);
    if (time.back() == separator) time = LeftText(time, static_cast<int>(time.size()) - 1);
    TDateTime value = 0;
    if (time.empty() || !TryStrToTime(time, value)) return 0;
    return value - std::trunc(value);
}
