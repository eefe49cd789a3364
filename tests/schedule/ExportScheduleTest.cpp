#include "data/mData.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "platform/Cp1251.h"
#include "schedule/Main.h"
#include "schedule/MainWindowFixture.h"
#include "support/Command.h"

#include <QAction>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>

using testing::ElementsAre;

namespace {

const char* const kDeclaration =
    R"(<?xml version="1.0" encoding="windows-1251" standalone="yes" ?>)";

class ExportSchedule : public MainWindowFixture {};

} // namespace

TEST_F(ExportSchedule, DateWithoutBroadcastsGivesThreeLines) {
    Start(Broadcast(1, "2010-06-18", "10:00", "00:30"));
    const std::string file = FileInFolder("empty.xml");
    EXPECT_THAT(CrLfLines(ExportTo(file)),
                ElementsAre(kDeclaration, "<broadcasts>", "</broadcasts>"));
    EXPECT_TRUE(dialogs_.Messages().empty());
    XmlLint(file);
}

TEST_F(ExportSchedule, WritesTheDaysBroadcastsInOrderOfStartTime) {
    Start(Programme(7, "News", "Daily", "EN") + Programme(8, "Film", "Cinema", "BG") +
          Broadcast(8, "2010-06-17", "21:30", "01:45") +
          Broadcast(7, "2010-06-16", "08:00", "00:15") +
          Broadcast(7, "2010-06-17", "09:05", "00:30") +
          Broadcast(7, "2010-06-18", "12:00", "00:15"));
    const std::string file = FileInFolder("day.xml");
    EXPECT_THAT(
        CrLfLines(ExportTo(file)),
        ElementsAre(
            kDeclaration, "<broadcasts>", "  <broadcast>", "    <date>2010-06-17</date>",
            "    <time>09:05</time>", "    <duration>00:30:00</duration>",
            "    <series><![CDATA[Daily]]></series>", "    <program><![CDATA[News]]></program>",
            "    <programuid><![CDATA[BG - 7]]></programuid>", "    <language>EN</language>",
            "  </broadcast>", "  <broadcast>", "    <date>2010-06-17</date>",
            "    <time>21:30</time>", "    <duration>01:45:00</duration>",
            "    <series><![CDATA[Cinema]]></series>", "    <program><![CDATA[Film]]></program>",
            "    <programuid><![CDATA[BG - 8]]></programuid>", "    <language>BG</language>",
            "  </broadcast>", "</broadcasts>"));
    XmlLint(file);
}

TEST_F(ExportSchedule, MissingProgrammeGivesEmptyTexts) {
    Start(Broadcast(999, "2010-06-17", "10:00", "00:30"));
    const std::vector<std::string> lines = CrLfLines(ExportTo(FileInFolder("missing.xml")));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[6], "    <series><![CDATA[]]></series>");
    EXPECT_EQ(lines[7], "    <program><![CDATA[]]></program>");
    EXPECT_EQ(lines[8], "    <programuid><![CDATA[]]></programuid>");
    EXPECT_EQ(lines[9], "    <language></language>");
    XmlLint(FileInFolder("missing.xml"));
}

TEST_F(ExportSchedule, CyrillicStaysOneBytePerLetterAndReadsBack) {
    Start(Programme(3, "Новини ]]> вечер", "Под игото", "BG & RU <субтитри>") +
          Broadcast(3, "2010-06-17", "19:00", "00:45"));
    const std::string file = FileInFolder("cyrillic.xml");
    const std::vector<std::string> lines = CrLfLines(ExportTo(file));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[6], Utf8ToCp1251("    <series><![CDATA[Под игото]]></series>"));
    EXPECT_EQ(lines[7],
              Utf8ToCp1251("    <program><![CDATA[Новини ]]]]><![CDATA[> вечер]]></program>"));
    EXPECT_EQ(lines[9], Utf8ToCp1251("    <language>BG &#38; RU &#60;субтитри&#62;</language>"));
    ASSERT_EQ(XmlLint(file), 0);
    EXPECT_EQ(XPathString(file, "//program"), "Новини ]]> вечер");
    EXPECT_EQ(XPathString(file, "//language"), "BG & RU <субтитри>");
}

TEST_F(ExportSchedule, TimesFollowTheLocaleSeparator) {
    Start(Programme(1, "A", "B", "C") + Broadcast(1, "2010-06-17", "09:05", "00:30"));
    DefaultFormatSettings().TimeSeparator = '.';
    const std::vector<std::string> lines = CrLfLines(ExportTo(FileInFolder("dots.xml")));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[4], "    <time>09.05</time>");
    EXPECT_EQ(lines[5], "    <duration>00.30.00</duration>");
}

