#include "support/Command.h"
#include "support/TempDatabase.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

// The nightly job as cron runs it: no display, settings of its own, a copy of a database.
class HeadlessExport : public testing::Test {
protected:
    HeadlessExport()
        : database_("INSERT INTO PROGRAM_DESCRIPTION (NID, SNAME, SSERIES_NAME, SLANGUAGE) "
                    "VALUES (1, 'Вечерни новини', 'Новини', 'Български');\n"
                    "INSERT INTO PROGRAM_TIMELINE (NPROGRAM_ID, DSTART_DATE, DEND_DATE, "
                    "TSTART_TIME, TDURATION) VALUES (1, '2010-03-28', '2010-03-28', '03:30', "
                    "'00:30');\n") {}

    // The system's zone is TZ's; the settings name none.
    CommandResult Run(const std::string& arguments, const std::string& zone = "UTC") const {
        return RunCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM TZ=" + zone +
                          " XDG_CONFIG_HOME=" + database_.Folder() + " " + SKEDORA_EXECUTABLE +
                          " --database " + database_.Path() + " " + arguments + " 2>&1");
    }
    std::string File(const std::string& name) const { return database_.Folder() + "/" + name; }

    TempDatabase database_;
};

std::string Bytes(const std::string& fileName) {
    std::ostringstream bytes;
    bytes << std::ifstream(fileName, std::ios::binary).rdbuf();
    return bytes.str();
}

TEST_F(HeadlessExport, WritesEachFormAndAnswersBadInputWithItsExitCode) {
    const std::string kept = File("kept.xml");
    std::ofstream(kept) << "an earlier guide";
    const std::string xmltv = " --from 2010-03-28 --to 2010-03-28";
    const struct {
        std::string zone; // the system's, TZ
        std::string arguments;
        int exitCode;
        std::string output; // a part of what it says
    } cases[] = {
        {"UTC", "--export-xmltv " + File("guide.xml") + xmltv + " --time-zone Europe/Sofia", 0, ""},
        {"Europe/Sofia", "--export-xmltv " + File("system.xml") + xmltv, 0, ""},
        {"UTC", "--export-csv " + File("day.csv") + " --date 2010-03-28", 0, ""},
        {"UTC", "--export-pdf " + File("day.pdf") + " --date 2010-03-28", 0, ""},
        {"UTC", "--export-xmltv " + kept + " --from 2011-01-01 --to 2011-01-07", 1,
         "skedora: No broadcasts are stored for"},
        {"UTC", "--export-csv /nonexistent/day.csv --date 2010-03-28", 1, "/nonexistent/day.csv"},
        {"UTC", "--export-xmltv x.xml --from 2010-03-28 --to 2010-03-27", 2,
         "--to comes before --from.\nUsage: skedora"},
        {"UTC", "--export-xmltv x.xml" + xmltv + " --time-zone Mars/Base", 2,
         "Unknown time zone \"Mars/Base\"."},
        {"UTC", "--export-pdf x.pdf", 2, "--date YYYY-MM-DD is needed"},
        {"UTC", "--export-csv x.csv --export-pdf y.pdf --date 2010-03-28", 2, "only one of"},
    };
    for (const auto& test : cases) {
        const CommandResult result = Run(test.arguments, test.zone);
        EXPECT_EQ(result.exitCode, test.exitCode) << test.arguments << "\n" << result.output;
        EXPECT_NE(result.output.find(test.output), std::string::npos) << result.output;
        if (test.exitCode == 1) {
            EXPECT_EQ(std::count(result.output.begin(), result.output.end(), '\n'), 1)
                << "one line: " << result.output;
        }
    }
    EXPECT_EQ(Bytes(kept), "an earlier guide");
    for (const char* guide : {"guide.xml", "system.xml"})
        EXPECT_NE(Bytes(File(guide)).find("start=\"20100328043000 +0300\""), std::string::npos)
            << guide << ": the skipped hour moves forward";
    EXPECT_EQ(RunCommand("XMLTV_SUPPLEMENT=/usr/share/xmltv tv_validate_file " + File("guide.xml") +
                         " 2>&1")
                  .exitCode,
              0);
    EXPECT_NE(Bytes(File("day.csv"))
                  .find("2010-03-28,1,03:30,04:00,00:30,1,Новини,Вечерни новини,"
                        "Български\r\n"),
              std::string::npos);
    const CommandResult text = RunCommand("pdftotext -layout " + File("day.pdf") + " - 2>&1");
    EXPECT_NE(text.output.find("Вечерни новини"), std::string::npos) << text.output;
}

} // namespace
