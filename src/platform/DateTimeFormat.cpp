#include "platform/DateTime.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace {

// A format may name another (ddddd, c, t, tt); nesting stops after one such level.
constexpr int kMaxDepth = 2;

char ToUpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

bool StartsWithNoCase(std::string_view text, size_t pos, std::string_view prefix) {
    if (text.size() - pos < prefix.size()) return false;
    return std::equal(prefix.begin(), prefix.end(), text.begin() + static_cast<long>(pos),
                      [](char a, char b) { return ToUpperAscii(a) == ToUpperAscii(b); });
}

bool IsAmPmAt(std::string_view format, size_t pos) {
    return StartsWithNoCase(format, pos, "AM/PM") || StartsWithNoCase(format, pos, "A/P") ||
           StartsWithNoCase(format, pos, "AMPM");
}

class DateTimeFormatter {
public:
    DateTimeFormatter(TDateTime value, const FormatSettings& settings) : settings_(settings) {
        DecodeDate(value, year_, month_, day_);
        DecodeTime(value, hour_, minute_, second_, msec_);
        dayIndex_ = DayOfWeek(value) - 1;
    }

    std::string Run(const std::string& format) {
        Append(format.empty() ? "c" : format, 0);
        return out_;
    }

private:
    // One pass over one format: the letter before, and whether hours are 12-hour ones.
    struct Cursor {
        std::string_view format;
        size_t pos = 0;
        char lastToken = ' ';
        bool twelveHour = false;
    };

    void Append(std::string_view format, int depth) {
        if (depth >= kMaxDepth) return;
        Cursor c{format};
        while (c.pos < format.size()) {
            const char starter = format[c.pos++];
            char token = ToUpperAscii(starter);
            if (token >= 'A' && token <= 'Z') {
                if (token == 'M' && c.lastToken == 'H') token = 'N';
                c.lastToken = token;
            }
            AppendToken(c, starter, token, depth);
        }
    }

    void AppendToken(Cursor& c, char starter, char token, int depth) {
        switch (token) {
        case 'Y':
            return AppendYear(RunLength(c, starter));
        case 'M':
            return AppendMonth(RunLength(c, starter));
        case 'D':
            return AppendDay(RunLength(c, starter), depth);
        case 'H':
            return AppendHour(c, RunLength(c, starter));
        case 'N':
            return AppendNumber(minute_, std::min(RunLength(c, starter), 2));
        case 'S':
            return AppendNumber(second_, std::min(RunLength(c, starter), 2));
        case 'Z':
            return AppendNumber(msec_, std::min(RunLength(c, starter), 3));
        case 'T':
            return AppendTime(RunLength(c, starter), depth);
        case 'C':
            return AppendDateTime(c, starter, depth);
        case 'A':
            return AppendAmPm(c, starter);
        case '/':
            return AppendSeparator(settings_.DateSeparator);
        case ':':
            return AppendSeparator(settings_.TimeSeparator);
        case '\'':
        case '"':
            return AppendQuoted(c, starter);
        default:
            out_ += starter;
        }
    }

    // The starter and the same characters right after it.
    static int RunLength(Cursor& c, char starter) {
        int count = 1;
        for (; c.pos < c.format.size() && c.format[c.pos] == starter; ++c.pos)
            ++count;
        return count;
    }

    // At least digits digits, zero-padded; date parts are never negative.
    void AppendNumber(int number, int digits) {
        const std::string text = std::to_string(number);
        if (static_cast<int>(text.size()) < digits) out_.append(digits - text.size(), '0');
        out_ += text;
    }

    void AppendName(const std::string* names, int index, int count) {
        if (index >= 0 && index < count) out_ += names[index];
    }

    void AppendYear(int count) {
        if (count <= 2)
            AppendNumber(year_ % 100, 2);
        else
            AppendNumber(year_, 4);
    }

