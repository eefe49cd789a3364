#include "support/XDisplay.h"

#include "support/ChildProcess.h"
#include "support/Command.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {
constexpr std::chrono::seconds kStartTime(60);
constexpr std::chrono::milliseconds kPoll(50);

std::string MakeTempFolder() {
    std::string pattern = (fs::temp_directory_path() / "skedora-display-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    return pattern;
}

// The file's first line once it is written whole; empty before.
std::string FirstLine(const std::string& path) {
    const std::string text = ReadLog(path);
    const std::size_t end = text.find('\n');
    return end == std::string::npos ? std::string() : text.substr(0, end);
}
} // namespace

// Xvfb writes the display number to the descriptor -displayfd names once it takes clients.
XDisplay::XDisplay() : folder_(MakeTempFolder()) {
    const std::string number = folder_ + "/display";
    const std::string log = folder_ + "/xvfb.log";
    pid_ = SpawnLogged(
        {"/bin/sh", "-c", "exec Xvfb -displayfd 3 -nolisten tcp -noreset 3>\"$0\"", number},
        EnvironmentWith({}), log);
    const auto deadline = std::chrono::steady_clock::now() + kStartTime;
    while (FirstLine(number).empty()) {
        const bool ended = WaitForExit(pid_, kPoll).has_value();
        if (ended || std::chrono::steady_clock::now() > deadline) {
            if (!ended) KillChild(pid_);
            const std::string output = ReadLog(log);
            fs::remove_all(folder_);
            throw std::runtime_error("Xvfb did not start: " + output);
        }
    }
    name_ = ":" + FirstLine(number);
}

XDisplay::~XDisplay() {
    KillChild(pid_);
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

bool XDisplay::ShowsWindow(pid_t pid, const std::string& title) const {
    return !ShownWindows(pid, title).empty();
}

std::vector<std::string> XDisplay::ShownWindows(pid_t pid, const std::string& title) const {
    std::istringstream output(
        RunCommand("DISPLAY=" + name_ + " xdotool search --all --onlyvisible --pid " +
                   std::to_string(pid) + " --name '^" + title + "$' 2>/dev/null")
            .output);
    std::vector<std::string> windows;
    for (std::string window; output >> window;)
        windows.push_back(window);
    return windows;
}

bool XDisplay::PressKey(const std::string& window, const std::string& key) const {
    return RunCommand("DISPLAY=" + name_ + " xdotool windowfocus --sync " + window + " key " + key +
                      " >/dev/null 2>&1")
               .exitCode == 0;
}
