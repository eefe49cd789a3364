#include "support/Command.h"
#include "support/TempDatabase.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

const std::string kEnvironment = "QT_QPA_PLATFORM=offscreen SKEDORA_AUTO_DIALOGS=1 ";

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

// A copy of the executable beside its own SQL.ini, naming a fresh database.
TEST(StartupProcess, OpensTheMainWindowOnTheConfiguredDatabase) {
    TempDatabase database;
    const auto folder = std::filesystem::path(database.Path()).parent_path() / "bin";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(SKEDORA_EXECUTABLE, folder / "skedora");
    std::ofstream(folder / "SQL.ini") << "[DATABASE]\nSERVER=" << database.Path() << "\n";

    const CommandResult result = RunCommand("timeout -s KILL 3 env " + kEnvironment +
                                            (folder / "skedora").string() + " 2>&1");
    EXPECT_EQ(result.exitCode, 128 + 9) << "the window should stay up: " << result.output;
    EXPECT_EQ(result.output.find("DIALOG"), std::string::npos) << result.output;
}

} // namespace

namespace {

TEST(StartupProcess, TerminationSignalsEndItCleanlyAfterTheAttach) {
    TempDatabase database;
    const auto folder = std::filesystem::path(database.Path()).parent_path() / "bin";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(SKEDORA_EXECUTABLE, folder / "skedora");
    std::ofstream(folder / "SQL.ini") << "[DATABASE]\nSERVER=" << database.Path() << "\n";
    for (const std::string signal : {"TERM", "INT"}) {
        // The window is up and attached well within two seconds; a hung process is killed.
        const CommandResult result =
            RunCommand("env " + kEnvironment + (folder / "skedora").string() +
                       " >/dev/null 2>&1 & pid=$!; sleep 2; kill -" + signal +
                       " $pid; (sleep 10; kill -KILL $pid 2>/dev/null) & wait $pid; echo $?");
        EXPECT_EQ(result.output, "0\n") << "SIG" << signal;
    }
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
