#include "support/ChildProcess.h"

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace {
constexpr std::chrono::milliseconds kPoll(50);

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}
} // namespace

pid_t SpawnLogged(const std::vector<std::string>& arguments,
                  const std::vector<std::string>& environment, const std::string& log) {
    std::vector<std::string> argv = arguments;
    std::vector<std::string> envp = environment;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, argv.front().c_str(), &actions, nullptr,
                                   Pointers(argv).data(), Pointers(envp).data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed) throw std::runtime_error("cannot start " + argv.front());
    return pid;
}

std::vector<std::string> EnvironmentWith(const std::vector<std::string>& added,
                                         const std::vector<std::string>& dropped) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        bool drop = false;
        for (const std::string& prefix : dropped)
            drop = drop || text.starts_with(prefix);
        for (const std::string& change : added)
            drop = drop || text.starts_with(change.substr(0, change.find('=') + 1));
        if (!drop) entries.push_back(text);
    }
    entries.insert(entries.end(), added.begin(), added.end());
    return entries;
}

std::optional<int> WaitForExit(pid_t pid, std::chrono::milliseconds within) {
    const auto deadline = std::chrono::steady_clock::now() + within;
    for (;;) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid) return status;
        if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(kPoll);
    }
}

void KillChild(pid_t pid) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

std::string ReadLog(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
