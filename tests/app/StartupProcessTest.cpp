#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include "support/TempDatabase.h"

namespace {

struct ProcessResult {
    int exitCode = -1;
    std::string output;
};

// Runs a shell command, collecting its standard output and error.
ProcessResult RunCommand(const std::string& command) {
    ProcessResult result;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return result;
    std::array<char, 4096> buffer{};
    while (const size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        result.output.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

const std::string kEnvironment = "QT_QPA_PLATFORM=offscreen SKEDORA_AUTO_DIALOGS=1 ";

TEST(StartupProcess, MissingClientLibraryEndsWithApplicationError) {
    const ProcessResult result = RunCommand(kEnvironment +
                                     "SKEDORA_CLIENT_LIBRARY=/nonexistent/libfbclient.so.2 " +
                                     SKEDORA_EXECUTABLE);
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

    const ProcessResult result =
        RunCommand("timeout -s KILL 3 env " + kEnvironment + (folder / "skedora").string());
    EXPECT_EQ(result.exitCode, 128 + 9) << "the window should stay up: " << result.output;
    EXPECT_EQ(result.output.find("DIALOG"), std::string::npos) << result.output;
}

} // namespace
