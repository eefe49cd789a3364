#include "XmlFixture.h"
#include "platform/Cp1251.h"

#include <gtest/gtest.h>

namespace {

TEST(XmlLists, ItemNamedIgnoresCaseAndPrefersTheLastEntry) {
    TSimpleXml xml;
    Parse(xml, "<r><date>1</date><Time>2</Time><DATE>3</DATE></r>");
    TSimpleXmlElems& items = xml.Root().Items();
    EXPECT_EQ(items.ItemNamed("date")->Value(), "3");
    EXPECT_EQ(items.ItemNamed("TIME")->Value(), "2");
    EXPECT_EQ(items.ItemNamed("dat"), nullptr);
    EXPECT_EQ(items.ItemNamed(""), nullptr);
}

TEST(XmlLists, ItemNamedFoldsCyrillicCase) {
    TSimpleXml xml;
    Parse(xml, Utf8ToCp1251("<r><дата>1</дата><ёж>2</ёж></r>"));
    EXPECT_EQ(xml.Root().Items().ItemNamed(Utf8ToCp1251("ДАТА"))->Value(), "1");
    EXPECT_EQ(xml.Root().Items().ItemNamed(Utf8ToCp1251("ЁЖ"))->Value(), "2");
    EXPECT_EQ(xml.Root().Items().ItemNamed(Utf8ToCp1251("ЕЖ")), nullptr);
}

TEST(XmlLists, IndexFollowsAddsAndRenames) {
    TSimpleXml xml;
    Parse(xml, "<r><a>1</a>text</r>");
    TSimpleXmlElems& items = xml.Root().Items();
    EXPECT_EQ(items.ItemNamed("a")->Value(), "1");
    items.Item(0)->SetName("b");
    EXPECT_EQ(items.ItemNamed("a"), nullptr);
    EXPECT_EQ(items.ItemNamed("b"), items.Item(0));
    items.Item(0)->SetName("");
    EXPECT_EQ(items.Item(0)->Name(), "b");
    // A child added without a name keeps an unnamed entry.
    items.Item(1)->SetName("t");
    EXPECT_EQ(items.ItemNamed("t"), nullptr);
    TSimpleXmlElem& node = items.Add<TSimpleXmlElemClassic>("B");
    EXPECT_EQ(items.ItemNamed("b"), &node);
    EXPECT_EQ(node.Parent(), &xml.Root());
    EXPECT_EQ(items.Add<TSimpleXmlElemText>().Parent(), &xml.Root());
    EXPECT_EQ(items.Count(), 4);
}

TEST(XmlLists, ItemOutsideTheList) {
    TSimpleXml xml;
    Parse(xml, "<r a='1'><x/></r>");
    TSimpleXmlElems& items = xml.Root().Items();
    EXPECT_EQ(items.Item(1), nullptr);
    EXPECT_EQ(items.Item(5), nullptr);
    EXPECT_THROW(
        try { items.Item(-1); } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), "List index out of bounds (-1)");
            throw;
        },
        EListError);
    TSimpleXmlProps& props = xml.Root().Props();
    EXPECT_EQ(props.Item(0)->Value(), "1");
    EXPECT_THROW(props.Item(1), EListError);
    EXPECT_EQ(items.Item(0)->Props().Item(0), nullptr); // never held an attribute
    props.Clear();
    EXPECT_THROW(props.Item(0), EListError);
}

TEST(XmlLists, ClearReleasesChildrenAndAttributesOnly) {
    TSimpleXml xml;
    Parse(xml, "<r k='v'><a><b/></a></r>");
    xml.Root().Clear();
    EXPECT_EQ(xml.Root().Items().Count(), 0);
    EXPECT_EQ(xml.Root().Props().Count(), 0);
    EXPECT_EQ(xml.Root().Name(), "r");
}

} // namespace
