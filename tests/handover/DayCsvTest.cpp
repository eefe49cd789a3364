#include "handover/DayCsv.h"

#include "platform/Cp1251.h"
#include "support/Command.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Table = std::vector<std::vector<std::string>>;

// Python's csv module reads the file as a spreadsheet would; each field comes back with \x1f
// after it and each row ends in \x1e, so line breaks inside fields survive the trip.
Table ReadWithPython(const std::string& csv) {
    const auto file = std::filesystem::temp_directory_path() / "skedora-day.csv";
    std::ofstream(file, std::ios::binary) << csv;
    const CommandResult result =
        RunCommand("python3 -c 'import csv,sys\n"
                   "with open(sys.argv[1], newline=\"\", encoding=\"utf-8-sig\") as f:\n"
                   "    for row in csv.reader(f, strict=True):\n"
                   "        sys.stdout.write(\"\".join(x + \"\\x1f\" for x in row) + \"\\x1e\")' " +
                   file.string());
    std::filesystem::remove(file);
    EXPECT_EQ(result.exitCode, 0);
    Table table;
    std::string field;
    std::vector<std::string> row;
    for (char c : result.output) {
        if (c == '\x1f') {
            row.push_back(field);
            field.clear();
        } else if (c == '\x1e') {
            table.push_back(row);
            row.clear();
        } else {
            field += c;
        }
    }
    return table;
}

TDayBroadcast Broadcast(int id, std::string series, std::string program, std::string language,
                        int startMinute, int endMinute, int position) {
    return {.ProgramId = id,
            .SeriesName = Utf8ToCp1251(series),
            .ProgramName = Utf8ToCp1251(program),
            .Language = Utf8ToCp1251(language),
            .Start = startMinute / 1440.0,
            .End = endMinute / 1440.0,
            .Position = position};
}

} // namespace

TEST(DayCsv, ReadBackByARealParserEqualsTheDay) {
    TScheduleDay day;
    day.Date = EncodeDate(2010, 3, 28);
    day.Positions = 2;
    day.Broadcasts = {
        Broadcast(7, "Новини", "Вечерна емисия, \"На живо\"", "Български", 19 * 60, 19 * 60 + 30,
                  0),
        Broadcast(8, "Line\r\nbreaks", "", "English", 23 * 60 + 50, 24 * 60 + 20, 0),
        Broadcast(-1, "", "Quote \" alone", "", -10, 5, 1),
    };
    const std::string csv = DayCsv(day);
    ASSERT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    const Table expected = {
        {"Date", "Position", "Start", "End", "Running time", "Programme id", "Series", "Programme",
         "Language"},
        {"2010-03-28", "1", "19:00", "19:30", "00:30", "7", "Новини", "Вечерна емисия, \"На живо\"",
         "Български"},
        {"2010-03-28", "1", "23:50", "00:20", "00:30", "8", "Line\r\nbreaks", "", "English"},
        {"2010-03-29", "2", "23:50", "00:05", "00:15", "-1", "", "Quote \" alone", ""},
    };
    EXPECT_EQ(ReadWithPython(csv), expected);
    EXPECT_NE(csv.find("\r\n2010-03-28,1,19:00"), std::string::npos) << "records end in CR LF";
}
