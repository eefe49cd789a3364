#include "platform/DateTime.h"

#include "platform/Exceptions.h"
#include "support/ErrorText.h"

#include <array>
#include <gtest/gtest.h>

namespace {

struct Date {
    int year, month, day;
    bool operator==(const Date&) const = default;
};

Date Decoded(TDateTime value) {
    Date d;
    DecodeDate(value, d.year, d.month, d.day);
    return d;
}

std::string DecodedTime(TDateTime value) {
    int h, m, s, ms;
    DecodeTime(value, h, m, s, ms);
    return std::to_string(h) + ":" + std::to_string(m) + ":" + std::to_string(s) + "." +
           std::to_string(ms);
}

TEST(EncodeDate, CountsDaysFromTheEpoch) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1899, 12, 29), -1);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(2010, 6, 17), 40346);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465);
}

TEST(EncodeDate, EveryDayOfFiveCenturiesRoundTrips) {
    TDateTime expected = EncodeDate(1700, 1, 1);
    for (int year = 1700; year <= 2200; ++year)
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= DaysInMonth(year, month); ++day) {
                const TDateTime value = EncodeDate(year, month, day);
                ASSERT_EQ(value, expected) << year << "-" << month << "-" << day;
                ASSERT_EQ(Decoded(value), (Date{year, month, day}));
                expected += 1;
            }
}

TEST(EncodeDate, RejectsDaysThatDoNotExist) {
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2010, 13), 0);
    for (const Date d : {Date{2010, 2, 29}, Date{1900, 2, 29}, Date{2010, 4, 31}, Date{2010, 13, 1},
                         Date{2010, 0, 1}, Date{2010, 1, 0}, Date{0, 1, 1}, Date{10000, 1, 1}})
        EXPECT_EQ(ErrorOf<EConvertError>([&] { EncodeDate(d.year, d.month, d.day); }),
                  "Invalid argument to date encode")
            << d.year << "-" << d.month << "-" << d.day;
    TDateTime unchanged = 7;
    EXPECT_FALSE(TryEncodeDate(2010, 2, 29, unchanged));
    EXPECT_EQ(unchanged, 7);
}

TEST(EncodeTime, IsAFractionOfADayAndRejectsOutOfRangeParts) {
    EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_DOUBLE_EQ(EncodeTime(0, 30, 0, 0), 30.0 / kMinsPerDay);
    EXPECT_EQ(DecodedTime(EncodeTime(23, 59, 59, 999)), "23:59:59.999");
    for (const auto& t : {std::array{24, 0, 0, 0}, std::array{0, 60, 0, 0}, std::array{0, 0, 60, 0},
                          std::array{0, 0, 0, 1000}, std::array{-1, 0, 0, 0}})
        EXPECT_EQ(ErrorOf<EConvertError>([&] { EncodeTime(t[0], t[1], t[2], t[3]); }),
                  "Invalid argument to time encode");
}

TEST(DecodeTime, RoundsToTheMillisecond) {
    const double ms = 1 / kMSecsPerDay;
    EXPECT_EQ(DecodedTime(0.5 - 0.4 * ms), "12:0:0.0");
    EXPECT_EQ(DecodedTime(0.5 + 0.6 * ms), "12:0:0.1");
    // The last fraction of a millisecond rounds into the next day.
    const TDateTime almostMidnight = EncodeDate(2010, 6, 17) + 1 - 0.3 * ms;
    EXPECT_EQ(DecodedTime(almostMidnight), "0:0:0.0");
    EXPECT_EQ(Decoded(almostMidnight), (Date{2010, 6, 18}));
}

TEST(DecodeDate, NegativeValuesCarryTheTimeAsTheAbsoluteFraction) {
    EXPECT_EQ(Decoded(-1.25), (Date{1899, 12, 29}));
    EXPECT_EQ(DecodedTime(-1.25), "6:0:0.0");
    EXPECT_EQ(Decoded(-0.5), (Date{1899, 12, 30}));
    EXPECT_EQ(DecodedTime(-0.5), "12:0:0.0");
    EXPECT_EQ(Decoded(EncodeDate(1800, 3, 1) - 0.75), (Date{1800, 3, 1}));
}

TEST(DecodeDate, ValuesOutsideTheCalendarGiveZeros) {
    EXPECT_EQ(Decoded(-700000), (Date{0, 0, 0}));
    EXPECT_EQ(Decoded(1e300), (Date{0, 0, 0}));
    EXPECT_EQ(FormatDateTime("yyyy mmm|", -700000), "0000 |");
}

TEST(DateParts, WeekdayDateAndTimeOf) {
    EXPECT_EQ(DayOfWeek(EncodeDate(2010, 6, 17)), 5); // a Thursday
    EXPECT_EQ(DayOfWeek(0), 7);                       // 1899-12-30, a Saturday
    const TDateTime value = EncodeDate(2010, 6, 17) + EncodeTime(9, 5, 0, 0);
    EXPECT_EQ(DateOf(value), EncodeDate(2010, 6, 17));
    EXPECT_NEAR(TimeOf(value), EncodeTime(9, 5, 0, 0), 1e-9);
    EXPECT_NEAR(TimeOf(-1.25), -0.25, 1e-12);
}

} // namespace