    void AppendMonth(int count) {
        if (count <= 2)
            AppendNumber(month_, count);
        else if (count == 3)
            AppendName(settings_.ShortMonthNames, month_ - 1, 12);
        else
            AppendName(settings_.LongMonthNames, month_ - 1, 12);
    }

    void AppendDay(int count, int depth) {
        if (count <= 2)
            AppendNumber(day_, count);
        else if (count == 3)
            AppendName(settings_.ShortDayNames, dayIndex_, 7);
        else if (count == 4)
            AppendName(settings_.LongDayNames, dayIndex_, 7);
        else if (count == 5)
            Append(settings_.ShortDateFormat, depth + 1);
        else
            Append(settings_.LongDateFormat, depth + 1);
    }

    void AppendHour(Cursor& c, int count) {
        c.twelveHour = c.twelveHour || AmPmFollows(c);
        int hour = hour_;
        if (c.twelveHour && hour == 0)
            hour = 12;
        else if (c.twelveHour && hour > 12)
            hour -= 12;
        AppendNumber(hour, std::min(count, 2));
    }

    // Looks ahead to the next hour letter for an am/pm specifier outside quotes.
    static bool AmPmFollows(const Cursor& c) {
        bool quoted = false;
        for (size_t p = c.pos; p < c.format.size(); ++p) {
            const char ch = c.format[p];
            if (ch == '\'' || ch == '"')
                quoted = !quoted;
            else if (ch == 'h' || ch == 'H')
                return false;
            else if ((ch == 'a' || ch == 'A') && !quoted)
                return IsAmPmAt(c.format, p);
        }
        return false;
    }

    void AppendTime(int count, int depth) {
        Append(count == 1 ? settings_.ShortTimeFormat : settings_.LongTimeFormat, depth + 1);
    }

    void AppendDateTime(Cursor& c, char starter, int depth) {
        RunLength(c, starter);
        Append(settings_.ShortDateFormat, depth + 1);
        if (hour_ == 0 && minute_ == 0 && second_ == 0) return;
        out_ += ' ';
        Append(settings_.LongTimeFormat, depth + 1);
    }

    // "am/pm" and "a/p" print themselves in the format's own case; "ampm" prints the locale's.
    void AppendAmPm(Cursor& c, char starter) {
        const size_t p = c.pos - 1;
        const bool pm = hour_ >= 12;
        if (StartsWithNoCase(c.format, p, "AM/PM")) {
            out_ += c.format.substr(p + (pm ? 3 : 0), 2);
            c.pos = p + 5;
        } else if (StartsWithNoCase(c.format, p, "A/P")) {
            out_ += c.format[p + (pm ? 2 : 0)];
            c.pos = p + 3;
        } else if (StartsWithNoCase(c.format, p, "AMPM")) {
            out_ += pm ? settings_.TimePMString : settings_.TimeAMString;
            c.pos = p + 4;
        } else {
            out_ += starter;
            return;
        }
        c.twelveHour = true;
    }

    void AppendSeparator(char separator) {
        if (separator != '\0') out_ += separator;
    }

    void AppendQuoted(Cursor& c, char quote) {
        const size_t end = std::min(c.format.find(quote, c.pos), c.format.size());
        out_ += c.format.substr(c.pos, end - c.pos);
        c.pos = std::min(end + 1, c.format.size());
    }

    const FormatSettings& settings_;
    int year_, month_, day_, hour_, minute_, second_, msec_, dayIndex_;
    std::string out_;
};

} // namespace

std::string FormatDateTime(const std::string& format, TDateTime value,
                           const FormatSettings& settings) {
    return DateTimeFormatter(value, settings).Run(format);
}

std::string DateToStr(TDateTime value, const FormatSettings& settings) {
    return FormatDateTime(settings.ShortDateFormat, value, settings);
}

std::string TimeToStr(TDateTime value, const FormatSettings& settings) {
    return FormatDateTime(settings.LongTimeFormat, value, settings);
}

std::string DateTimeToStr(TDateTime value, const FormatSettings& settings) {
    return FormatDateTime("c", value, settings);
}
