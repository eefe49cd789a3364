#include "support/xml/SimpleXml.h"

#include <gtest/gtest.h>

TEST(XmlDecodeText, ResolvesNumericAndAngleReferencesOnly) {
    EXPECT_EQ(XmlDecodeText("&#60;&#x3C;&lt;&LT;&gT;", false), "<<<<>");
    EXPECT_EQ(XmlDecodeText("a&#65;b&#0;c", false), std::string("aAb\0c", 5));
    EXPECT_EQ(XmlDecodeText("&#232;&#233;", false), "\xE8\xE9");
    EXPECT_EQ(XmlDecodeText("[&#1000;][&#101;][&#x$1;]", false), "[][][&#x$1;]");
    EXPECT_EQ(XmlDecodeText("&#  60;", false), "<");
}

TEST(XmlDecodeText, WritesEverythingElseBackAsItStands) {
    EXPECT_EQ(XmlDecodeText("a & b", true), "a & b");
    EXPECT_EQ(XmlDecodeText("&amp; &quot;", false), "&amp; &quot;");
    EXPECT_EQ(XmlDecodeText("&&lt;", false), "&<");
    EXPECT_EQ(XmlDecodeText("&#;", false), "&#;");
    EXPECT_EQ(XmlDecodeText("&lt&gt;", false), "&lt>");
    EXPECT_EQ(XmlDecodeText("&lt.x", false), "&lt.x");
    EXPECT_EQ(XmlDecodeText("&#6#0;", false), "&#6#0;");
    EXPECT_EQ(XmlDecodeText("end &", false), "end &");
    EXPECT_EQ(XmlDecodeText("end &#12", false), "end &#12");
    EXPECT_EQ(XmlDecodeText("&1;", false), "&1;");
}

TEST(XmlDecodeText, TrimKeepsTheFirstBlankOfEachRun) {
    EXPECT_EQ(XmlDecodeText("  a \r\n b\t\tc  ", true), " a b\t\tc ");
    EXPECT_EQ(XmlDecodeText("a\r\n b", true), "a\rb");
    EXPECT_EQ(XmlDecodeText("  a \r\n b", false), "  a \r\n b");
    EXPECT_EQ(XmlDecodeText("x\r\n", true), "x\r");
    // Blanks inside a pending reference count as its last byte.
    EXPECT_EQ(XmlDecodeText("&#  6 0;", true), "&# 6 0;");
    EXPECT_EQ(XmlDecodeText("&  x", true), "& x");
}

TEST(XmlEncodeText, WritesTheFiveMarkupBytesAsDecimalReferences) {
    EXPECT_EQ(XmlEncodeText("\"a&b'<c>\xE9"), "&#34;a&#38;b&#39;&#60;c&#62;\xE9");
    EXPECT_EQ(XmlDecodeText(XmlEncodeText("<&\"'>"), false), "<&\"'>");
}