TEST_F(ExportSchedule, LeavesTheQueryOpenAndCommitsItBeforeTheNextExport) {
    Start(Programme(1, "A", "B", "C") + Broadcast(1, "2010-06-17", "09:05", "00:30"));
    ExportTo(FileInFolder("first.xml"));
    EXPECT_TRUE(data_->qryTemp->Active());
    EXPECT_TRUE(data_->trTemp->Active());
    EXPECT_EQ(CrLfLines(ExportTo(FileInFolder("second.xml"))).size(), 12u);
    EXPECT_TRUE(dialogs_.Messages().empty());
}

TEST_F(ExportSchedule, DialogProposesExportXmlThenTheLastChosenName) {
    Start();
    dialogs_.Answer(mrCancel);
    window_->actExport->trigger();
    EXPECT_FALSE(data_->qryTemp->Active()) << "a cancelled export reads nothing";
    const std::string chosen = FileInFolder("chosen.xml");
    ExportTo(chosen);
    dialogs_.Answer(mrCancel);
    window_->actExport->trigger();

    const auto& calls = dialogs_.Calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].Request.FileName, "export.xml");
    EXPECT_EQ(calls[0].Request.Filter, "XML|*.xml");
    EXPECT_EQ(calls[0].Request.Width, 563);
    EXPECT_EQ(calls[0].Request.Height, 454);
    EXPECT_EQ(calls[1].Request.FileName, "export.xml");
    EXPECT_EQ(calls[2].Request.FileName, chosen);
}

TEST_F(ExportSchedule, FileErrorsReachTheErrorHandlerOnce) {
    Start(Programme(1, "A", "B", "C") + Broadcast(1, "2010-06-17", "09:05", "00:30"));
    const std::string file = FileInFolder("no such folder/x.xml");
    ExportTo(file);
    EXPECT_THAT(dialogs_.Messages(),
                ElementsAre("Cannot create file \"" + file + "\": No such file or directory."));
    EXPECT_FALSE(data_->qryTemp->Active()) << "the query runs only once the file exists";
    EXPECT_EQ(dialogs_.Calls().back().Caption, "Skedora");
}

TEST_F(ExportSchedule, QueryErrorLeavesAnExistingFileAsItWas) {
    Start("DROP TABLE PROGRAM_TIMELINE;");
    const std::string file = FileInFolder("day.xml");
    std::ofstream(file) << "yesterday's export";
    EXPECT_EQ(ExportTo(file), "yesterday's export");
    EXPECT_EQ(dialogs_.Messages().size(), 1u);
    ExportTo(FileInFolder("new.xml"));
    EXPECT_FALSE(std::filesystem::exists(FileInFolder("new.xml"))) << "no partial file";
}

// A small file system of its own, mounted while the test runs; where mounting is not allowed
// the test is skipped.
class SmallDisk {
public:
    explicit SmallDisk(std::string folder) : folder_(std::move(folder)) {
        std::filesystem::create_directories(folder_);
        mounted_ =
            RunCommand("mount -t tmpfs -o size=32k tmpfs '" + folder_ + "' 2>&1").exitCode == 0;
    }
    ~SmallDisk() {
        if (mounted_) RunCommand("umount '" + folder_ + "'");
    }
    bool Mounted() const { return mounted_; }

private:
    std::string folder_;
    bool mounted_ = false;
};

TEST_F(ExportSchedule, FullDiskShowsTheErrorAndKeepsTheEarlierFile) {
    std::string day = Programme(1, std::string(200, 'A'), std::string(200, 'B'), "C");
    for (int minute = 0; minute < 300; ++minute) {
        char start[8];
        std::snprintf(start, sizeof start, "%02d:%02d", minute / 60, minute % 60);
        day += Broadcast(1, "2010-06-17", start, "00:01");
    }
    Start(day);
    const SmallDisk disk(FileInFolder("disk"));
    if (!disk.Mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
    const std::string file = FileInFolder("disk/day.xml");
    std::ofstream(file) << "yesterday's export";
    EXPECT_EQ(ExportTo(file), "yesterday's export");
    ASSERT_EQ(dialogs_.Messages().size(), 1u);
    EXPECT_EQ(dialogs_.Messages().front(), "Disk full.");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(FileInFolder("disk")),
                            std::filesystem::directory_iterator()),
              1)
        << "no partial file is left";
}

TEST_F(ExportSchedule, TextsXmlCannotCarryAreLeftOut) {
    Start(Broadcast(1, "2010-06-17", "09:05", "00:30"));
    TIBQuery& query = *data_->qryTemp;
    query.SetSQL({"insert into program_description (nid, sname, sseries_name) values (1, :N, :S)"});
    query.Param("N").SetAsString("Bell\x07 \x98");
    query.Param("S").SetAsString("Series\x01");
    query.Execute();
    query.Transaction()->Commit();
    const std::string file = FileInFolder("clean.xml");
    ExportTo(file);
    EXPECT_EQ(XmlLint(file), 0);
    EXPECT_EQ(XPathString(file, "//program"), "Bell ");
}
