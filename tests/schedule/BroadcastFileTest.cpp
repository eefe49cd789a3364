#include "schedule/BroadcastFile.h"

#include "platform/Cp1251.h"
#include "platform/Exceptions.h"
#include "support/ErrorText.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

TEST(XmlCData, SplitsTheEndMarkerAcrossSections) {
    EXPECT_EQ(XmlCData(""), "<![CDATA[]]>");
    EXPECT_EQ(XmlCData("a & <b>"), "<![CDATA[a & <b>]]>");
    EXPECT_EQ(XmlCData("a]]>b"), "<![CDATA[a]]]]><![CDATA[>b]]>");
    EXPECT_EQ(XmlCData("]]>]]>"), "<![CDATA[]]]]><![CDATA[>]]]]><![CDATA[>]]>");
    EXPECT_EQ(XmlCData("a]]b]"), "<![CDATA[a]]b]]]>");
}

TEST(BroadcastFileWriter, TruncatesAndEndsEveryLineWithCrLf) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("skedora-broadcast-" + std::to_string(::getpid()) + ".xml");
    std::ofstream(path) << "old content that is longer than the new one";
    TBroadcastFileWriter file(path.string());
    file.WriteLine("one");
    file.WriteLine("");
    file.Close();
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    EXPECT_EQ(bytes.str(), "one\r\n\r\n");
    std::filesystem::remove(path);
}

TEST(BroadcastFileWriter, FileNameIsWindows1251Text) {
    const auto folder = std::filesystem::temp_directory_path();
    const std::string name = "skedora-" + std::to_string(::getpid()) + "-излъчване.xml";
    TBroadcastFileWriter(folder.string() + "/" + Utf8ToCp1251(name)).Close();
    EXPECT_TRUE(std::filesystem::exists(
        folder / std::filesystem::path(std::u8string(name.begin(), name.end()))));
    std::filesystem::remove(folder /
                            std::filesystem::path(std::u8string(name.begin(), name.end())));
}

TEST(BroadcastFileWriter, FailuresRaiseInputOutputErrors) {
    EXPECT_THROW(TBroadcastFileWriter("/nonexistent-folder/x.xml"), EInOutError);
    EXPECT_EQ(ErrorOf<EInOutError>([] {
                  TBroadcastFileWriter file("/dev/full");
                  file.WriteLine("x");
                  file.Close();
              }),
              "Disk full");
}
