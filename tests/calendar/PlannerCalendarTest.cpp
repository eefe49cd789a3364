#include "support/calendar/PlannerCalendar.h"

#include "support/ScriptedDialogs.h"
#include "support/TestApplication.h"
#include "support/calendar/PlannerCalendarGroup.h"

#include <QCalendarWidget>
#include <gtest/gtest.h>

namespace {

class Calendar : public testing::Test {
protected:
    void SetUp() override { TestApplication(); }
    ScriptedDialogs dialogs_;
};

TEST_F(Calendar, StartsOnTodayWithoutTime) {
    TPlannerCalendar calendar;
    EXPECT_EQ(calendar.SelectedDate(), Date());
    EXPECT_EQ(EncodeDate(calendar.Year(), calendar.Month(), calendar.Day()), Date());
}

TEST_F(Calendar, StoredPartsGiveTheScheduleDate) {
    TPlannerCalendar calendar;
    calendar.SetDay(17);
    calendar.SetMonth(6);
    calendar.SetYear(2010);
    calendar.Loaded();
    EXPECT_EQ(calendar.SelectedDate(), 40346.0);
    EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(Calendar, InvalidCombinationKeepsThePartAndSaysSo) {
    TPlannerCalendar calendar;
    calendar.SetYear(2011);
    calendar.SetMonth(2);
    calendar.SetDay(28);
    calendar.SetDay(29);
    EXPECT_EQ(calendar.Day(), 28);
    EXPECT_EQ(calendar.SelectedDate(), EncodeDate(2011, 2, 28));
    ASSERT_EQ(dialogs_.Messages(), std::vector<std::string>{"Invalid date"});
    EXPECT_EQ(dialogs_.Calls()[0].Icon, MessageIcon::Error);

    calendar.SetYear(2012);
    calendar.SetDay(29);
    EXPECT_EQ(calendar.SelectedDate(), EncodeDate(2012, 2, 29));
    calendar.SetYear(2013);
    EXPECT_EQ(calendar.Year(), 2012);
    EXPECT_EQ(dialogs_.Calls().size(), 2u);
}

} // namespace

TEST(PlannerCalendarGroup, CarriesMonthsIntoTheNextYear) {
    TestApplication();
    TPlannerCalendarGroup group;
    group.SetStartMonth(2010, 11);
    EXPECT_EQ(group.Calendar(1).monthShown(), 12);
    EXPECT_EQ(group.Calendar(2).monthShown(), 1);
    EXPECT_EQ(group.Calendar(2).yearShown(), 2011);
}

TEST(PlannerCalendar, SelectedDateSetsEveryPartAtOnce) {
    TestApplication();
    TPlannerCalendar calendar;
    calendar.SetSelectedDate(EncodeDate(2011, 1, 31) + 0.5);
    calendar.SetSelectedDate(EncodeDate(2011, 2, 28));
    EXPECT_EQ(calendar.SelectedDate(), EncodeDate(2011, 2, 28));
    EXPECT_EQ(calendar.Month(), 2);
    EXPECT_EQ(calendar.Day(), 28);
}
