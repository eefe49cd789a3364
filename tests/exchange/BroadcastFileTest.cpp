#include "exchange/BroadcastFile.h"

#include "platform/Cp1251.h"
#include "platform/Exceptions.h"
#include "support/ErrorText.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/resource.h>

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

TEST(BroadcastFileWriter, MissingFolderIsNamedWithTheReason) {
    EXPECT_EQ(ErrorOf<EInOutError>([] { TBroadcastFileWriter("/nonexistent-folder/x.xml"); }),
              "Cannot create file \"/nonexistent-folder/x.xml\": No such file or directory");
}

// The target keeps its old bytes until Close, and an unfinished file leaves nothing behind.
TEST(BroadcastFileWriter, FailedWriteLeavesTheExistingFileAlone) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("skedora-broadcast-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto path = folder / "day.xml";
    std::ofstream(path) << "yesterday";
    {
        TBroadcastFileWriter file(path.string());
        file.WriteLine("half a day");
    }
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);
    std::signal(SIGXFSZ, SIG_IGN);
    const std::string error = ErrorOf<EInOutError>([&] {
        TBroadcastFileWriter file(path.string());
        file.WriteLine(std::string(10000, 'x'));
        file.Close();
    });
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(error, "File too large");
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    EXPECT_EQ(bytes.str(), "yesterday");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    std::filesystem::remove_all(folder);
}

TEST(XmlText, LeavesOutBytesXmlCannotCarry) {
    EXPECT_EQ(XmlText("a\x01"
                      "b\tc\x98"
                      "d\x1F\r\n"),
              "ab\tcd\r\n");
    EXPECT_EQ(XmlCData("\x0B"
                       "x]]>\x98"),
              "<![CDATA[x]]]]><![CDATA[>]]>");
    EXPECT_EQ(XmlText("\xC0 & <>"), "\xC0 &#38; &#60;&#62;");
}
