#include "platform/Cp1251.h"

#include "platform/QtText.h"

#include <gtest/gtest.h>

namespace {

std::string AllBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

TEST(Cp1251, EveryUpperByteRoundTripsThroughUtf8) {
    for (int b = 0x80; b <= 0xFF; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = Cp1251ToUtf8(byte);
        EXPECT_NE(utf8, byte) << std::hex << b;
        EXPECT_EQ(Utf8ToCp1251(utf8), byte) << std::hex << b;
    }
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(AllBytes())), AllBytes());
}

TEST(Cp1251, KnownCharacters) {
    EXPECT_EQ(Cp1251ToUtf8("\xC0\xFF"), "Ая");
    EXPECT_EQ(Cp1251ToUtf8("\xA8\xB8"), "Ёё");
    EXPECT_EQ(Cp1251ToUtf8("\xB9 \x88 \x96 \xAB\xBB"), "№ € – «»");
    EXPECT_EQ(Cp1251ToUtf8("\x80\xA5\xB4\xA1"), "ЂҐґЎ");
    EXPECT_EQ(Utf8ToCp1251("Програма №5"), "\xCF\xF0\xEE\xE3\xF0\xE0\xEC\xE0 \xB9"
                                           "5");
}

TEST(Cp1251, CharactersWithoutAFormBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1251("日本"), "??");
    EXPECT_EQ(Utf8ToCp1251("café"), "caf?");
    EXPECT_EQ(Utf8ToCp1251("a😀b"), "a?b");
    EXPECT_EQ(UnicodeToCp1251(0x0081), '?');
}

TEST(Cp1251, MalformedUtf8BecomesQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1251("a\xFF"
                           "b"),
              "a?b");
    EXPECT_EQ(Utf8ToCp1251("a\xD0"), "a?");         // cut short
    EXPECT_EQ(Utf8ToCp1251("\xC0\xAF"), "??");      // overlong '/'
    EXPECT_EQ(Utf8ToCp1251("\xED\xA0\x80"), "???"); // a surrogate
    EXPECT_EQ(Utf8ToCp1251("\xD0"
                           "A"),
              "?A");
}

TEST(AnsiSameText, IgnoresCaseOfLatinAndCyrillicLetters) {
    EXPECT_TRUE(AnsiSameText(Utf8ToCp1251("ПРОГРАМА Ёж Ґ"), Utf8ToCp1251("програма ёж ґ")));
    EXPECT_TRUE(AnsiSameText("Nid", "NID"));
    EXPECT_FALSE(AnsiSameText("NID", "NIDS"));
    EXPECT_FALSE(AnsiSameText(Utf8ToCp1251("е"), Utf8ToCp1251("ё")));
    EXPECT_FALSE(AnsiSameText("[", "{"));
}

TEST(AnsiUpperChar, CapitalisesLatinAndCyrillicLettersOnly) {
    const std::string lower = Utf8ToCp1251("abz програма ёіїєўґђ µ1[");
    std::string upper;
    for (const char c : lower)
        upper += AnsiUpperChar(c);
    EXPECT_EQ(upper, Utf8ToCp1251("ABZ ПРОГРАМА ЁІЇЄЎҐЂ µ1["));
}

TEST(QtText, EveryByteRoundTripsThroughQString) {
    const QString text = ToQString(AllBytes());
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text[0xC0], QChar(0x0410));
    EXPECT_EQ(text[0xB9], QChar(0x2116));
    EXPECT_EQ(FromQString(text), AllBytes());
    EXPECT_EQ(ToQString(Utf8ToCp1251("Език: БГ")), QString::fromUtf8("Език: БГ"));
}

TEST(QtText, CharactersWithoutAFormBecomeOneQuestionMarkEach) {
    EXPECT_EQ(FromQString(QString::fromUtf8("a😀b日")), "a?b?");
    EXPECT_EQ(FromQString(QString(QChar(0xD800))), "?");
}

} // namespace
