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

TEST(StartupProcess, HelpAndVersionAnswerWithoutADisplay) {
    std::string errors;
    CommandResult help = RunWith("--help", errors);
    EXPECT_EQ(help.exitCode, 0) << errors;
    EXPECT_EQ(help.output.rfind("Usage: skedora [options]\n", 0), 0u) << help.output;
    EXPECT_NE(help.output.find("--database <server>"), std::string::npos) << help.output;
    EXPECT_EQ(errors, "");

    const CommandResult version = RunWith("--version", errors);
    EXPECT_EQ(version.exitCode, 0) << errors;
    EXPECT_EQ(version.output, std::string("skedora ") + SKEDORA_VERSION + "\n");
    EXPECT_EQ(errors, "");
}

TEST(StartupProcess, UsageErrorsExitWithTwoAndOpenNothing) {
    for (const char* arguments : {"--bogus", "--date", "--database", "--date 2011-03-05 x"}) {
        std::string errors;
        const CommandResult result = RunWith(arguments, errors);
        EXPECT_EQ(result.exitCode, 2) << arguments << ": " << errors;
        EXPECT_EQ(result.output, "") << arguments;
        EXPECT_EQ(errors.rfind("skedora: ", 0), 0u) << errors;
        EXPECT_NE(errors.find("\nUsage: skedora [options]\n"), std::string::npos) << errors;
    }
}

TEST(StartupProcess, DatabaseOptionNamingAMissingFileShowsTheAttachErrorAndGoesOn) {
    TempDatabase database;
    const auto folder = std::filesystem::path(database.Path()).parent_path() / "bin";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(SKEDORA_EXECUTABLE, folder / "skedora");
    std::ofstream(folder / "SQL.ini") << "[DATABASE]\nSERVER=" << database.Path() << "\n";
    const std::string missing = (folder / "missing.fdb").string();

    const CommandResult result =
        RunCommand("timeout -s KILL 3 env " + kEnvironment + (folder / "skedora").string() +
                   " --database " + missing + " 2>&1");
    EXPECT_EQ(result.exitCode, 128 + 9) << "the window should stay up: " << result.output;
    EXPECT_NE(result.output.find("DIALOG Skedora|"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find(missing), std::string::npos) << result.output;
}

} // namespace
