#include "support/PrivateServer.h"

#include "support/ChildProcess.h"
#include "support/Command.h"

#include <arpa/inet.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <set>
#include <sstream>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {
constexpr const char* kServerProgram = "/usr/sbin/firebird";
// Polls of 50 ms: enough for a start on a loaded machine, bounded when the server never comes.
constexpr std::chrono::milliseconds kPoll(50);
constexpr int kStartPolls = 400;
constexpr std::chrono::seconds kStopTime(5);
// Ports tried before giving up when other processes keep taking the chosen one.
constexpr int kPortAttempts = 5;
constexpr int kListenState = 0x0A;

// The packaged root, /usr/lib/<arch>/firebird/3.0.
fs::path PackagedRoot() {
    for (const fs::directory_entry& entry : fs::directory_iterator("/usr/lib"))
        if (fs::exists(entry.path() / "firebird/3.0/intl")) return entry.path() / "firebird/3.0";
    throw std::runtime_error("the Firebird server is not installed (see setup)");
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

struct PortSocket {
    unsigned long inode;
    bool listening;
};

// The sockets of any address bound to the TCP port, from the system's tables; sockets that no
// process holds (closing, or not yet accepted) are left out.
std::vector<PortSocket> SocketsOnPort(int port) {
    std::vector<PortSocket> sockets;
    for (const char* table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        std::ifstream in(table);
        std::string line, local, remote, state, skip;
        std::getline(in, line);
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            unsigned long inode = 0;
            fields >> skip >> local >> remote >> state >> skip >> skip >> skip >> skip >> skip >>
                inode;
            const std::size_t colon = local.rfind(':');
            if (inode == 0 || colon == std::string::npos ||
                std::stoi(local.substr(colon + 1), nullptr, 16) != port)
                continue;
            sockets.push_back({inode, std::stoi(state, nullptr, 16) == kListenState});
        }
    }
    return sockets;
}

// The inodes of the sockets a process holds open.
std::set<unsigned long> SocketsOfProcess(pid_t pid) {
    std::set<unsigned long> inodes;
    std::error_code ignored;
    for (const fs::directory_entry& entry :
         fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ignored)) {
        const std::string target = fs::read_symlink(entry.path(), ignored).string();
        if (target.starts_with("socket:[")) inodes.insert(std::stoul(target.substr(8)));
    }
    return inodes;
}

enum class PortHolder { Nobody, Server, Other };

// Who holds the port: a listening socket of the server, or any socket of another process. The
// system's table is read first, so a socket the server made meanwhile is among its own; a
// socket it inherited from this process is not.
PortHolder HolderOf(int port, pid_t server) {
    const std::vector<PortSocket> sockets = SocketsOnPort(port);
    std::set<unsigned long> own = SocketsOfProcess(server);
    for (const unsigned long inherited : SocketsOfProcess(::getpid()))
        own.erase(inherited);
    PortHolder holder = PortHolder::Nobody;
    for (const PortSocket& socket : sockets) {
        if (!own.contains(socket.inode))
            holder = PortHolder::Other;
        else if (socket.listening)
            return PortHolder::Server;
    }
    return holder;
}

// This process's environment with the server's root and lock folder in place of any Firebird
// settings of its own.
std::vector<std::string> ServerEnvironment(const std::string& root) {
    return EnvironmentWith({"FIREBIRD=" + root, "FIREBIRD_LOCK=" + root + "/lock"},
                           {"FIREBIRD", "ISC_"});
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
        LinkPackagedRoot();
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

// The packaged root's entries but the configuration are linked in; the character set module is
// copied, since it knows no character set when loaded through a link from another root.
void PrivateServer::LinkPackagedRoot() const {
    for (const fs::directory_entry& entry : fs::directory_iterator(PackagedRoot())) {
        const fs::path name = entry.path().filename();
        if (name == "intl")
            fs::copy(entry.path(), fs::path(root_) / name);
        else if (name != "firebird.conf" && name != "databases.conf")
            fs::create_symlink(entry.path(), fs::path(root_) / name);
    }
}

// Only loopback is served, on port_; user-defined functions are off as in the packaged set-up.
void PrivateServer::WriteConfiguration() const {
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

// The server binds its port itself, so another process may have taken the port since it was
// chosen: the server then moves to another.
void PrivateServer::Start() {
    if (Running()) return;
    for (int attempt = 1;; ++attempt) {
        Spawn();
        if (WaitUntilListening()) return;
        if (attempt == kPortAttempts)
            throw std::runtime_error("the private server found every port it chose taken");
        const int taken = port_;
        port_ = FreeLoopbackPort();
        WriteConfiguration();
        std::fprintf(stderr, "private server: port %d was taken by another process; now on %d\n",
                     taken, port_);
    }
}

void PrivateServer::Spawn() {
    pid_ = SpawnLogged({kServerProgram}, ServerEnvironment(root_), root_ + "/server.log");
}

bool PrivateServer::WaitUntilListening() {
    for (int poll = 0; poll < kStartPolls; ++poll) {
        const PortHolder holder = HolderOf(port_, pid_);
        if (holder == PortHolder::Server) return true;
        if (holder == PortHolder::Other) {
            Kill();
            return false;
        }
        if (Ended(kPoll)) break;
    }
    Kill();
    throw std::runtime_error("the private server did not start: " + ReadLog(root_ + "/server.log"));
}

bool PrivateServer::Ended(std::chrono::milliseconds within) {
    if (!WaitForExit(pid_, within)) return false;
    pid_ = 0;
    return true;
}

void PrivateServer::Kill() {
    if (!Running()) return;
    KillChild(pid_);
    pid_ = 0;
}

void PrivateServer::Stop() {
    if (!Running()) return;
    ::kill(pid_, SIGTERM);
    if (!Ended(kStopTime)) Kill();
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
