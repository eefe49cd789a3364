#include "platform/Cp1251.h"
#include "platform/DateTime.h"
#include "platform/Exceptions.h"
#include "support/ErrorText.h"

#include <ctime>
#include <gtest/gtest.h>

namespace {

FormatSettings DayMonthYear() {
    FormatSettings settings;
    settings.ShortDateFormat = "dd.mm.yyyy";
    settings.DateSeparator = '.';
    settings.DecimalSeparator = ',';
    settings.TimeAMString = Utf8ToCp1251("пр.об.");
    settings.TimePMString = Utf8ToCp1251("сл.об.");
    return settings;
}

int ThisYear() {
    const std::time_t now = std::time(nullptr);
    return std::localtime(&now)->tm_year + 1900;
}

template <typename Parse> std::string ParseError(Parse parse, const std::string& text) {
    return ErrorOf<EConvertError>([&] { parse(text, DayMonthYear()); });
}

TDateTime Time(int h, int m, int s = 0, int ms = 0) {
    return EncodeTime(h, m, s, ms);
}

TEST(StrToDate, ReadsTheLocaleOrderAndSeparator) {
    const FormatSettings dmy = DayMonthYear();
    const TDateTime june17 = EncodeDate(2010, 6, 17);
    EXPECT_EQ(StrToDate("17.06.2010", dmy), june17);
    EXPECT_EQ(StrToDate(" 17 . 6 .2010. ", dmy), june17);
    EXPECT_EQ(StrToDate("6/17/2010", FormatSettings()), june17);
    FormatSettings ymd;
    ymd.ShortDateFormat = "yyyy-mm-dd";
    ymd.DateSeparator = '-';
    EXPECT_EQ(StrToDate("2010-06-17", ymd), june17);
    EXPECT_EQ(StrToDate("17.6", dmy), EncodeDate(ThisYear(), 6, 17));
}

TEST(StrToDate, WidensTwoDigitYearsAroundTheCurrentOne) {
    const FormatSettings dmy = DayMonthYear();
    const int year = ThisYear();
    const auto twoDigits = [](int y) { return "01.01." + std::to_string(y % 100); };
    EXPECT_EQ(StrToDate(twoDigits(year), dmy), EncodeDate(year, 1, 1));
    EXPECT_EQ(StrToDate(twoDigits(year + 49), dmy), EncodeDate(year + 49, 1, 1));
    EXPECT_EQ(StrToDate(twoDigits(year - 49), dmy), EncodeDate(year - 49, 1, 1));
    EXPECT_EQ(StrToDate("01.01.0010", dmy), EncodeDate(10, 1, 1));
}

TEST(StrToDate, RejectsOtherText) {
    for (const char* text : {"", "17", "17.", "31.02.2010", "17.06.2010x", "17-06-2010",
                             "17.06.2010 9:05", "17..2010", "17.06.20100", "abc"})
        EXPECT_EQ(ParseError(StrToDate, text), "'" + std::string(text) + "' is not a valid date");
}

TEST(StrToTime, AcceptedForms) {
    const FormatSettings s = DayMonthYear();
    EXPECT_EQ(StrToTime("9:05", s), Time(9, 5));
    EXPECT_EQ(StrToTime(" 09 : 05 : 03 ", s), Time(9, 5, 3));
    EXPECT_EQ(StrToTime("9:05:03,7", s), Time(9, 5, 3, 7));
    EXPECT_EQ(StrToTime("9:05,250", s), Time(9, 5, 0, 250));
    EXPECT_EQ(StrToTime("23:59:59", s), Time(23, 59, 59));
}

TEST(StrToTime, DesignatorsBeforeOrAfterEitherTheLocalesOrAmPm) {
    const FormatSettings s = DayMonthYear();
    EXPECT_EQ(StrToTime("9:05 PM", s), Time(21, 5));
    EXPECT_EQ(StrToTime("pm 9:05", s), Time(21, 5));
    EXPECT_EQ(StrToTime("12:00 AM", s), Time(0, 0));
    EXPECT_EQ(StrToTime("12:00 PM", s), Time(12, 0));
    EXPECT_EQ(StrToTime(Utf8ToCp1251("9:05 СЛ.ОБ."), s), Time(21, 5));
    EXPECT_EQ(StrToTime(Utf8ToCp1251("пр.об. 12:30"), s), Time(0, 30));
}

TEST(StrToTime, RejectsOtherText) {
    for (const char* text : {"", "9", "9:", ":30", "25:00", "9:60", "9:05:60", "13:00 PM",
                             "0:30 AM", "9:05 x", "9:05:", "9.05", "ab:cd", "9:05 PM PM"})
        EXPECT_EQ(ParseError(StrToTime, text), "'" + std::string(text) + "' is not a valid time");
}

TEST(StrToDateTime, DateTimeOrEither) {
    const FormatSettings s = DayMonthYear();
    const TDateTime june17 = EncodeDate(2010, 6, 17);
    EXPECT_EQ(StrToDateTime("17.06.2010 9:05", s), june17 + Time(9, 5));
    EXPECT_EQ(StrToDateTime("17.06.2010", s), june17);
    EXPECT_EQ(StrToDateTime("9:05 PM", s), Time(21, 5));
    EXPECT_EQ(StrToDateTime("29.12.1899 06:00", s), -1.25);
}

TEST(StrToDateTime, RejectsOtherText) {
    for (const char* text :
         {"", "17.06.2010 25:00", "17.06.2010 9:05 junk", "17.06.2010 9", "x 17.06.2010"})
        EXPECT_EQ(ParseError(StrToDateTime, text),
                  "'" + std::string(text) + "' is not a valid date and time");
}

TEST(FormatAndParse, DefaultSettingsRoundTrip) {
    const TDateTime value = EncodeDate(2010, 6, 17) + Time(21, 5, 3);
    EXPECT_EQ(StrToDateTime(DateTimeToStr(value)), value);
    EXPECT_EQ(StrToDate(DateToStr(value)), DateOf(value));
    EXPECT_EQ(StrToTime(TimeToStr(value)), Time(21, 5, 3));
}

} // namespace
