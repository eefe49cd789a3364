#include "exchange/BroadcastImport.h"

#include "platform/Exceptions.h"
#include "support/ErrorText.h"

#include <gtest/gtest.h>

namespace {

TEST(ExtractCDataText, TakesTheWholeSectionAfterTheMarker) {
    EXPECT_EQ(ExtractCDataText("<series><![CDATA[Daily news]]></series>"), "Daily news");
    EXPECT_EQ(ExtractCDataText("<program><![CDATA[News [HD]]]></program>"), "News [HD]");
    EXPECT_EQ(ExtractCDataText("<program><![CDATA[]]></program>"), "");
    EXPECT_EQ(ExtractCDataText("x![CDATA[no opening bracket]]>"), "no opening bracket");
}

TEST(ExtractCDataText, JoinsASectionSplitAroundItsClosingMarker) {
    EXPECT_EQ(ExtractCDataText("<p><![CDATA[a]]]]><![CDATA[>b]]></p>"), "a]]>b");
    EXPECT_EQ(ExtractCDataText("<p>\r\n  <![CDATA[a]]]]>\r\n  <![CDATA[>b]]>\r\n</p>"), "a]]>b");
    EXPECT_EQ(ExtractCDataText("<p><![CDATA[a]]>x<![CDATA[b]]></p>"), "a")
        << "a section after other text is not part of the value";
}

TEST(ExtractCDataText, MissingMarkerOrCloseStopsAtTheText) {
    EXPECT_EQ(ExtractCDataText("<p>plain</p>"), "");
    EXPECT_EQ(ExtractCDataText(""), "");
    EXPECT_EQ(ExtractCDataText("<p><![CDATA[unclosed"), "unclosed");
}

TEST(ParseIsoDate, ReadsThePartsByPosition) {
    EXPECT_EQ(ParseIsoDate("2010-06-17"), EncodeDate(2010, 6, 17));
    EXPECT_EQ(ParseIsoDate("2010/06/17T10:00"), EncodeDate(2010, 6, 17));
    EXPECT_EQ(ParseIsoDate("2010x06x17"), EncodeDate(2010, 6, 17));
}

TEST(ParseIsoDate, PartsThatFormNoDateRaiseTheDateError) {
    for (const char* text : {"2010-02-30", "2010-13-01", "2010-6-17", "junk", "", "2010-06"}) {
        const std::string error = ErrorOf<EConvertError>([&] { ParseIsoDate(text); });
        EXPECT_EQ(error, "Invalid argument to date encode") << text;
    }
}

TEST(ProgrammeIdentifier, DigitsOfTheTextOrMinusOne) {
    EXPECT_EQ(ProgrammeIdentifier("101"), 101);
    EXPECT_EQ(ProgrammeIdentifier("id-7x3"), 73);
    EXPECT_EQ(ProgrammeIdentifier("none"), -1);
    EXPECT_EQ(ProgrammeIdentifier("2147483647"), 2147483647);
    EXPECT_EQ(ProgrammeIdentifier("2147483648"), -1);
}

} // namespace
