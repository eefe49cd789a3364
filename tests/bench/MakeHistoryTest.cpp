#include "support/Command.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <map>
#include <sstream>
#include <sys/mount.h>

namespace fs = std::filesystem;
using testing::EndsWith;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::StartsWith;

namespace {

struct Outcome {
    int exitCode = -1;
    std::string errors;
};

std::string Read(const fs::path& file) {
    std::ostringstream text;
    text << std::ifstream(file, std::ios::binary).rdbuf();
    return text.str();
}

std::vector<std::string> Entries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

// A folder of its own for each test, the generator run into it.
class MakeHistory : public testing::Test {
protected:
    MakeHistory() {
        std::string pattern = (fs::temp_directory_path() / "skedora-history-XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data()) ? pattern : throw std::runtime_error("no temp folder");
    }
    ~MakeHistory() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    // `prefix` goes before the program, inside the shell: a limit, for instance.
    Outcome Make(const std::string& arguments, const std::string& prefix = {}) const {
        const fs::path errors = folder_ / "errors.txt";
        const CommandResult result =
            RunCommand(prefix + " " + SKEDORA_MAKE_HISTORY + " " + arguments + " >/dev/null 2>'" +
                       errors.string() + "'");
        Outcome run{.exitCode = result.exitCode, .errors = Read(errors)};
        fs::remove(errors);
        return run;
    }
    std::string File(const std::string& name) const { return (folder_ / name).string(); }

    fs::path folder_;
};

// isql's output on a connection of its own, every run of blanks made one space.
std::string Isql(const std::string& database, const std::string& sql, const fs::path& folder) {
    const fs::path script = folder / "query.sql";
    std::ofstream(script) << "SET HEADING OFF;\n" << sql << "\n";
    const CommandResult result =
        RunCommand("isql-fb -q -b -ch UTF8 -user SYSDBA -password masterkey '" + database +
                   "' -i '" + script.string() + "' 2>&1");
    fs::remove(script);
    if (result.exitCode != 0) throw std::runtime_error("isql-fb failed: " + result.output);
    std::istringstream words(result.output);
    std::string text;
    for (std::string word; words >> word;)
        text += (text.empty() ? "" : " ") + word;
    return text;
}

// 91 dates, 2026-10-02 to 2026-12-31, the first 30 without end dates; orphans on the dates of
// index 0, 30, 60 and 90.
constexpr const char* kTinyHistory =
    "--years 0.25 --programmes 300 --seed 7 --end 2026-12-31 --null-end-before 2026-11-01";

struct Check {
    const char* what;
    const char* select;
    const char* expected;
};

const Check kChecks[] = {
    {"catalogue", "SELECT COUNT(*) FROM PROGRAM_DESCRIPTION", "300"},
    {"saved days", "SELECT COUNT(*), MIN(DDATE), MAX(DDATE) FROM SCHEDULE_DAY",
     "91 2026-10-02 2026-12-31"},
    {"each day saved once the day before",
     "SELECT COUNT(*) FROM SCHEDULE_DAY WHERE NVERSION <> 1 OR TSAVED >= DDATE OR "
     "TSAVED < DDATE - 1",
     "0"},
    {"broadcasts only on saved days",
     "SELECT COUNT(*) FROM PROGRAM_TIMELINE T WHERE NOT EXISTS (SELECT 1 FROM SCHEDULE_DAY D "
     "WHERE D.DDATE = T.DSTART_DATE)",
     "0"},
    {"orphans: count, lowest and highest id",
     "SELECT COUNT(*), MIN(NPROGRAM_ID), MAX(NPROGRAM_ID) FROM PROGRAM_TIMELINE T WHERE NOT "
     "EXISTS (SELECT 1 FROM PROGRAM_DESCRIPTION P WHERE P.NID = T.NPROGRAM_ID)",
     "4 301 304"},
    {"end dates null exactly before the cut",
     "SELECT COUNT(*) FROM PROGRAM_TIMELINE WHERE (DEND_DATE IS NULL AND DSTART_DATE >= "
     "'2026-11-01') OR (DEND_DATE IS NOT NULL AND DSTART_DATE < '2026-11-01')",
     "0"},
    {"some end dates null", "SELECT SIGN(COUNT(*)) FROM PROGRAM_TIMELINE WHERE DEND_DATE IS NULL",
     "1"},
    {"positions: how many, lowest, highest",
     "SELECT COUNT(DISTINCT DEND_DATE - DSTART_DATE), MIN(DEND_DATE - DSTART_DATE), "
     "MAX(DEND_DATE - DSTART_DATE) FROM PROGRAM_TIMELINE",
     "2 0 1"},
    {"dates with end dates, of them with 40 to 60 in position 0",
     "SELECT COUNT(*), SUM(IIF(N BETWEEN 40 AND 60, 1, 0)) FROM (SELECT COUNT(*) N FROM "
     "PROGRAM_TIMELINE WHERE DEND_DATE = DSTART_DATE GROUP BY DSTART_DATE)",
     "61 61"},
    {"each broadcast but a position's first starts where another ends",
     "SELECT COUNT(*) FROM PROGRAM_TIMELINE T WHERE T.DEND_DATE IS NOT NULL AND T.TSTART_TIME > "
     "(SELECT MIN(F.TSTART_TIME) FROM PROGRAM_TIMELINE F WHERE F.DSTART_DATE = T.DSTART_DATE AND "
     "F.DEND_DATE = T.DEND_DATE) AND NOT EXISTS (SELECT 1 FROM PROGRAM_TIMELINE P WHERE "
     "P.DSTART_DATE = T.DSTART_DATE AND P.DEND_DATE = T.DEND_DATE AND P.TEND_TIME = "
     "T.TSTART_TIME)",
     "0"},
    {"running time from start to end, as the programme's",
     "SELECT COUNT(*) FROM PROGRAM_TIMELINE T JOIN PROGRAM_DESCRIPTION P ON P.NID = "
     "T.NPROGRAM_ID WHERE T.TDURATION <> P.FDURATION OR T.TSTART_TIME + DATEDIFF(SECOND FROM "
     "TIME '00:00' TO T.TDURATION) <> T.TEND_TIME",
     "0"},
    {"Cyrillic titles and languages",
     "SELECT SIGN(COUNT(*)) FROM PROGRAM_DESCRIPTION WHERE SNAME STARTING WITH 'Епизод' UNION "
     "ALL SELECT SIGN(COUNT(*)) FROM PROGRAM_DESCRIPTION WHERE SLANGUAGE = 'Български'",
     "1 1"},
    {"indexes active again",
     "SELECT COUNT(*) FROM RDB$INDICES WHERE RDB$RELATION_NAME = 'PROGRAM_TIMELINE' AND "
     "RDB$INDEX_INACTIVE = 1",
     "0"},
    {"one count row per programme, summing to its broadcasts",
     "SELECT COUNT(*) FROM (SELECT NPROGRAM_ID, COUNT(*) N FROM PROGRAM_TIMELINE GROUP BY 1) T "
     "FULL JOIN (SELECT NPROGRAM_ID, COUNT(*) R, SUM(NCOUNT) N FROM PROGRAM_SHOW_COUNT GROUP BY "
     "1) C ON C.NPROGRAM_ID IS NOT DISTINCT FROM T.NPROGRAM_ID WHERE C.R IS DISTINCT FROM 1 OR "
     "C.N IS DISTINCT FROM T.N",
     "0"},
    {"forced writes on again", "SELECT MON$FORCED_WRITES FROM MON$DATABASE", "1"},
};

TEST_F(MakeHistory, MakesWhatItSaysOnAFreshConnection) {
    const Outcome run = Make(File("tiny.fdb") + " " + kTinyHistory);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    for (const Check& check : kChecks)
        EXPECT_EQ(Isql(File("tiny.fdb"), std::string(check.select) + ";", folder_), check.expected)
            << check.what;
}

TEST_F(MakeHistory, TheSameSeedMakesTheSameRowsAndAnotherSeedOthers) {
    const std::string dump =
        "SELECT * FROM PROGRAM_TIMELINE ORDER BY DSTART_DATE, DEND_DATE, TSTART_TIME;\n"
        "SELECT NID, SNAME, SFILE_NAME, SDESCRIPTION, SSERIES_NAME, FDURATION, SLANGUAGE, "
        "CAST(SNOTE AS VARCHAR(200)) FROM PROGRAM_DESCRIPTION ORDER BY NID;\n"
        "SELECT * FROM SCHEDULE_DAY ORDER BY DDATE;";
    std::vector<std::string> dumps;
    for (const char* seed : {"3", "3", "4"}) {
        const std::string file = File(std::string("seed") + std::to_string(dumps.size()) + ".fdb");
        ASSERT_EQ(Make(file + " --years 0.02 --programmes 100 --seed " + seed).exitCode, 0);
        dumps.push_back(Isql(file, dump, folder_));
    }
    const auto [first, second] =
        std::mismatch(dumps[0].begin(), dumps[0].end(), dumps[1].begin(), dumps[1].end());
    EXPECT_TRUE(first == dumps[0].end() && second == dumps[1].end())
        << "first difference: " << std::string(first, std::min(first + 80, dumps[0].end()));
    EXPECT_NE(dumps[0], dumps[2]);
}

struct Refusal {
    const char* what;
    const char* prefix;
    const char* arguments;
    int exitCode;
    const char* message;
};

// An existing output, usage errors, and the engine's write failing on the way: a limit on the
// size of the files the process writes (SIGXFSZ ignored, so the write fails instead) lets the
// empty database be made, not the filled one.
const Refusal kRefusals[] = {
    {"existing output", "", "kept.fdb --years 1 --programmes 100", 1, "exists already"},
    {"no catalogue size", "", "new.fdb --years 1", 2, "usage: make_history"},
    {"no such date", "", "new.fdb --years 1 --programmes 100 --end 2026-02-30", 2,
     "--end wants a date"},
    {"engine's write fails", "trap '' XFSZ; exec prlimit --fsize=3000000",
     "new.fdb --years 1 --programmes 2000", 1, "File too large"},
};

TEST_F(MakeHistory, RefusesWithOneLineAndLeavesNoHalfMadeFile) {
    std::ofstream(File("kept.fdb")) << "an earlier database";
    for (const Refusal& refusal : kRefusals) {
        std::string arguments = refusal.arguments;
        arguments.insert(0, folder_.string() + "/");
        const Outcome run = Make(arguments, refusal.prefix);
        EXPECT_EQ(run.exitCode, refusal.exitCode) << refusal.what;
        EXPECT_THAT(run.errors, StartsWith("make_history: ")) << refusal.what;
        EXPECT_THAT(run.errors, HasSubstr(refusal.message)) << refusal.what;
        if (refusal.exitCode == 1) {
            EXPECT_EQ(run.errors.find('\n'), run.errors.size() - 1) << refusal.what;
        }
        EXPECT_THAT(Entries(folder_), testing::ElementsAre("kept.fdb")) << refusal.what;
    }
    EXPECT_EQ(Read(File("kept.fdb")), "an earlier database");
}

// A small tmpfs over a folder of the test's own; unmounted when it goes.
class SmallDisk {
public:
    explicit SmallDisk(const fs::path& folder) : folder_(folder) {
        fs::create_directory(folder);
        mounted_ = ::mount("tmpfs", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV,
                           "size=4m,mode=0755") == 0;
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool Mounted() const { return mounted_; }

private:
    fs::path folder_;
    bool mounted_ = false;
};

TEST_F(MakeHistory, ASizeTheDiskCannotHoldIsRefusedBeforeStarting) {
    const SmallDisk disk(folder_ / "small");
    if (!disk.Mounted()) GTEST_SKIP() << "cannot mount a small tmpfs: " << std::strerror(errno);
    const Outcome run = Make(File("small/big.fdb") + " --years 10 --programmes 20000");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.errors,
                StartsWith("make_history: " + File("small/big.fdb") + " would take about "));
    EXPECT_THAT(run.errors, EndsWith(" has 4.0 MB free\n"));
    EXPECT_THAT(Entries(folder_ / "small"), IsEmpty());
}

} // namespace
