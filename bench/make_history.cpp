// Makes a database holding years of a channel's history, for measuring the application at a
// real size: make_history OUTPUT.FDB --years N --programmes M [--seed S] [--end YYYY-MM-DD]
// [--null-end-before YYYY-MM-DD]. A failure prints one line on standard error and exits 1, with
// no file left behind; a usage error prints the usage and exits 2.
#include "HistoryPlan.h"
#include "HistoryWriter.h"
#include "data/NewDatabase.h"
#include "platform/Cp1251.h"
#include "platform/Exceptions.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;
namespace chr = std::chrono;

namespace {

constexpr const char* kUsage =
    "usage: make_history OUTPUT.FDB --years N --programmes M [--seed S] [--end YYYY-MM-DD]\n"
    "                    [--null-end-before YYYY-MM-DD]\n"
    "  --years N            history of N years (a fraction allowed) up to the end date\n"
    "  --programmes M       catalogue of M programmes (50 to 10000000)\n"
    "  --seed S             the same seed and sizes make the same rows (default 1)\n"
    "  --end DATE           the last date of the history (default 2026-12-31)\n"
    "  --null-end-before D  broadcasts before D have no DEND_DATE (default 5 years before the\n"
    "                       end)\n";

constexpr int kFewestProgrammes = 50;
constexpr int kMostProgrammes = 10'000'000;
constexpr double kMostYears = 2000;
// The engine's range of dates, less a day at each end: the first date's day is saved the day
// before, position 1 rows end the day after.
constexpr chr::year_month_day kFirstDate{chr::year{1}, chr::January, chr::day{2}};
constexpr chr::year_month_day kLastEnd{chr::year{9999}, chr::December, chr::day{30}};

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

int DayNumber(const chr::year_month_day& date) {
    return chr::sys_days(date).time_since_epoch().count();
}

struct Options {
    std::string output;
    int days = 0;
    int programmes = 0;
    std::uint64_t seed = 1;
    int end = DayNumber({chr::year{2026}, chr::December, chr::day{31}});
    std::optional<int> nullEndBefore;

    int First() const { return end - days + 1; }
    int NullEndBefore() const {
        if (nullEndBefore) return *nullEndBefore;
        const chr::year_month_day last{chr::sys_days{chr::days{end}}};
        const chr::year_month_day back{last.year() - chr::years{5}, last.month(), last.day()};
        return DayNumber(back.ok() ? back : back.year() / back.month() / chr::last);
    }
};

std::string DateText(int day) {
    const chr::year_month_day date{chr::sys_days{chr::days{day}}};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

template <typename T> T Whole(const std::string& option, const std::string& text, T low, T high) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        throw UsageError(option + " wants a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not '" + text + "'");
    return value;
}

int Date(const std::string& option, const std::string& text) {
    int year = 0;
    unsigned month = 0, day = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%4d-%2u-%2u%c", &year, &month, &day, &rest) == 3) {
        const chr::year_month_day date{chr::year{year}, chr::month{month}, chr::day{day}};
        if (date.ok()) return DayNumber(date);
    }
    throw UsageError(option + " wants a date as YYYY-MM-DD, not '" + text + "'");
}

int Days(const std::string& text) {
    char* end = nullptr;
    const double years = std::strtod(text.c_str(), &end);
    if (!text.empty() && *end == '\0' && years > 0 && years <= kMostYears)
        if (const long days = std::lround(years * 365.2425); days >= 1)
            return static_cast<int>(days);
    throw UsageError("--years wants a number of years above 0 (a day at least) and up to " +
                     std::to_string(static_cast<int>(kMostYears)) + ", not '" + text + "'");
}

void Apply(Options& options, const std::string& option, const std::string& value) {
    if (option == "--years")
        options.days = Days(value);
    else if (option == "--programmes")
        options.programmes = Whole(option, value, kFewestProgrammes, kMostProgrammes);
    else if (option == "--seed")
        options.seed = Whole<std::uint64_t>(option, value, 0, UINT64_MAX);
    else if (option == "--end")
        options.end = Date(option, value);
    else if (option == "--null-end-before")
        options.nullEndBefore = Date(option, value);
    else
        throw UsageError("unknown option " + option);
}

