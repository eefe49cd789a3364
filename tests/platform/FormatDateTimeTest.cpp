#include "platform/DateTime.h"

#include <gtest/gtest.h>

namespace {

// 2010-06-17 (a Thursday) 09:05:03.007
const TDateTime kMorning = EncodeDate(2010, 6, 17) + EncodeTime(9, 5, 3, 7);

FormatSettings Dotted() {
    FormatSettings settings;
    settings.DateSeparator = '.';
    settings.TimeSeparator = '-';
    return settings;
}

std::string Formatted(const std::string& format, TDateTime value = kMorning) {
    return FormatDateTime(format, value, Dotted());
}

TEST(FormatDateTime, Letters) {
    EXPECT_EQ(Formatted("d dd m mm yy yyyy"), "17 17 6 06 10 2010");
    EXPECT_EQ(Formatted("h hh n nn s ss z zzz"), "9 09 5 05 3 03 7 007");
    EXPECT_EQ(Formatted("d.m.y", EncodeDate(2005, 1, 2)), "2.1.05");
    EXPECT_EQ(Formatted("yyy", EncodeDate(33, 1, 2)), "0033");
    EXPECT_EQ(Formatted("mmm mmmm ddd dddd"), "Jun June Thu Thursday");
    EXPECT_EQ(Formatted("YYYY MM DD HH NN SS ZZZ"), "2010 06 17 09 05 03 007");
}

TEST(FormatDateTime, MonthLettersRightAfterHoursAreMinutes) {
    EXPECT_EQ(Formatted("hh:mm"), "09-05");
    EXPECT_EQ(Formatted("HH:MM"), "09-05");
    EXPECT_EQ(Formatted("hh:nn:ss mm"), "09-05-03 06");
    EXPECT_EQ(Formatted("h d mm"), "9 17 06");
}

TEST(FormatDateTime, SlashAndColonAreTheLocaleSeparators) {
    EXPECT_EQ(Formatted("dd/mm/yyyy hh:nn"), "17.06.2010 09-05");
    FormatSettings none = Dotted();
    none.DateSeparator = '\0';
    EXPECT_EQ(FormatDateTime("dd/mm", kMorning, none), "1706");
}

TEST(FormatDateTime, TwelveHourClockWithAmPm) {
    const TDateTime evening = EncodeTime(21, 30, 0, 0);
    const TDateTime pastMidnight = EncodeTime(0, 15, 0, 0);
    EXPECT_EQ(Formatted("hh:nn am/pm", evening), "09-30 pm");
    EXPECT_EQ(Formatted("h:nn AM/PM", evening), "9-30 PM");
    EXPECT_EQ(Formatted("h:nn Am/Pm", pastMidnight), "12-15 Am");
    EXPECT_EQ(Formatted("h:nn A/P", pastMidnight), "12-15 A");
    EXPECT_EQ(Formatted("hh:nn", evening), "21-30");
    EXPECT_EQ(Formatted("h 'am/pm' h", evening), "21 am/pm 21");
    EXPECT_EQ(Formatted("ampm h", evening), "PM 9");
    EXPECT_EQ(Formatted("h a h", evening), "21 a 21");
}

TEST(FormatDateTime, QuotedTextIsLiteral) {
    EXPECT_EQ(Formatted("'hh' \"mm\" hh"), "hh mm 09");
    EXPECT_EQ(Formatted("d x#"), "17 x#");
}

TEST(FormatDateTime, NamedFormats) {
    FormatSettings settings = Dotted();
    settings.ShortDateFormat = "dd/mm/yyyy";
    settings.LongDateFormat = "d mmmm yyyy";
    settings.ShortTimeFormat = "hh:nn";
    settings.LongTimeFormat = "hh:nn:ss";
    EXPECT_EQ(FormatDateTime("ddddd|dddddd|t|tt", kMorning, settings),
              "17.06.2010|17 June 2010|09-05|09-05-03");
    EXPECT_EQ(FormatDateTime("c", kMorning, settings), "17.06.2010 09-05-03");
    EXPECT_EQ(FormatDateTime("", kMorning, settings), "17.06.2010 09-05-03");
    EXPECT_EQ(FormatDateTime("c", DateOf(kMorning), settings), "17.06.2010");
}

TEST(FormatDateTime, ANamedFormatNamingItselfStops) {
    FormatSettings settings = Dotted();
    settings.ShortDateFormat = "ddddd";
    EXPECT_EQ(FormatDateTime("<ddddd>", kMorning, settings), "<>");
}

TEST(DateTimeToStr, UsesTheLocaleFormatsAndLeavesOutMidnight) {
    const FormatSettings us;
    EXPECT_EQ(DateToStr(kMorning, us), "6/17/2010");
    EXPECT_EQ(TimeToStr(kMorning, us), "9:05:03 AM");
    EXPECT_EQ(TimeToStr(EncodeTime(0, 30, 0, 0), us), "12:30:00 AM");
    EXPECT_EQ(DateTimeToStr(kMorning, us), "6/17/2010 9:05:03 AM");
    EXPECT_EQ(DateTimeToStr(EncodeDate(2010, 6, 17), us), "6/17/2010");
    EXPECT_EQ(DateTimeToStr(0, us), "12/30/1899");
    EXPECT_EQ(DateToStr(-1.25, us), "12/29/1899");
}

} // namespace
