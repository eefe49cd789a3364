#include "day/DayMarks.h"

#include <cmath>
#include <gtest/gtest.h>
#include <tuple>

namespace {

TDateTime M(double minutes) {
    return minutes / kMinsPerDay;
}

struct Item {
    int Position;
    TDateTime Start;
    TDateTime End;
};

TScheduleDay Day(const std::vector<Item>& items, int positions = 1) {
    TScheduleDay day;
    day.Positions = positions;
    for (const Item& item : items) {
        TDayBroadcast broadcast;
        broadcast.Start = item.Start;
        broadcast.End = item.End;
        broadcast.Position = item.Position;
        day.Broadcasts.push_back(broadcast);
    }
    return day;
}

double Minutes(TDateTime time) {
    return time * kMinsPerDay;
}

long long Seconds(TDateTime time) {
    return std::llround(time * 86400);
}

constexpr long long Sec(int minutes, int seconds = 0) {
    return minutes * 60LL + seconds;
}

// Every overlap as (broadcast, other, minutes), each broadcast's list in its order.
using Overlaps = std::vector<std::tuple<int, int, double>>;

Overlaps OverlapsOf(const TDayMarks& marks) {
    Overlaps all;
    for (size_t i = 0; i < marks.Overlaps.size(); ++i)
        for (const TDayOverlap& o : marks.Overlaps[i])
            all.emplace_back(static_cast<int>(i), o.Other, Seconds(o.Length) / 60.0);
    return all;
}

TEST(DayMarks, OverlapsNeedSharedAirTimeAcrossPositionsToo) {
    const struct {
        const char* name;
        std::vector<Item> items;
        Overlaps expected;
    } cases[] = {
        {"touching", {{0, M(600), M(660)}, {0, M(660), M(720)}}, {}},
        {"nested", {{0, M(600), M(720)}, {0, M(630), M(660)}}, {{0, 1, 30}, {1, 0, 30}}},
        {"three-way, out of time order",
         {{0, M(680), M(690)}, {0, M(650), M(750)}, {0, M(600), M(700)}},
         {{0, 1, 10}, {0, 2, 10}, {1, 2, 50}, {1, 0, 10}, {2, 1, 50}, {2, 0, 10}}},
        {"past midnight into the next position",
         {{0, M(1380), M(1470)}, {1, M(0), M(20)}, {1, M(20), M(30)}, {1, M(30), M(60)}},
         {{0, 1, 20}, {0, 2, 10}, {1, 0, 20}, {2, 0, 10}}},
        {"hanging over the start into the previous position",
         {{0, M(1380), M(1440)}, {1, M(-30), M(30)}},
         {{0, 1, 30}, {1, 0, 30}}},
        {"touching at midnight by different sums",
         {{0, M(1380), EndOnTheAir(M(1380), M(26))}, {1, M(26), M(60)}},
         {}},
        {"no length: inside, at a start, at an end",
         {{0, M(600), M(720)}, {0, M(630), M(630)}, {0, M(600), M(600)}, {0, M(720), M(720)}},
         {{0, 1, 0}, {1, 0, 0}}},
        {"a damaged file's negative position",
         {{-1, M(1430), M(1450)}, {0, M(0), M(20)}},
         {{0, 1, 10}, {1, 0, 10}}},
        {"same positions a day apart", {{0, M(600), M(660)}, {1, M(600), M(660)}}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OverlapsOf(MarkDay(Day(c.items, 2))), c.expected) << c.name;
}

// Every gap as (position, start, end, before, after), times in seconds.
using Gaps = std::vector<std::tuple<int, long long, long long, int, int>>;

Gaps GapsOf(const TDayMarks& marks) {
    Gaps all;
    for (size_t p = 0; p < marks.Gaps.size(); ++p)
        for (const TDayGap& g : marks.Gaps[p])
            all.emplace_back(static_cast<int>(p), Seconds(g.Start), Seconds(g.End), g.Before,
                             g.After);
    return all;
}

TEST(DayMarks, GapsAreLongerThanTheThresholdAndFollowTheFurthestEnd) {
    const double second = 1.0 / 60;
    const struct {
        const char* name;
        TDateTime threshold;
        std::vector<Item> items;
        Gaps expected;
    } cases[] = {
        {"at the threshold", M(1), {{0, M(600), M(660)}, {0, M(661), M(700)}}, {}},
        {"just below", M(1), {{0, M(600), M(660)}, {0, M(661 - second), M(700)}}, {}},
        {"just above",
         M(1),
         {{0, M(600), M(660)}, {0, M(661 + second), M(700)}},
         {{0, Sec(660), Sec(661, 1), 0, 1}}},
        {"threshold 0 draws a second, not touching",
         0,
         {{0, M(600), M(660)}, {0, M(660), M(670)}, {0, M(670 + second), M(700)}},
         {{0, Sec(670), Sec(670, 1), 1, 2}}},
        {"threshold 0, touching past midnight by different sums",
         0,
         {{0, M(1300), EndOnTheAir(M(1300), M(3))}, {0, M(1443), M(1500)}},
         {}},
        {"a negative threshold counts as 0",
         M(-5),
         {{0, M(600), M(660)}, {0, M(650), M(670)}, {0, M(670), M(700)}},
         {}},
        {"after a broadcast inside a longer one",
         M(1),
         {{0, M(600), M(720)}, {0, M(630), M(660)}, {0, M(750), M(780)}},
         {{0, Sec(720), Sec(750), 0, 2}}},
        {"out of time order, and per position",
         M(1),
         {{0, M(720), M(780)}, {1, M(660), M(700)}, {0, M(600), M(660)}, {1, M(10), M(20)}},
         {{0, Sec(660), Sec(720), 2, 0}, {1, Sec(20), Sec(660), 3, 1}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GapsOf(MarkDay(Day(c.items, 2), c.threshold)), c.expected) << c.name;
}

TEST(DayMarks, TotalsCountAirTimeOnceWithinEachPositionsDay) {
    // Position 0: one hanging over the start, one overlapping it, one running past midnight;
    // position 1: one overlapping that, one of no length; position 2 empty.
    const TDayMarks marks = MarkDay(Day({{0, M(-60), M(60)},
                                         {0, M(30), M(120)},
                                         {0, M(180), M(240)},
                                         {0, M(1380), M(1500)},
                                         {1, M(30), M(90)},
                                         {1, M(600), M(600)}},
                                        3));
    const struct {
        int broadcasts;
        double onAir, first, last, gaps, deadAir;
        int overlapping;
    } expected[] = {{4, 240, -60, 1500, 60 + 1140, 1200, 3},
                    {2, 90, 30, 600, 510, 1350, 1},
                    {0, 0, 0, 0, 0, 1440, 0},
                    {6, 330, -60, 2040, 1710, 3990, 4}};
    ASSERT_EQ(marks.PositionTotals.size(), 3u);
    for (size_t p = 0; p < 4; ++p) {
        const TDayTotals& t = p < 3 ? marks.PositionTotals[p] : marks.Totals;
        const auto& e = expected[p];
        EXPECT_EQ(t.Broadcasts, e.broadcasts) << p;
        EXPECT_NEAR(Minutes(t.OnAir), e.onAir, 1e-6) << p;
        EXPECT_NEAR(Minutes(t.FirstStart.value_or(0)), e.first, 1e-6) << p;
        EXPECT_NEAR(Minutes(t.LastEnd.value_or(0)), e.last, 1e-6) << p;
        EXPECT_EQ(t.FirstStart.has_value(), e.broadcasts > 0) << p;
        EXPECT_NEAR(Minutes(t.Gaps), e.gaps, 1e-6) << p;
        EXPECT_NEAR(Minutes(t.DeadAir), e.deadAir, 1e-6) << p;
        EXPECT_EQ(t.Overlapping, e.overlapping) << p;
    }
}

} // namespace
