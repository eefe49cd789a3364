#include "schedule/RecoveryFile.h"
#include "support/ChildProcess.h"
#include "support/Command.h"
#include "support/TempDatabase.h"
#include "support/XDisplay.h"

#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

const std::string kEnvironment = "QT_QPA_PLATFORM=offscreen SKEDORA_AUTO_DIALOGS=1 ";
// Bounds for a loaded machine (and the sanitizers); a healthy start takes well under a second.
constexpr std::chrono::seconds kStartTime(60);
constexpr std::chrono::seconds kEndTime(10);
constexpr std::chrono::milliseconds kPoll(50);

TEST(StartupProcess, MissingClientLibraryEndsWithApplicationError) {
    const CommandResult result =
        RunCommand(kEnvironment + "SKEDORA_CLIENT_LIBRARY=/nonexistent/libfbclient.so.2 " +
                   SKEDORA_EXECUTABLE + " 2>&1");
    EXPECT_EQ(result.exitCode, 1) << result.output;
    EXPECT_NE(result.output.find("DIALOG Application Error|Exception EIBClientError in module "
                                 "skedora at "),
              std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("InterBase library /nonexistent/libfbclient.so.2 not found in "
                                 "the path. Please install InterBase to use this functionality."),
              std::string::npos)
        << result.output;
    EXPECT_EQ(result.output.find("DIALOG Skedora|"), std::string::npos) << result.output;
}

// Whether the process holds the file open: the embedded engine opens the database in-process.
bool HoldsOpen(pid_t pid, const std::string& path) {
    std::error_code ignored;
    for (const fs::directory_entry& entry :
         fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ignored))
        if (fs::equivalent(fs::read_symlink(entry.path(), ignored), path, ignored)) return true;
    return false;
}

enum class Start { Shown, Ended, TimedOut };

// Polls until the process shows its main window. A process that ended is reaped, one still
// without a window when the time is up is killed.
Start WaitForMainWindow(const XDisplay& display, pid_t pid) {
    const auto deadline = std::chrono::steady_clock::now() + kStartTime;
    while (!display.ShowsWindow(pid, "Skedora")) {
        if (WaitForExit(pid, kPoll)) return Start::Ended;
        if (std::chrono::steady_clock::now() > deadline) {
            KillChild(pid);
            return Start::TimedOut;
        }
    }
    return Start::Shown;
}

// A copy of the executable beside its own SQL.ini naming the database; the copy's folder.
fs::path ExecutableOn(const TempDatabase& database) {
    const fs::path folder = fs::path(database.Path()).parent_path() / "bin";
    fs::create_directories(folder);
    fs::copy_file(SKEDORA_EXECUTABLE, folder / "skedora");
    std::ofstream(folder / "SQL.ini") << "[DATABASE]\nSERVER=" << database.Path() << "\n";
    return folder;
}

