#include "platform/Cp1251.h"
#include "platform/DateTime.h"
#include "platform/Exceptions.h"
#include "platform/Format.h"

#include <ctime>
#include <string_view>

namespace {

// Two-digit years land within this many years before the current one, or after it.
constexpr int kTwoDigitYearWindow = 50;

enum class DateOrder { MDY, DMY, YMD };

// The order of the first day, month or year letter of the short date format.
DateOrder GetDateOrder(const std::string& format) {
    for (const char c : format) {
        switch (c & 0xDF) {
        case 'E':
        case 'Y':
            return DateOrder::YMD;
        case 'M':
            return DateOrder::MDY;
        case 'D':
            return DateOrder::DMY;
        }
    }
    return DateOrder::MDY;
}

int CurrentYear() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local.tm_year + 1900;
}

int WidenYear(int year) {
    const int centuryBase = CurrentYear() - kTwoDigitYearWindow;
    year += centuryBase / 100 * 100;
    return year < centuryBase ? year + 100 : year;
}

struct DateParts {
    int year, month, day;
};

// Reads dates and times left to right; every element may be preceded by blanks.
class Scanner {
public:
    Scanner(std::string_view text, const FormatSettings& settings)
        : text_(text), settings_(settings) {}

    bool AtEnd() const { return pos_ >= text_.size(); }

    bool Date(TDateTime& result) {
        int n1, n2, n3, length1, length2, length3;
        const char separator = settings_.DateSeparator;
        if (!(Number(n1, length1) && Char(separator) && Number(n2, length2))) return false;
        DateParts parts;
        if (Char(separator)) {
            if (!Number(n3, length3)) return false;
            parts = FullDate(n1, length1, n2, n3, length3);
        } else {
            parts = DayAndMonth(n1, n2);
        }
        Char(separator);
        SkipBlanks();
        return TryEncodeDate(parts.year, parts.month, parts.day, result);
    }

    bool Time(TDateTime& result) {
        int baseHour = Designator();
        if (baseHour >= 0) SkipBlanks();
        int hour, minute, second = 0, msec = 0, length;
        if (!(Number(hour, length) && Char(settings_.TimeSeparator) && Number(minute, length)))
            return false;
        if (Char(settings_.TimeSeparator) && !Number(second, length)) return false;
        if (Char(settings_.DecimalSeparator) && !Number(msec, length)) return false;
        if (baseHour < 0) baseHour = Designator();
        if (baseHour >= 0) {
            if (hour == 0 || hour > 12) return false;
            hour = hour % 12 + baseHour;
        }
        SkipBlanks();
        return TryEncodeTime(hour, minute, second, msec, result);
    }

private:
    void SkipBlanks() {
        while (pos_ < text_.size() && text_[pos_] == ' ')
            ++pos_;
    }

    // Up to four digits, fewer once the value reaches 1000.
    bool Number(int& value, int& length) {
        SkipBlanks();
        const size_t start = pos_;
        int number = 0;
        for (; pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9' && number < 1000;
             ++pos_)
            number = number * 10 + (text_[pos_] - '0');
        if (pos_ == start) return false;
        value = number;
        length = static_cast<int>(pos_ - start);
        return true;
    }

    bool Char(char c) {
        SkipBlanks();
        if (pos_ >= text_.size() || text_[pos_] != c) return false;
        ++pos_;
        return true;
    }

    bool Symbol(std::string_view symbol) {
        if (symbol.empty()) return false;
        SkipBlanks();
        if (!AnsiSameText(symbol, text_.substr(pos_, symbol.size()))) return false;
        pos_ += symbol.size();
        return true;
    }

    // 0 for AM, 12 for PM, -1 for none.
    int Designator() {
        if (Symbol(settings_.TimeAMString) || Symbol("AM")) return 0;
        if (Symbol(settings_.TimePMString) || Symbol("PM")) return 12;
        return -1;
    }

    DateParts FullDate(int n1, int length1, int n2, int n3, int length3) const {
        switch (GetDateOrder(settings_.ShortDateFormat)) {
        case DateOrder::MDY:
            return WithFullYear({n3, n1, n2}, length3);
        case DateOrder::DMY:
            return WithFullYear({n3, n2, n1}, length3);
        default:
            return WithFullYear({n1, n2, n3}, length1);
        }
    }

    static DateParts WithFullYear(DateParts parts, int yearLength) {
        if (yearLength <= 2) parts.year = WidenYear(parts.year);
        return parts;
    }

    DateParts DayAndMonth(int n1, int n2) const {
        if (GetDateOrder(settings_.ShortDateFormat) == DateOrder::DMY)
            return {CurrentYear(), n2, n1};
        return {CurrentYear(), n1, n2};
    }

    std::string_view text_;
    const FormatSettings& settings_;
    size_t pos_ = 0;
};

template <typename Parse>
TDateTime ParseOrRaise(const std::string& text, const char* message, Parse parse) {
    TDateTime result;
    if (!parse(result)) throw EConvertError(Format(message, text.c_str()));
    return result;
}

} // namespace

bool TryStrToDate(const std::string& text, TDateTime& result, const FormatSettings& settings) {
    Scanner scanner(text, settings);
    return scanner.Date(result) && scanner.AtEnd();
}

bool TryStrToTime(const std::string& text, TDateTime& result, const FormatSettings& settings) {
    Scanner scanner(text, settings);
    return scanner.Time(result) && scanner.AtEnd();
}

bool TryStrToDateTime(const std::string& text, TDateTime& result, const FormatSettings& settings) {
    Scanner scanner(text, settings);
    TDateTime date, time = 0;
    if (!scanner.Date(date) || !(scanner.AtEnd() || (scanner.Time(time) && scanner.AtEnd())))
        return TryStrToTime(text, result, settings);
    result = date >= 0 ? date + time : date - time;
    return true;
}

TDateTime StrToDate(const std::string& text, const FormatSettings& settings) {
    return ParseOrRaise(text, "'%s' is not a valid date",
                        [&](TDateTime& result) { return TryStrToDate(text, result, settings); });
}

TDateTime StrToTime(const std::string& text, const FormatSettings& settings) {
    return ParseOrRaise(text, "'%s' is not a valid time",
                        [&](TDateTime& result) { return TryStrToTime(text, result, settings); });
}

TDateTime StrToDateTime(const std::string& text, const FormatSettings& settings) {
    return ParseOrRaise(text, "'%s' is not a valid date and time", [&](TDateTime& result) {
        return TryStrToDateTime(text, result, settings);
    });
}
