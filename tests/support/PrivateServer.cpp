#include "support/PrivateServer.h"

#include "support/Command.h"

#include <arpa/inet.h>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {
constexpr const char* kServerProgram = "/usr/sbin/firebird";
// Polls of 50 ms: enough for a start on a loaded machine, bounded when the server never comes.
constexpr int kStartPolls = 400;
constexpr int kStopPolls = 100;

// The packaged root, /usr/lib/<arch>/firebird/3.0.
fs::path PackagedRoot() {
    for (const fs::directory_entry& entry : fs::directory_iterator("/usr/lib"))
        if (fs::exists(entry.path() / "firebird/3.0/intl")) return entry.path() / "firebird/3.0";
    throw std::runtime_error("the Firebird server is not installed (see setup)");
}

void Pause() {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

std::string MakeTempFolder() {
    std::string pattern = (fs::temp_directory_path() / "skedora-server-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    return pattern;
}

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// A port the system hands out as free right now.
int FreeLoopbackPort() {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    socklen_t length = sizeof address;
    const bool bound = socket >= 0 &&
                       ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                       ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    if (socket >= 0) ::close(socket);
    if (!bound) throw std::runtime_error("no free loopback port");
    return ntohs(address.sin_port);
}

bool Accepts(int port) {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    if (socket < 0) return false;
    const sockaddr_in address = Loopback(port);
    const bool connected =
        ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    return connected;
}

// This process's environment with the server's root and lock folder in place of any Firebird
// settings of its own.
std::vector<std::string> ServerEnvironment(const std::string& root) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        if (!text.starts_with("FIREBIRD") && !text.starts_with("ISC_")) entries.push_back(text);
    }
    entries.push_back("FIREBIRD=" + root);
    entries.push_back("FIREBIRD_LOCK=" + root + "/lock");
    return entries;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string RunIsql(const std::string& prefix, const std::string& arguments,
                    const std::string& script, const std::string& sql) {
    std::ofstream(script) << sql << "\n";
    const CommandResult result =
        RunCommand(prefix + "isql-fb -q -b -ch UTF8 " + arguments + " -i '" + script + "' 2>&1");
    if (result.exitCode != 0) throw std::runtime_error("isql-fb failed: " + result.output);
    return result.output;
}
} // namespace

PrivateServer::PrivateServer(std::string password)
    : password_(std::move(password)), root_(MakeTempFolder()), port_(FreeLoopbackPort()) {
    try {
        fs::create_directory(root_ + "/lock");
        WriteConfiguration();
        CreateUserDatabase();
        Start();
    } catch (...) {
        fs::remove_all(root_);
        throw;
    }
}

PrivateServer::~PrivateServer() {
    Stop();
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

// Only loopback is served; user-defined functions are off as in the packaged set-up. The
// packaged root's other entries are linked in; the character set module is copied, since it
// knows no character set when loaded through a link from another root.
void PrivateServer::WriteConfiguration() const {
    for (const fs::directory_entry& entry : fs::directory_iterator(PackagedRoot())) {
        const fs::path name = entry.path().filename();
        if (name == "intl")
            fs::copy(entry.path(), fs::path(root_) / name);
        else if (name != "firebird.conf" && name != "databases.conf")
            fs::create_symlink(entry.path(), fs::path(root_) / name);
    }
    std::ofstream(root_ + "/firebird.conf")
        << "RemoteBindAddress = 127.0.0.1\nRemoteServicePort = " << port_
        << "\nSecurityDatabase = " << root_ << "/security3.fdb\nUdfAccess = None\n";
    std::ofstream(root_ + "/databases.conf");
}

// Made through the embedded engine with the server's set-up, before the server holds it.
void PrivateServer::CreateUserDatabase() const {
    RunIsql("FIREBIRD='" + root_ + "' FIREBIRD_LOCK='" + root_ + "/lock' ", "",
            root_ + "/security.sql",
            "CREATE DATABASE '" + root_ +
                "/security3.fdb' USER SYSDBA;\n"
                "CREATE USER SYSDBA PASSWORD '" +
                password_ + "';\nCOMMIT;");
}

void PrivateServer::Start() {
    if (Running()) return;
    std::vector<std::string> environment = ServerEnvironment(root_);
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string log = root_ + "/server.log";
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::string program = kServerProgram;
    char* argv[] = {program.data(), nullptr};
    const int failed = posix_spawn(&pid_, kServerProgram, &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed) {
        pid_ = 0;
        throw std::runtime_error(std::string("cannot start ") + kServerProgram);
    }
    WaitUntilListening();
}

void PrivateServer::WaitUntilListening() {
    for (int poll = 0; poll < kStartPolls; ++poll) {
        if (Accepts(port_)) return;
        if (WaitForExit(1)) break;
    }
    Kill();
    throw std::runtime_error("the private server did not start: " +
                             ReadText(root_ + "/server.log"));
}

// True once the server has ended, after at most `tries` polls.
bool PrivateServer::WaitForExit(int tries) {
    for (int poll = 0; poll < tries; ++poll) {
        if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
            pid_ = 0;
            return true;
        }
        Pause();
    }
    return false;
}

void PrivateServer::Kill() {
    if (!Running()) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = 0;
}

void PrivateServer::Stop() {
    if (!Running()) return;
    ::kill(pid_, SIGTERM);
    if (!WaitForExit(kStopPolls)) Kill();
}

std::string PrivateServer::ConnectionString(const std::string& path) const {
    return "127.0.0.1/" + std::to_string(port_) + ":" + path;
}

std::string PrivateServer::Isql(const std::string& path, const std::string& sql) const {
    return RunIsql("",
                   "-user SYSDBA -password '" + password_ + "' '" + ConnectionString(path) + "'",
                   root_ + "/query.sql", sql);
}

void PrivateServer::ChangePassword(const std::string& password) {
    Isql(root_ + "/security3.fdb", "ALTER USER SYSDBA PASSWORD '" + password + "';");
    password_ = password;
}
