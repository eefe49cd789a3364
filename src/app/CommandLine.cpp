#include "app/CommandLine.h"

#include "platform/Exceptions.h"

#include <cstdio>

namespace {

TDateTime ParseIsoDay(const std::string& text) {
    int year = 0, month = 0, day = 0, used = 0;
    TDateTime date = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d%n", &year, &month, &day, &used) != 3 ||
        used != static_cast<int>(text.size()) || text.size() != 10 ||
        !TryEncodeDate(year, month, day, date))
        throw EConvertError("Invalid --date \"" + text +
                            "\": expected a date as YYYY-MM-DD; the form's date is used");
    return date;
}

} // namespace

std::optional<TDateTime> ScheduleDateArgument(const std::vector<std::string>& arguments) {
    const std::string option = "--date";
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == option)
            return ParseIsoDay(i + 1 < arguments.size() ? arguments[i + 1] : "");
        if (argument.rfind(option + "=", 0) == 0)
            return ParseIsoDay(argument.substr(option.size() + 1));
    }
    return std::nullopt;
}
