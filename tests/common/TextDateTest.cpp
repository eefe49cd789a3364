#include "support/common/TextDate.h"

#include "platform/DateTime.h"
#include "platform/FormatSettings.h"
#include "support/common/Common.h"

#include <gtest/gtest.h>

namespace {

class TextDate : public testing::Test {
protected:
    TextDate() : saved_(DefaultFormatSettings()) {
        DefaultFormatSettings().DateSeparator = '.';
        DefaultFormatSettings().ShortDateFormat = "dd/mm/yyyy";
        DefaultFormatSettings().TimeSeparator = ':';
    }
    ~TextDate() override { DefaultFormatSettings() = saved_; }

private:
    FormatSettings saved_;
};

TDateTime Time(int h, int m, int s = 0) {
    return EncodeTime(h, m, s, 0);
}

TEST(DigitsOnly, KeepsTheDigitsOfAnExportedIdentifier) {
    EXPECT_EQ(DigitsOnly("BG - 1234"), "1234");
    EXPECT_EQ(DigitsOnly("no digits"), "");
    EXPECT_EQ(DigitsOnly(""), "");
    EXPECT_EQ(DigitsOnly("\xB9 7-0"), "70");
}

TEST(LeftText, CountsBelowZeroAndBeyondTheEnd) {
    EXPECT_EQ(LeftText("10:30:", 5), "10:30");
    EXPECT_EQ(LeftText("abc", 3), "abc");
    EXPECT_EQ(LeftText("abc", 10), "abc");
    EXPECT_EQ(LeftText("abc", 0), "");
    EXPECT_EQ(LeftText("abc", -2), "");
}

TEST(ReplaceCharacter, LeavesTheArgumentAlone) {
    const std::string text = "10.30.00";
    EXPECT_EQ(ReplaceCharacter(text, '.', ':'), "10:30:00");
    EXPECT_EQ(text, "10.30.00");
    EXPECT_EQ(ReplaceCharacter(text, '.', '.'), text);
}

TEST_F(TextDate, DateToTextTreatsZeroAsNoDate) {
    EXPECT_EQ(DateToText(0), "");
    EXPECT_EQ(DateToText(1e-9), "");
    EXPECT_EQ(DateToText(1.0 / 86400000.0), "30.12.1899");
    EXPECT_EQ(DateToText(EncodeDate(2010, 6, 17) + 0.75), "17.06.2010");
}

TEST_F(TextDate, TextToTimeAcceptsDotsColonsAndATrailingSeparator) {
    EXPECT_EQ(TextToTime("09:05"), Time(9, 5));
    EXPECT_EQ(TextToTime("09.05"), Time(9, 5));
    EXPECT_EQ(TextToTime("09:05:"), Time(9, 5));
    EXPECT_EQ(TextToTime("01:45:30"), Time(1, 45, 30));
    EXPECT_EQ(TextToTime("1.45.30."), Time(1, 45, 30));
}

TEST_F(TextDate, TextToTimeGivesMidnightForWhatItCannotRead) {
    for (const char* text : {"", ":", ".", "10", "25:00", "10:61", "ab:cd", "10:30 xyz"})
        EXPECT_EQ(TextToTime(text), 0) << text;
}

TEST_F(TextDate, TextToTimeFollowsTheSystemSeparator) {
    DefaultFormatSettings().TimeSeparator = '.';
    EXPECT_EQ(TextToTime("21:45"), Time(21, 45));
    EXPECT_EQ(TextToTime("21.45"), Time(21, 45));
}

} // namespace
