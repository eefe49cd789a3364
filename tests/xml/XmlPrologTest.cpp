#include "XmlFixture.h"

#include <gtest/gtest.h>

namespace {

TEST(XmlProlog, ReadsDeclarationCommentDocTypeAndStylesheet) {
    TSimpleXml xml;
    Parse(xml, "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\" ?>\r\n<!-- c -->"
               "<!DOCTYPE  r [ <!ELEMENT r (#PCDATA)> ] >"
               "<?xml-stylesheet type=\"text/xsl\" href=\"s.xsl\"?><r/>");
    ASSERT_EQ(xml.Prolog().Count(), 4);
    auto* header = dynamic_cast<TSimpleXmlElemHeader*>(xml.Prolog().Item(0));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->Version(), "1.0");
    EXPECT_EQ(header->Encoding(), "utf-8");
    EXPECT_TRUE(header->Standalone());
    EXPECT_EQ(header->Props().Count(), 0);
    EXPECT_EQ(xml.Prolog().Item(1)->Value(), " c ");
    EXPECT_EQ(xml.Prolog().Item(2)->Value(), "r [ <!ELEMENT r (#PCDATA)> ]");
    EXPECT_EQ(xml.Prolog().Item(3)->Props().ItemNamed("href")->Value(), "s.xsl");
    EXPECT_EQ(xml.Prolog().Item(4), nullptr);
    EXPECT_EQ(xml.Root().Name(), "r");
}

TEST(XmlProlog, DeclarationWithoutAttributesKeepsEmptyValues) {
    TSimpleXml xml;
    Parse(xml, "<?xml ?><r/>");
    auto* header = dynamic_cast<TSimpleXmlElemHeader*>(xml.Prolog().Item(0));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->Version(), "");
    EXPECT_FALSE(header->Standalone());
    XmlArena arena;
    EXPECT_EQ(TSimpleXmlElemHeader(arena).Encoding(), "iso-8859-1");
}

TEST(XmlProlog, UnknownInstructionsSwallowTheRestQuietly) {
    for (const char* text : {"<?xml\r\nversion='1.0'?><r><a/></r>", "<?php x ?><r><a/></r>",
                             "<!doctype r><r><a/></r>"}) {
        TSimpleXml xml;
        Parse(xml, text);
        EXPECT_EQ(xml.Root().Items().Count(), 0) << text;
    }
}

TEST(XmlProlog, CDataOpenerStartsTheRootElement) {
    TSimpleXml xml;
    Parse(xml, "<![CDATA[x>y</![CDATA[x>");
    EXPECT_EQ(xml.Root().Name(), "![CDATA[x");
    EXPECT_EQ(xml.Root().Value(), "y");
}

} // namespace
