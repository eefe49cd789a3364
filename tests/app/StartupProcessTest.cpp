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
