#include "XmlFixture.h"

#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>

namespace {

TEST(XmlArena, HandsOutAlignedDistinctBlocksAndReusesThemAfterReset) {
    XmlArena arena;
    void* first = arena.Allocate(1);
    void* second = arena.Allocate(24);
    EXPECT_NE(first, second);
    for (void* block : {first, second})
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % alignof(std::max_align_t), 0u);
    // Past a chunk, and a block too big for one.
    for (int i = 0; i < 20000; ++i)
        arena.Allocate(100);
    const std::string big(3 << 20, 'x');
    EXPECT_EQ(arena.Copy(big), big);
    EXPECT_EQ(arena.Copy("").size(), 0u);
    arena.Reset();
    EXPECT_EQ(arena.Allocate(8), first);
    // The small first chunk kept from before is passed over for a wider block.
    auto* wide = static_cast<char*>(arena.Allocate(200000));
    std::memset(wide, 1, 200000);
    EXPECT_EQ(wide[199999], 1);
}

TEST(XmlArena, ListsKeepTheirEntriesAcrossGrowth) {
    XmlArena arena;
    XmlArenaList<int> list;
    int values[100];
    for (int& value : values)
        list.Push(arena, &value);
    ASSERT_EQ(list.Size(), 100u);
    for (std::size_t i = 0; i < 100; ++i)
        EXPECT_EQ(list[i], &values[i]);
    list.Clear();
    EXPECT_EQ(list.Size(), 0u);
}

// Parsed texts either point into bytes that outlive the tree or are copies of their own.
TEST(XmlLifetime, TextsOutliveTheBytesTheyWereParsedFrom) {
    TSimpleXml xml;
    {
        std::string text = "<r a:k='v&#60;'><p:b>one&#38;lt;</p:b><c><![CDATA[x]y]]></c>"
                           "<d>two  words</d><!--note--></r>";
        Parse(xml, text);
        text.assign(text.size(), '#');
    }
    TSimpleXmlElems& items = xml.Root().Items();
    EXPECT_EQ(xml.Root().Name(), "r");
    EXPECT_EQ(xml.Root().Props().Item(0)->Name(), "k");
    EXPECT_EQ(xml.Root().Props().Item(0)->NameSpace(), "a");
    EXPECT_EQ(xml.Root().Props().Item(0)->Value(), "v<");
    EXPECT_EQ(items.Item(0)->Name(), "b");
    EXPECT_EQ(items.Item(0)->NameSpace(), "p");
    EXPECT_EQ(items.Item(0)->Value(), "one<");
    EXPECT_EQ(items.Item(1)->Items().Item(0)->Value(), "x]y");
    EXPECT_EQ(items.Item(2)->Value(), "two words");
    EXPECT_EQ(items.Item(3)->Value(), "note");
}

TEST(XmlLifetime, RootKeepsItsNameWhenTheNextDocumentFailsBeforeIt) {
    TSimpleXml xml;
    Parse(xml, "<broadcasts><b/></broadcasts>");
    xml.Root().SetName("renamed");
    EXPECT_THROW(Parse(xml, "<?xml version='1.0'/><r/>"), TSimpleXmlInvalid);
    EXPECT_EQ(xml.Root().Name(), "renamed");
    EXPECT_EQ(xml.Root().Items().Count(), 0);
    EXPECT_EQ(xml.Prolog().Count(), 0);
    // The failed document's arena content is gone; what is built now lives on.
    xml.Root().Items().Add<TSimpleXmlElemClassic>("added").SetValue("kept");
    EXPECT_THROW(Parse(xml, "junk"), TSimpleXmlInvalid);
    EXPECT_EQ(xml.Root().Name(), "renamed");
    Parse(xml, "<next/>");
    EXPECT_EQ(xml.Root().Name(), "next");
}

} // namespace
