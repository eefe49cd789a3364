#include "platform/Conversions.h"

#include "platform/Exceptions.h"
#include "support/ErrorText.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

FormatSettings Comma() {
    FormatSettings settings;
    settings.DecimalSeparator = ',';
    return settings;
}

TEST(StrToInt, AcceptedForms) {
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt("  +42"), 42);
    EXPECT_EQ(StrToInt("-007"), -7);
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToInt("0x1f"), 31);
    EXPECT_EQ(StrToInt("-$10"), -16);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), std::numeric_limits<int>::min());
    EXPECT_EQ(StrToInt64("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(StrToInt64("-$8000000000000000"), std::numeric_limits<std::int64_t>::min());
}

TEST(StrToInt, RejectsOtherText) {
    for (const char* text : {"", " ", "-", "+-1", "42 ", "4 2", "42a", "1.0", "2147483648",
                             "-2147483649", "$", "$100000000", "$G", "0x", "1e3"})
        EXPECT_EQ(ErrorOf<EConvertError>([&] { StrToInt(text); }),
                  "'" + std::string(text) + "' is not a valid integer value");
    EXPECT_EQ(ErrorOf<EConvertError>([] { StrToInt64("9223372036854775808"); }),
              "'9223372036854775808' is not a valid integer value");
    int unchanged = 5;
    EXPECT_FALSE(TryStrToInt("x", unchanged));
    EXPECT_EQ(unchanged, 5);
}

TEST(FloatToStr, GeneralFormatWithFifteenDigits) {
    const FormatSettings dot;
    EXPECT_EQ(FloatToStr(0, dot), "0");
    EXPECT_EQ(FloatToStr(100, dot), "100");
    EXPECT_EQ(FloatToStr(-2.25, dot), "-2.25");
    EXPECT_EQ(FloatToStr(0.1 + 0.2, dot), "0.3");
    EXPECT_EQ(FloatToStr(1.0 / 3, dot), "0.333333333333333");
    EXPECT_EQ(FloatToStr(2.0 / 3, dot), "0.666666666666667");
    EXPECT_EQ(FloatToStr(1234567.125, dot), "1234567.125");
    EXPECT_EQ(FloatToStr(123456789012345.0, dot), "123456789012345");
    EXPECT_EQ(FloatToStr(0.0001, dot), "0.0001");
    EXPECT_EQ(FloatToStr(0.00012, Comma()), "0,00012");
}

TEST(FloatToStr, ExponentFormBeyondFifteenDigitsOrBelowATenThousandth) {
    const FormatSettings dot;
    EXPECT_EQ(FloatToStr(1e15, dot), "1E15");
    EXPECT_EQ(FloatToStr(1e20, dot), "1E20");
    EXPECT_EQ(FloatToStr(-1.25e20, dot), "-1.25E20");
    EXPECT_EQ(FloatToStr(0.00001, dot), "1E-5");
    EXPECT_EQ(FloatToStr(1.5e-7, dot), "1.5E-7");
    EXPECT_EQ(FloatToStr(999999999999999.9, dot), "1E15");
    EXPECT_EQ(FloatToStr(1e-300, dot), "1E-300");
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::infinity(), dot), "INF");
    EXPECT_EQ(FloatToStr(std::nan(""), dot), "NAN");
    EXPECT_EQ(FloatToStr(1.5e-7, Comma()), "1,5E-7");
}

TEST(FloatToStr, DefaultsToTheProcessSettings) {
    const FormatSettings saved = DefaultFormatSettings();
    DefaultFormatSettings().DecimalSeparator = ',';
    const std::string text = FloatToStr(2.5);
    const double value = StrToFloat("2,5");
    DefaultFormatSettings() = saved;
    EXPECT_EQ(text, "2,5");
    EXPECT_EQ(value, 2.5);
}

TEST(StrToFloat, AcceptedForms) {
    const FormatSettings dot;
    EXPECT_EQ(StrToFloat("1.5", dot), 1.5);
    EXPECT_EQ(StrToFloat("  -1.5  ", dot), -1.5);
    EXPECT_EQ(StrToFloat("+2", dot), 2);
    EXPECT_EQ(StrToFloat(".5", dot), 0.5);
    EXPECT_EQ(StrToFloat("5.", dot), 5);
    EXPECT_EQ(StrToFloat("1e3", dot), 1000);
    EXPECT_EQ(StrToFloat("1.5E-7", dot), 1.5e-7);
    EXPECT_EQ(StrToFloat("2E+2", dot), 200);
    EXPECT_EQ(StrToFloat("1,5", Comma()), 1.5);
}

TEST(StrToFloat, RejectsOtherText) {
    const auto rejected = [](const char* text, const FormatSettings& settings) {
        return ErrorOf<EConvertError>([&] { StrToFloat(text, settings); }) ==
               "'" + std::string(text) + "' is not a valid floating point value";
    };
    for (const char* text :
         {"", " ", "abc", ".", "-", "1.5.5", "e5", "1e", "1e+", "1,5", "1 5", "$10", "1e999"})
        EXPECT_TRUE(rejected(text, FormatSettings())) << text;
    EXPECT_TRUE(rejected("1.5", Comma()));
}

} // namespace
