#include "platform/QtFormatSettings.h"

#include "platform/Cp1251.h"
#include "platform/DateTime.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

const TDateTime kEvening = EncodeDate(2010, 6, 17) + EncodeTime(21, 5, 3, 0);

TEST(ReadFormatSettings, UnitedStatesUsesTheToolkitsLetters) {
    const FormatSettings s = ReadFormatSettings(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(s.ShortDateFormat, "m/d/yy");
    EXPECT_EQ(s.LongDateFormat, "dddd, mmmm d, yyyy");
    EXPECT_EQ(s.ShortTimeFormat, "h:nn ampm");
    EXPECT_EQ(s.LongTimeFormat, "h:nn:ss ampm");
    EXPECT_EQ(s.DateSeparator, '/');
    EXPECT_EQ(s.TimeSeparator, ':');
    EXPECT_EQ(s.DecimalSeparator, '.');
    EXPECT_EQ(s.TimePMString, "PM");
    EXPECT_EQ(s.LongDayNames[0], "Sunday");
    EXPECT_EQ(s.ShortMonthNames[11], "Dec");
    EXPECT_EQ(DateTimeToStr(kEvening, s), "6/17/10 9:05:03 PM");
    EXPECT_EQ(StrToDateTime("6/17/10 9:05:03 PM", s), kEvening);
}

TEST(ReadFormatSettings, BulgarianKeepsQuotedTextAndCyrillicNames) {
    const FormatSettings s = ReadFormatSettings(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    EXPECT_EQ(s.DateSeparator, '.');
    EXPECT_EQ(s.DecimalSeparator, ',');
    EXPECT_EQ(s.ThousandSeparator, '\xA0');
    EXPECT_EQ(Cp1251ToUtf8(s.LongMonthNames[5]), "юни");
    EXPECT_EQ(Cp1251ToUtf8(s.LongDayNames[4]), "четвъртък");
    EXPECT_EQ(Cp1251ToUtf8(DateToStr(kEvening, s)), "17.06.10 г.");
    EXPECT_EQ(Cp1251ToUtf8(TimeToStr(kEvening, s)), "21:05:03 ч.");
}

TEST(ReadFormatSettings, GermanDatesReadBack) {
    const FormatSettings s = ReadFormatSettings(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(s.ShortDateFormat, "dd.mm.yy");
    EXPECT_EQ(s.LongTimeFormat, "hh:nn:ss");
    EXPECT_EQ(StrToDate(DateToStr(kEvening, s), s), DateOf(kEvening));
    EXPECT_EQ(StrToTime(TimeToStr(kEvening, s), s), EncodeTime(21, 5, 3, 0));
}

} // namespace