// A copy of the executable beside its own SQL.ini, naming a fresh database, shows its main window
// attached to it and ends cleanly on each termination signal.
TEST(StartupProcess, ShowsTheMainWindowOnTheConfiguredDatabaseAndEndsCleanlyOnSignals) {
    TempDatabase database;
    const fs::path folder = ExecutableOn(database);
    const XDisplay display;
    for (const int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(strsignal(signal));
        const std::string log = (folder / ("output-" + std::to_string(signal))).string();
        const pid_t pid =
            SpawnLogged({(folder / "skedora").string()},
                        EnvironmentWith({"QT_QPA_PLATFORM=xcb", "DISPLAY=" + display.Name(),
                                         "SKEDORA_AUTO_DIALOGS=1"}),
                        log);
        ASSERT_EQ(WaitForMainWindow(display, pid), Start::Shown) << ReadLog(log);
        EXPECT_TRUE(HoldsOpen(pid, database.Path()));
        ASSERT_FALSE(WaitForExit(pid, std::chrono::milliseconds(0)))
            << "stays up: " << ReadLog(log);

        ::kill(pid, signal);
        const std::optional<int> status = WaitForExit(pid, kEndTime);
        if (!status) KillChild(pid);
        EXPECT_TRUE(status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << ReadLog(log);
        EXPECT_EQ(ReadLog(log).find("DIALOG"), std::string::npos) << ReadLog(log);
    }
}

// Polls until the process shows a window titled "Skedora" other than `shown`; its identifier, or
// empty when the process ended or none came in time.
std::string NextWindow(const XDisplay& display, pid_t pid, const std::string& shown = {}) {
    const auto deadline = std::chrono::steady_clock::now() + kStartTime;
    while (std::chrono::steady_clock::now() < deadline) {
        for (const std::string& window : display.ShownWindows(pid, "Skedora"))
            if (window != shown) return window;
        if (WaitForExit(pid, kPoll)) return {};
    }
    return {};
}

// The recovery file of the date on the database, in the data folder given.
TRecoveryFile RecoveryIn(const fs::path& dataFolder, const std::string& database, TDateTime date) {
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string previous = saved ? saved : "";
    setenv("XDG_DATA_HOME", dataFolder.c_str(), 1);
    TRecoveryFile file(database, date);
    if (saved)
        setenv("XDG_DATA_HOME", previous.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
    return file;
}

// The day kept from an earlier run is restored at start, by Enter on the question's default
// button, so the run holds unsaved work; a session that ends then must not wait on a question.
TEST(StartupProcess, TerminationWithUnsavedChangesEndsAndKeepsTheRecoveryFile) {
    TempDatabase database;
    const fs::path folder = ExecutableOn(database);
    const TRecoveryFile recovery =
        RecoveryIn(folder / "data", database.Path(), EncodeDate(2010, 6, 17));
    TScheduleDay kept;
    kept.Date = EncodeDate(2010, 6, 17);
    kept.Broadcasts.push_back(
        {1, "Daily", "News", "BG", EncodeTime(8, 0, 0, 0), EncodeTime(8, 30, 0, 0), 0});
    recovery.Write(kept);
    const XDisplay display;
    const std::string log = (folder / "output").string();
    const pid_t pid =
        SpawnLogged({(folder / "skedora").string(), "--date", "2010-06-17"},
                    EnvironmentWith({"QT_QPA_PLATFORM=xcb", "DISPLAY=" + display.Name(),
                                     "XDG_DATA_HOME=" + (folder / "data").string()},
                                    {"SKEDORA_AUTO_DIALOGS"}),
                    log);
    const std::string question = NextWindow(display, pid);
    ASSERT_FALSE(question.empty()) << ReadLog(log);
    EXPECT_TRUE(display.PressKey(question, "Return"));
    const std::string main = NextWindow(display, pid, question);
    ASSERT_FALSE(main.empty()) << ReadLog(log);
    EXPECT_TRUE(fs::exists(recovery.Path())) << "restored, not discarded";

    ::kill(pid, SIGTERM);
    const std::optional<int> status = WaitForExit(pid, kEndTime);
    if (!status) KillChild(pid);
    EXPECT_TRUE(status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << ReadLog(log);
    EXPECT_EQ(recovery.Read(), std::optional<TScheduleDay>(kept));
}

} // namespace

namespace {

// Runs the build's executable with the arguments; standard error goes to the file's text.
CommandResult RunWith(const std::string& arguments, std::string& errors) {
    const std::string errorFile =
        std::filesystem::temp_directory_path() / ("skedora-stderr-" + std::to_string(::getpid()));
    // No display at all: these requests must not need one.
    CommandResult result =
        RunCommand("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb " +
                   std::string(SKEDORA_EXECUTABLE) + " " + arguments + " 2>" + errorFile);
    std::ifstream file(errorFile);
    errors.assign(std::istreambuf_iterator<char>(file), {});
    std::filesystem::remove(errorFile);
    return result;
}

// Answered before the application object exists: none of them needs a display.
TEST(StartupProcess, HelpVersionAndUsageErrorsOpenNothing) {
    const struct {
        const char* arguments;
        int exitCode;
        std::string output, errorsStart;
    } cases[] = {
        {"--help", 0, "Usage: skedora [options]\n", ""},
        {"--version", 0, std::string("skedora ") + SKEDORA_VERSION + "\n", ""},
        {"--bogus", 2, "", "skedora: Unknown option 'bogus'.\nUsage: skedora [options]\n"},
        {"--date", 2, "", "skedora: Missing value after '--date'.\nUsage: "},
        {"--database", 2, "", "skedora: Missing value after '--database'.\nUsage: "},
    };
    for (const auto& test : cases) {
        std::string errors;
        const CommandResult result = RunWith(test.arguments, errors);
        EXPECT_EQ(result.exitCode, test.exitCode) << test.arguments << ": " << errors;
        EXPECT_EQ(result.output.substr(0, test.output.size()), test.output) << test.arguments;
        if (test.output.empty()) {
            EXPECT_EQ(result.output, "") << test.arguments;
        }
        EXPECT_EQ(errors.substr(0, test.errorsStart.size()), test.errorsStart) << test.arguments;
        if (test.errorsStart.empty()) {
            EXPECT_EQ(errors, "") << test.arguments;
        }
    }
}

} // namespace
