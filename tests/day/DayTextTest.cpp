#include "day/DayText.h"

#include <gtest/gtest.h>

namespace {

TScheduleDay ADay() {
    TScheduleDay day;
    day.Date = EncodeDate(2010, 6, 17);
    day.Positions = 2;
    day.StoredVersion = 7;
    day.Captions = {"", "17\t06", "back\\slash\r\n"};
    TDayBroadcast b;
    b.ProgramId = -1;
    b.SeriesName = "\xCD\xEE\xE2\xE8\xED\xE8 & <b>";
    b.ProgramName = "";
    b.Language = "line\nbreak";
    b.Start = -10 / 1440.0;
    b.End = 1.0 + 1 / 3.0;
    b.Position = 1;
    day.Broadcasts = {b, TDayBroadcast{}};
    return day;
}

TEST(DayText, EveryFieldComesBackExactly) {
    const TScheduleDay day = ADay();
    EXPECT_EQ(DayFromText(DayToText(day)), day);
    EXPECT_EQ(DayFromText(DayToText(TScheduleDay{})), TScheduleDay{});
}

TEST(DayText, ATextThatIsNoDayGivesNothing) {
    const std::string text = DayToText(ADay());
    const std::string broken[] = {
        "",
        text.substr(0, text.size() - 1),   // the last line break lost
        text.substr(0, text.size() / 2),   // cut short
        text + "more\n",                   // a line too many
        "skedora-day 2" + text.substr(13), // another format
        [&] {
            std::string t = text;
            t[text.find('\\') + 1] = 'q';
            return t;
        }(), // an escape that means nothing
        [&] {
            std::string t = text;
            t.insert(t.find("\t1\t"), "z");
            return t;
        }(), // bad number
    };
    for (const std::string& t : broken)
        EXPECT_FALSE(DayFromText(t)) << t;
}

} // namespace
