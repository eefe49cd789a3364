#include "support/markup/Markup.h"

#include <gtest/gtest.h>

TEST(MarkupColors, NamesGiveExplicitAndSystemColours) {
    EXPECT_EQ(ColorByName("clred"), 0x0000FFu);
    EXPECT_EQ(ColorByName("clnavy"), 0x800000u);
    EXPECT_EQ(ColorByName("cl3ddkshadow"), 0x80000015u);
    EXPECT_EQ(ColorByName("clinfobk"), 0x80000018u);
    EXPECT_EQ(ColorByName("clRed"), 0u);
    EXPECT_EQ(ColorByName("crimson"), 0u);
}
