#include "XmlFixture.h"

#include <gtest/gtest.h>

namespace {

struct ErrorCase {
    const char* input;
    const char* message;
};

void ExpectErrors(std::initializer_list<ErrorCase> cases) {
    for (const ErrorCase& c : cases)
        EXPECT_EQ(ParseError(c.input), c.message) << "input: " << c.input;
}

TEST(XmlErrors, Prolog) {
    ExpectErrors(
        {{"\xEF\xBB\xBF<r/>", "Invalid Document: Unexpected text in file prolog."},
         {"x<r/>", "Invalid Document: Unexpected text in file prolog."},
         {"<?xml version='1.0'?>junk", "Invalid Document: Unexpected text in file prolog."},
         {"\x01\x02\xFF\xFE", "Invalid Document: Unexpected text in file prolog."}});
}

TEST(XmlErrors, StartTags) {
    const char* malformed = "Invalid XML Element: Malformed tag found (no valid name)";
    ExpectErrors({{"< r/>", malformed},
                  {"<r>< a/></r>", malformed},
                  {"<r/ >", "Invalid XML Element: Expected end of tag but   found."},
                  {"<r><a/x></r>", "Invalid XML Element: Expected end of tag but x found."}});
}

TEST(XmlErrors, EndTags) {
    const char* prefix = "Invalid XML Element: Erroneous end of tag, expecting ";
    ExpectErrors({{"<r><a>x</b></r>", "Invalid XML Element: Erroneous end of tag, expecting </a> "
                                      "but </b> found."},
                  {"<r><a:b>x</b></r>", "Invalid XML Element: Erroneous end of tag, expecting "
                                        "</a:b> but </b> found."},
                  {"<r>x</r >", "Invalid XML Element: Erroneous end of tag, expecting </r> but "
                                "</r > found."}});
    // Truncated documents end before an end tag.
    for (const char* text : {"<r><a>1</a>", "<r><a>1</a></r", "<r><a>1", "<r><a", "<r>text"})
        EXPECT_EQ(ParseError(text).rfind(prefix, 0), 0u) << text;
    EXPECT_EQ(ParseError("<r><a>1</a"),
              "Invalid XML Element: Erroneous end of tag, expecting </a> but </> found.");
}

TEST(XmlErrors, Attributes) {
    const char* props = "Invalid XML Element: Unexpected character in properties declaration (";
    ExpectErrors({{"<r a = '1'/>", "Invalid XML Element: Unexpected character in properties "
                                   "declaration (  found)."},
                  {"<r a.b='1'/>", "Invalid XML Element: Unexpected character in properties "
                                   "declaration (. found)."},
                  {"<r :a='1'/>", "Invalid XML Element: Unexpected character in properties "
                                  "declaration (: found)."},
                  {"<r a=1/>", "Invalid XML Element: Unexpected character in property "
                               "declaration. Expecting \" or ' but 1 found."}});
    EXPECT_EQ(ParseError("<r a='1'b='2'/>"), "no error");
    EXPECT_EQ(ParseError("<r a='1' \x01/>"), std::string(props) + "\x01 found).");
}

TEST(XmlErrors, UnterminatedSections) {
    const char* comment = "Invalid Comment: Unexpected end of data";
    ExpectErrors({{"<r><![CDATA[abc]]</r>", "Invalid CDATA: Unexpected end of data"},
                  {"<r><!-- a -- ></r>", comment},
                  {"<!-- a", comment},
                  {"<?xml version='1.0'", comment},
                  {"<?xml version='1.0'?", comment},
                  {"<!DOCTYPE r [ > ", comment},
                  {"<?xml-stylesheet href='a'", "Invalid Stylesheet: Unexpected end of data"}});
}

TEST(XmlErrors, InstructionsNotClosedByQuestionMarkAndAngle) {
    ExpectErrors({{"<?xml version='1.0'/><r/>", "Invalid Header: Expected ? Found /"},
                  {"<?xml version='1.0'?x<r/>", "Invalid Header: Expected > Found x"},
                  {"<?xml-stylesheet a='1'><r/>", "Invalid Stylesheet: Expected ? Found >"}});
}

TEST(XmlErrors, ChildrenParsedBeforeAnErrorStayInTheRoot) {
    TSimpleXml xml;
    EXPECT_THROW(Parse(xml, "<r><a>1</a><b>2</b><c>3</d></r>"), TSimpleXmlInvalid);
    EXPECT_EQ(xml.Root().Items().Count(), 2);
    EXPECT_EQ(xml.Root().Name(), "");
}

TEST(XmlErrors, DeepNestingIsRefusedNotOverflowed) {
    std::string deep;
    for (int i = 0; i < 1000000; ++i)
        deep += "<a>";
    EXPECT_EQ(ParseError(deep), "Invalid XML Element: Elements nested deeper than 1000 levels");

    std::string allowed;
    for (int i = 0; i < kXmlMaxDepth; ++i)
        allowed += "<a>";
    allowed += "x";
    for (int i = 0; i < kXmlMaxDepth; ++i)
        allowed += "</a>";
    TSimpleXml xml;
    Parse(xml, allowed);
    EXPECT_EQ(xml.Root().Items().Item(0)->Name(), "a");
}

} // namespace