Options Parse(const std::vector<std::string>& arguments) {
    Options options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.starts_with("--")) {
            if (i + 1 == arguments.size()) throw UsageError(argument + " wants a value");
            Apply(options, argument, arguments[++i]);
        } else if (options.output.empty()) {
            options.output = argument;
        } else {
            throw UsageError("one output file only, not also '" + argument + "'");
        }
    }
    if (options.output.empty()) throw UsageError("no output file");
    if (options.days == 0 || options.programmes == 0)
        throw UsageError("--years and --programmes are both needed");
    if (options.end > DayNumber(kLastEnd) || options.First() < DayNumber(kFirstDate))
        throw UsageError("the history must lie between 0001-01-02 and 9999-12-30");
    return options;
}

// A failure that stops the program, said in one line.
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Sizes of made files with a third to spare (measured: 83 bytes per broadcast with its three index
// entries, 300 per programme, 1.9 MB for the empty database).
constexpr double kBroadcastBytes = 110;
constexpr double kProgrammeBytes = 400;
constexpr double kEmptyBytes = 2.0e6;
// Position 0 averages 50 broadcasts a date, position 1 adds 8 on one date in seven.
constexpr double kBroadcastsPerDate = 51.2;
constexpr double kMegabyte = 1024.0 * 1024.0;

double EstimatedBytes(const Options& options) {
    return kEmptyBytes + options.days * kBroadcastsPerDate * kBroadcastBytes +
           options.programmes * kProgrammeBytes;
}

std::string Megabytes(double bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", bytes / kMegabyte);
    return text;
}

// The folder the file goes in, or the nearest one above it that exists.
fs::path ExistingFolder(const fs::path& file) {
    fs::path folder = fs::absolute(file).parent_path();
    while (!fs::exists(folder) && folder != folder.parent_path())
        folder = folder.parent_path();
    return folder;
}

void CheckRoom(const Options& options) {
    const fs::path folder = ExistingFolder(options.output);
    const double needed = EstimatedBytes(options);
    const auto free = static_cast<double>(fs::space(folder).available);
    if (needed > free)
        throw Failure(options.output + " would take about " + Megabytes(needed) + ", but " +
                      folder.string() + " has " + Megabytes(free) + " free");
}

struct Counts {
    long broadcasts = 0;
    long secondPosition = 0;
    long datesWithTwo = 0;
    long orphans = 0;
    long withoutEnd = 0;
    double schemaSeconds = 0;
    double catalogueSeconds = 0;
    double broadcastSeconds = 0;
    double finishSeconds = 0;
};

double SecondsSince(chr::steady_clock::time_point& start) {
    const auto now = chr::steady_clock::now();
    const double seconds = chr::duration<double>(now - start).count();
    start = now;
    return seconds;
}

void Tally(Counts& counts, const std::vector<Broadcast>& day, int programmes, bool withEnd) {
    counts.broadcasts += static_cast<long>(day.size());
    const auto second =
        std::count_if(day.begin(), day.end(), [](const Broadcast& b) { return b.position == 1; });
    counts.secondPosition += second;
    counts.datesWithTwo += second > 0;
    counts.orphans += std::count_if(day.begin(), day.end(),
                                    [&](const Broadcast& b) { return b.programmeId > programmes; });
    if (!withEnd) counts.withoutEnd += static_cast<long>(day.size());
}

// Saved the day before, some time in the afternoon.
int SavedMinute(int date) {
    return 16 * 60 + static_cast<int>(static_cast<unsigned>(date) * 37u % 180u);
}

void Fill(const Options& options, const std::string& path, Counts& counts) {
    auto start = chr::steady_clock::now();
    HistoryWriter writer(path);
    const Catalogue catalogue = MakeCatalogue(options.programmes, options.seed);
    for (const Programme& programme : catalogue.programmes)
        writer.AddProgramme(programme);
    counts.catalogueSeconds = SecondsSince(start);
    ScheduleMaker maker(catalogue, options.seed ^ 0x5eed'da75'0000'0001ull);
    std::vector<Broadcast> day;
    for (int date = options.First(); date <= options.end; ++date) {
        maker.NextDay(day);
        const bool withEnd = date >= options.NullEndBefore();
        for (const Broadcast& broadcast : day)
            writer.AddBroadcast(date, broadcast, withEnd);
        writer.AddDay(date, SavedMinute(date));
        Tally(counts, day, options.programmes, withEnd);
    }
    counts.broadcastSeconds = SecondsSince(start);
    writer.Finish();
    counts.finishSeconds = SecondsSince(start);
}

// Engine messages are Windows-1251 lines; they are joined with semicolons.
std::string OneLine(const std::string& message) {
    std::string text;
    for (const char c : Cp1251ToUtf8(message))
        if (c == '\n')
            text += "; ";
        else if (c != '\r')
            text += c;
    return text;
}

// Made under the partial name and renamed when whole, so OUTPUT is never a half-made database.
Counts MakeInPlace(const Options& options) {
    const std::string partial = PartialDatabasePath(options.output);
    std::error_code ignored;
    fs::remove(partial, ignored);
    try {
        Counts counts;
        auto start = chr::steady_clock::now();
        CreateDatabaseFromSchema(partial, SKEDORA_SCHEMA_FILE);
        counts.schemaSeconds = SecondsSince(start);
        Fill(options, partial, counts);
        fs::rename(partial, options.output);
        return counts;
    } catch (...) {
        fs::remove(partial, ignored);
        throw;
    }
}

void Report(const Options& options, const Counts& counts, double seconds) {
    std::printf("made %s in %.1f s (schema %.1f s, catalogue %.1f s, broadcasts %.1f s, indexes "
                "and commit %.1f s), %s\n",
                options.output.c_str(), seconds, counts.schemaSeconds, counts.catalogueSeconds,
                counts.broadcastSeconds, counts.finishSeconds,
                Megabytes(static_cast<double>(fs::file_size(options.output))).c_str());
    std::printf("  %d programmes\n", options.programmes);
    std::printf("  %ld broadcasts on %d dates, %s to %s; a second position on %ld dates (%ld "
                "broadcasts)\n",
                counts.broadcasts, options.days, DateText(options.First()).c_str(),
                DateText(options.end).c_str(), counts.datesWithTwo, counts.secondPosition);
    std::printf("  %ld broadcasts of programmes not in the catalogue (ids %d to %d)\n",
                counts.orphans, options.programmes + 1,
                options.programmes + ScheduleMaker::kOrphanIds);
    std::printf("  %ld broadcasts before %s without DEND_DATE\n", counts.withoutEnd,
                DateText(options.NullEndBefore()).c_str());
}

void Make(const Options& options) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(options.output, error);
    if (!error && status.type() != fs::file_type::not_found)
        throw Failure(options.output + " exists already; the history goes into a new file");
    CheckRoom(options);
    auto start = chr::steady_clock::now();
    const Counts counts = MakeInPlace(options);
    const double seconds = SecondsSince(start);
    Report(options, counts, seconds);
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    try {
        options = Parse({argv + 1, argv + argc});
    } catch (const UsageError& error) {
        std::cerr << "make_history: " << error.what() << "\n" << kUsage;
        return 2;
    }
    try {
        Make(options);
        return 0;
    } catch (const Failure& failure) {
        std::cerr << "make_history: " << failure.what() << "\n";
    } catch (const Exception& failure) {
        std::cerr << "make_history: cannot make " << options.output << ": "
                  << OneLine(failure.Message()) << "\n";
    } catch (const std::exception& failure) {
        std::cerr << "make_history: cannot make " << options.output << ": " << failure.what()
                  << "\n";
    }
    return 1;
}
