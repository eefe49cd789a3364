#include "support/xml/SimpleXml.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

class XmlFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ =
            std::filesystem::temp_directory_path() /
            ("skedora_xml_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string Write(const std::string& name, const std::string& content) {
        const std::string path = (folder_ / name).string();
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    std::filesystem::path folder_;
};

// The export's own form: Windows-1251 bytes under a declaration that names utf-8.
const char* const kExported = "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\" ?>\r\n"
                              "<broadcasts>\r\n"
                              "  <broadcast>\r\n"
                              "    <date>2010-06-17</date>\r\n"
                              "    <time>09:05</time>\r\n"
                              "    <duration>0:30:00</duration>\r\n"
                              "    <series><![CDATA[\xD1\xE5\xF0\xE8\xE0\xEB]]></series>\r\n"
                              "    <program><![CDATA[\xCD\xEE\xE2\xEE\xF1\xF2\xE8]]></program>\r\n"
                              "    <programuid><![CDATA[BG - 42]]></programuid>\r\n"
                              "    <language>\xF0\xF3\xF1</language>\r\n"
                              "  </broadcast>\r\n"
                              "</broadcasts>\r\n";

TEST_F(XmlFile, LoadsTheExportFormat) {
    TSimpleXml xml;
    xml.LoadFile(Write("day.xml", kExported));
    auto* header = dynamic_cast<TSimpleXmlElemHeader*>(xml.Prolog().Item(0));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->Encoding(), "utf-8");
    EXPECT_TRUE(header->Standalone());
    ASSERT_EQ(xml.Root().Items().Count(), 1);
    TSimpleXmlElems& fields = xml.Root().Items().Item(0)->Items();
    EXPECT_EQ(fields.Count(), 7);
    EXPECT_EQ(fields.ItemNamed("time")->Value(), "09:05");
    EXPECT_EQ(fields.ItemNamed("language")->Value(), "\xF0\xF3\xF1");
    EXPECT_EQ(fields.ItemNamed("programuid")->SaveToString(),
              "<programuid>\r\n <![CDATA[BG - 42]]>\r\n</programuid>\r\n");
}

TEST_F(XmlFile, SettingTheFileNameLoadsIt) {
    TSimpleXml xml;
    const std::string path = Write("day.xml", kExported);
    xml.SetFileName(path);
    EXPECT_EQ(xml.FileName(), path);
    EXPECT_EQ(xml.Root().Name(), "broadcasts");
}

TEST_F(XmlFile, FilesThatCannotBeReadLeaveTheTreeAlone) {
    TSimpleXml xml;
    xml.LoadFile(Write("day.xml", kExported));
    for (const std::string& path : {(folder_ / "missing.xml").string(), folder_.string()}) {
        try {
            xml.LoadFile(path);
            ADD_FAILURE() << path;
        } catch (const EFOpenError& error) {
            EXPECT_EQ(error.Message(), "Cannot open file " + path);
        }
    }
    EXPECT_EQ(xml.Root().Items().Count(), 1);
}

// The tree's texts point into the loaded file's bytes, so the next file is read beside them.
TEST_F(XmlFile, TextsStayReadableThroughLoadsThatFail) {
    TSimpleXml xml;
    xml.LoadFile(Write("first.xml", "<r><time>01:00</time></r>"));
    xml.LoadFile(Write("second.xml", kExported));
    for (int i = 0; i < 2; ++i)
        EXPECT_THROW(xml.LoadFile((folder_ / "missing.xml").string()), EFOpenError);
    TSimpleXmlElems& fields = xml.Root().Items().Item(0)->Items();
    EXPECT_EQ(xml.Root().Name(), "broadcasts");
    EXPECT_EQ(fields.ItemNamed("time")->Value(), "09:05");
    EXPECT_EQ(fields.ItemNamed("series")->Items().Item(0)->Value(), "\xD1\xE5\xF0\xE8\xE0\xEB");
    xml.LoadFile(Write("third.xml", "<x><time>02:00</time></x>"));
    EXPECT_EQ(xml.Root().Name(), "x");
    EXPECT_EQ(xml.Root().Items().ItemNamed("time")->Value(), "02:00");
}

TEST_F(XmlFile, EmptyFileGivesAnEmptyRoot) {
    TSimpleXml xml;
    xml.LoadFile(Write("day.xml", kExported));
    xml.LoadFile(Write("empty.xml", ""));
    EXPECT_EQ(xml.Root().Items().Count(), 0);
    EXPECT_EQ(xml.Prolog().Count(), 0);
}

} // namespace
