#include "day/ScheduleDay.h"

#include <gtest/gtest.h>

namespace {

TDateTime Minutes(int minutes) {
    return minutes / 1440.0;
}

TEST(ScheduleDay, StoredPositionIsTheEndDateLessTheStartDate) {
    const TDateTime day = EncodeDate(2010, 6, 17);
    const struct {
        std::optional<TDateTime> end;
        int position;
    } cases[] = {{std::nullopt, 0}, {day, 0}, {day + 2, 2}, {day - 1, 0}, {day + 0.9999, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(StoredPosition(day, c.end), c.position) << (c.end ? *c.end - day : -99);
}

TEST(ScheduleDay, EndOnTheAirGoesPastMidnightOnlyForAnEarlierTime) {
    const struct {
        int start, end, onAir;
    } cases[] = {{600, 630, 630}, {1410, 30, 1470}, {600, 600, 600}, {0, 1439, 1439}};
    for (const auto& c : cases)
        EXPECT_NEAR(EndOnTheAir(Minutes(c.start), Minutes(c.end)), Minutes(c.onAir), 1e-9)
            << c.start << "-" << c.end;
}

TEST(ScheduleDay, PositionsCoverTheHighestAndEqualityTakesEveryField) {
    TScheduleDay day;
    EXPECT_EQ(PositionsFor(day.Broadcasts), 1);
    day.Broadcasts.resize(2);
    day.Broadcasts[0].Position = 2;
    EXPECT_EQ(PositionsFor(day.Broadcasts), 3);
    TScheduleDay other = day;
    EXPECT_EQ(other, day);
    other.Broadcasts[1].Language = "x";
    EXPECT_NE(other, day);
    other.Broadcasts[1].Start = Minutes(1410);
    other.Broadcasts[1].End = Minutes(1470);
    EXPECT_NEAR(other.Broadcasts[1].RunningTime(), Minutes(60), 1e-12);
}

} // namespace
