#include "schedule/PlannerDay.h"

#include "planner/model/CustomPlanner.h"
#include "schedule/MainPlanner.h"

#include <cmath>
#include <gmock/gmock.h>
#include <string>
#include <vector>

namespace {

TDateTime Minutes(int minutes) {
    return minutes / 1440.0;
}

TDayBroadcast Broadcast(int id, std::string series, std::string program, int start, int end,
                        int position) {
    TDayBroadcast broadcast;
    broadcast.ProgramId = id;
    broadcast.SeriesName = std::move(series);
    broadcast.ProgramName = std::move(program);
    broadcast.Language = "BG";
    broadcast.Start = Minutes(start);
    broadcast.End = Minutes(end);
    broadcast.Position = position;
    return broadcast;
}

// A broadcast with its times in whole minutes, which is what the planner keeps of them.
std::string Described(const TDayBroadcast& b) {
    return std::to_string(b.ProgramId) + "|" + b.SeriesName + "|" + b.ProgramName + "|" +
           b.Language + "|" + std::to_string(std::lround(b.Start * 1440)) + "-" +
           std::to_string(std::lround(b.End * 1440)) + "|" + std::to_string(b.Position);
}

std::vector<std::string> Described(const TScheduleDay& day) {
    std::vector<std::string> lines{std::to_string(day.Date) + " " + std::to_string(day.Positions)};
    lines.insert(lines.end(), day.Captions.begin(), day.Captions.end());
    for (const TDayBroadcast& broadcast : day.Broadcasts)
        lines.push_back(Described(broadcast));
    return lines;
}

// Every value and place the planner can hold comes back as it went in.
TEST(PlannerDay, ADayShownIsTheDayReadBack) {
    TCustomPlanner planner;
    ApplyMainPlannerSettings(planner);
    TScheduleDay day{EncodeDate(2010, 6, 17), 3, {"", "a", "b", "c"}, {}, 0};
    day.Broadcasts = {
        Broadcast(7, "Tom & Jerry", "<HD> &amp; more", 485, 515, 0),
        Broadcast(-1, "\xCD\xEE\xE2\xE8\xED\xE8", "a]]>b", 1410, 1470, 1),
        Broadcast(0, "", "", 600, 600, 2),
        Broadcast(2147483647, "</p>\r\n<b>Program:</b> <p>", "x", 0, 1440, 0),
    };
    ShowDay(planner, day);
    EXPECT_EQ(Described(DayOfPlanner(planner, day.Date)), Described(day));
    EXPECT_EQ(planner.Items()[1].CaptionText(), "Program \xB9-1");
    EXPECT_EQ(planner.Items()[1].ItemKey(), "-1");

    ShowDay(planner, {day.Date, 1, {"", "d"}, {}, 0});
    EXPECT_EQ(planner.Items().Count(), 0);
    EXPECT_EQ(planner.Positions(), 1);
}

TEST(PlannerDay, AnItemWithAnotherTextReadsAsEmptyTexts) {
    TCustomPlanner planner;
    ApplyMainPlannerSettings(planner);
    AddBroadcastItem(planner, Broadcast(5, "S", "P", 60, 90, 0));
    planner.Items()[0].SetText({"plain"});
    planner.Items()[0].SetItemKey("x5");
    const TDayBroadcast read = BroadcastOfItem(planner.Items()[0]);
    EXPECT_EQ(read.ProgramId, -1);
    EXPECT_EQ(read.SeriesName + read.ProgramName + read.Language, "");
    EXPECT_NEAR(read.RunningTime(), Minutes(30), 1e-12);
}

} // namespace
