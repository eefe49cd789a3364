#include "XmlFixture.h"

#include <gtest/gtest.h>

namespace {

const char* const kBroadcast = "<broadcasts>\r\n"
                               "  <broadcast>\r\n"
                               "    <date>2010-06-17</date>\r\n"
                               "    <series><![CDATA[\xD1\xE5\xF0\xE8\xE0\xEB]]></series>\r\n"
                               "    <program><![CDATA[]]></program>\r\n"
                               "    <language></language>\r\n"
                               "    <duration/>\r\n"
                               "  </broadcast>\r\n"
                               "</broadcasts>\r\n";

TEST(XmlTree, ElementsWithOneTextRunTakeItAsTheirValue) {
    TSimpleXml xml;
    Parse(xml, kBroadcast);
    EXPECT_EQ(xml.Root().Name(), "broadcasts");
    TSimpleXmlElem* broadcast = xml.Root().Items().Item(0);
    ASSERT_NE(broadcast, nullptr);
    EXPECT_EQ(broadcast->Parent(), &xml.Root());
    TSimpleXmlElem* date = broadcast->Items().ItemNamed("DATE");
    EXPECT_EQ(date->Value(), "2010-06-17");
    EXPECT_EQ(date->Items().Count(), 0);
    for (const char* empty : {"language", "duration"}) {
        EXPECT_EQ(broadcast->Items().ItemNamed(empty)->Value(), "") << empty;
        EXPECT_EQ(broadcast->Items().ItemNamed(empty)->Items().Count(), 0) << empty;
    }
}

TEST(XmlTree, CDataStaysAChildAndSavesOnThreeLines) {
    TSimpleXml xml;
    Parse(xml, kBroadcast);
    TSimpleXmlElems& fields = xml.Root().Items().Item(0)->Items();
    TSimpleXmlElem* series = fields.ItemNamed("series");
    EXPECT_EQ(series->Value(), "");
    ASSERT_EQ(series->Items().Count(), 1);
    EXPECT_EQ(series->Items().Item(0)->Value(), "\xD1\xE5\xF0\xE8\xE0\xEB");
    EXPECT_EQ(series->SaveToString(),
              "<series>\r\n <![CDATA[\xD1\xE5\xF0\xE8\xE0\xEB]]>\r\n</series>\r\n");
    EXPECT_EQ(fields.ItemNamed("program")->SaveToString(),
              "<program>\r\n <![CDATA[]]>\r\n</program>\r\n");
}

TEST(XmlTree, TextValuesKeepOneTrailingBlankAndAreDecodedTwice) {
    TSimpleXml xml;
    Parse(xml, "<r><a>x </a><b>y\r\n</b><c>&#38;lt;</c><d>  p   q  </d><e>&amp;</e></r>");
    TSimpleXmlElems& items = xml.Root().Items();
    EXPECT_EQ(items.Item(0)->Value(), "x ");
    EXPECT_EQ(items.Item(1)->Value(), "y\r");
    EXPECT_EQ(items.Item(2)->Value(), "<");
    EXPECT_EQ(items.Item(3)->Value(), "p q ");
    EXPECT_EQ(items.Item(4)->Value(), "&amp;");
}

TEST(XmlTree, MixedContentKeepsEveryNodeInOrder) {
    TSimpleXml xml;
    Parse(xml, "<r>lead<!-- note --><a k='v'/>tail <![CDATA[x]]]></r>");
    TSimpleXmlElems& items = xml.Root().Items();
    ASSERT_EQ(items.Count(), 5);
    EXPECT_EQ(items.Item(0)->Value(), "lead");
    EXPECT_EQ(items.Item(1)->Value(), " note ");
    EXPECT_EQ(items.Item(2)->Props().ItemNamed("K")->Value(), "v");
    EXPECT_EQ(items.Item(3)->Value(), "tail ");
    EXPECT_EQ(items.Item(4)->Value(), "x]");
    EXPECT_EQ(xml.Root().Value(), "");
}

TEST(XmlTree, CDataAndCommentContentEndOnlyAtTheirExactCloser) {
    TSimpleXml xml;
    Parse(xml, "<r><![CDATA[News [HD]]]><!--a-b--c--->--></r>");
    EXPECT_EQ(xml.Root().Items().Item(0)->Value(), "News [HD]");
    EXPECT_EQ(xml.Root().Items().Item(1)->Value(), "a-b--c--->");
}

TEST(XmlTree, PrefixesAndAttributes) {
    TSimpleXml xml;
    Parse(xml, "<r><a:b x:k=\"1&#60;\" j='\"'>t</a:b><c\r\n>u</c></r>");
    TSimpleXmlElem* b = xml.Root().Items().Item(0);
    EXPECT_EQ(b->Name(), "b");
    EXPECT_EQ(b->NameSpace(), "a");
    EXPECT_EQ(b->Value(), "t");
    TSimpleXmlProp* k = b->Props().Item(0);
    EXPECT_EQ(k->Name(), "k");
    EXPECT_EQ(k->NameSpace(), "x");
    EXPECT_EQ(k->Value(), "1<");
    EXPECT_EQ(b->Props().ItemNamed("j")->Value(), "\"");
    EXPECT_EQ(xml.Root().Items().ItemNamed("c")->Value(), "u");
    EXPECT_EQ(b->SaveToString(), "<b x:k=\"1&#60;\" j=\"&#34;\">t</b>\r\n");
}

TEST(XmlTree, SavesNestedElementsWithGrowingIndentation) {
    TSimpleXml xml;
    Parse(xml, "<r><a><b>1</b><!--c--></a>text<e/></r>");
    EXPECT_EQ(xml.Root().SaveToString(), "<r>\r\n <a>\r\n  <b>1</b>\r\n  <!--c-->\r\n </a>\r\n"
                                         " text\r\n <e/>\r\n</r>\r\n");
}

TEST(XmlTree, QuietEndsLeaveWhatWasRead) {
    TSimpleXml xml;
    Parse(xml, "");
    EXPECT_EQ(xml.Root().Items().Count(), 0);
    Parse(xml, "<r><a>1</a></r> trailing <junk");
    EXPECT_EQ(xml.Root().Items().Count(), 1);
    Parse(xml, "<q x='1'");
    EXPECT_EQ(xml.Root().Items().Count(), 0);
    EXPECT_EQ(xml.Root().Name(), "r"); // an unfinished start tag leaves the name as it was
}

TEST(XmlTree, EveryLoadStartsAfresh) {
    TSimpleXml xml;
    Parse(xml, "<?xml version='1.0'?><r>v</r>");
    Parse(xml, "<s><a/></s>");
    EXPECT_EQ(xml.Prolog().Count(), 0);
    EXPECT_EQ(xml.Root().Name(), "s");
    EXPECT_EQ(xml.Root().Value(), "");
    EXPECT_EQ(xml.Root().Items().Count(), 1);
}

} // namespace
