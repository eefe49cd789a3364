#include "TestPlanner.h"
#include "planner/model/TimeText.h"

#include <gtest/gtest.h>

namespace {

TDateTime At(int hour, int minute, int second = 0) {
    return EncodeTime(hour, minute, second, 0);
}

class ItemTimeTest : public PlannerTest {
protected:
    // The schedule window's set-up of one programme.
    TPlannerItem& Place(TDateTime start, TDateTime duration) {
        TPlannerItem& item = planner.Items().Add();
        item.SetVisible(false);
        item.SetItemPos(0);
        item.SetBeginTime(start);
        item.SetEndTime(start + duration);
        item.SetCaptionType(ctTimeText);
        item.SetCaptionText("Program 7");
        item.SetVisible(true);
        return item;
    }
};

TEST_F(ItemTimeTest, ProgrammeRunningPastMidnightReachesTheLastRow) {
    TPlannerItem& item = Place(At(21, 45, 30), At(2, 30));
    EXPECT_EQ(130, item.ItemBegin());
    EXPECT_EQ(1305, item.BeginMinute());
    EXPECT_EQ(1455, item.EndMinute());
    EXPECT_EQ(1, item.OverflowAfter());
    EXPECT_EQ(144, item.ItemEnd());
    EXPECT_EQ(At(21, 45), item.BeginTime());
    EXPECT_EQ(1 + At(0, 15), item.EndTime());
    EXPECT_EQ("21:45 - 0:15", item.TimeSpanText());
    EXPECT_EQ("21:45 - 0:15 Program 7", item.CaptionString());
}

TEST_F(ItemTimeTest, ZeroDurationCoversTheStartedSlotOnly) {
    TPlannerItem& inside = Place(At(10, 5), 0);
    EXPECT_EQ(60, inside.ItemBegin());
    EXPECT_EQ(61, inside.ItemEnd());
    TPlannerItem& onBoundary = Place(At(10, 0), 0);
    EXPECT_EQ(60, onBoundary.ItemBegin());
    EXPECT_EQ(60, onBoundary.ItemEnd());
}

TEST_F(ItemTimeTest, EndBeforeStartIsTakenAsTheNextDay) {
    TPlannerItem& item = planner.Items().Add();
    item.SetBeginTime(At(10, 0));
    item.SetEndTime(At(9, 0));
    EXPECT_EQ(1980, item.EndMinute());
    EXPECT_EQ(54, item.OverflowAfter());
    EXPECT_EQ(144, item.ItemEnd());
}

TEST_F(ItemTimeTest, EndAtMidnightStaysWithinTheDay) {
    TPlannerItem& item = Place(At(23, 0), At(1, 0));
    EXPECT_EQ(1440, item.EndMinute());
    EXPECT_EQ(0, item.OverflowAfter());
    EXPECT_EQ(144, item.ItemEnd());
    EXPECT_EQ(1.0, item.EndTime());
    EXPECT_EQ("23:00 - 0:00", item.TimeSpanText());
}

TEST_F(ItemTimeTest, SlotSettersReplaceExactMinutesBySlotBoundaries) {
    TPlannerItem& item = Place(At(10, 5), At(0, 30));
    item.SetItemBegin(item.ItemBegin() + 1);
    item.SetItemEnd(item.ItemEnd() + 1);
    EXPECT_EQ(At(10, 10), item.BeginTime());
    EXPECT_EQ(At(10, 50), item.EndTime());
}

TEST_F(ItemTimeTest, SpanAcrossDatedDaysShowsBothDates) {
    TPlannerItem& item = planner.Items().Add();
    item.SetItemBegin(150);
    item.SetItemEnd(300);
    EXPECT_EQ("1:00 12/31/1899 - 2:00 1/1/1900", item.TimeSpanText());
}

TEST(MinutesToText, WrapsHoursAndUsesTheLocaleSeparator) {
    EXPECT_EQ("8:05", MinutesToText(485));
    EXPECT_EQ("0:15", MinutesToText(1455));
    EXPECT_EQ("23:50", MinutesToText(1430 + 2 * 1440));
    const char separator = DefaultFormatSettings().TimeSeparator;
    DefaultFormatSettings().TimeSeparator = '.';
    EXPECT_EQ("21.45", MinutesToText(1305));
    DefaultFormatSettings().TimeSeparator = separator;
}

TEST_F(ItemTimeTest, DisplayChangesRecomputeSlotsFromMinutes) {
    TPlannerItem& item = Place(At(21, 45), At(2, 30));
    planner.Display().SetDisplayUnit(30);
    EXPECT_EQ(43, item.ItemBegin());
    EXPECT_EQ(49, item.ItemEnd()); // past the last row: overflow plays no part
    planner.Display().SetDisplayUnit(0);
    planner.Display().SetDisplayOffset(31);
    EXPECT_EQ(30, planner.Display().DisplayUnit());
    EXPECT_EQ(0, planner.Display().DisplayOffset());
    EXPECT_EQ(48 * 30, planner.Display().ActiveStartMinute());
}

} // namespace
