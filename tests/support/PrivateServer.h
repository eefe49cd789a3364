#pragma once

#include <chrono>
#include <string>
#include <sys/types.h>

// A Firebird server of the test's own, listening on a free port of 127.0.0.1 only, with its
// configuration, lock folder and user database in a temporary folder that goes with the object.
// When another process takes the chosen port before the server binds it, the server moves to
// another port.
// Its one user is SYSDBA with the password given. The server is stopped when the object goes.
//
// How /usr/sbin/firebird finds its set-up: the folder named by $FIREBIRD is its root, where it
// reads firebird.conf and databases.conf (without it, /usr/lib/<arch>/firebird/3.0, whose files
// link into /etc/firebird/3.0). Plugins and fbintl.conf come from the packaged folders, which the
// build fixes, but fbintl.conf names its module under the root, which must hold a real copy of
// it. $FIREBIRD_LOCK moves its lock and shared-memory files. Both are
// set for the server process only: this process keeps the system set-up, so its own embedded
// attachments never share lock files with the server.
class PrivateServer {
public:
    explicit PrivateServer(std::string password);
    ~PrivateServer();
    PrivateServer(const PrivateServer&) = delete;
    PrivateServer& operator=(const PrivateServer&) = delete;

    // Starts the server (again, on the same port unless another process took it meanwhile) and
    // returns once it listens.
    void Start();
    // Ends it as a crash would: SIGKILL, then waits for it to be gone.
    void Kill();
    // Ends it politely, killing it when it does not end within a few seconds.
    void Stop();
    bool Running() const { return pid_ > 0; }

    int Port() const { return port_; }
    // "127.0.0.1/PORT:path", what SQL.ini names to reach a database file through this server.
    std::string ConnectionString(const std::string& path) const;
    // Runs SQL (UTF-8) through isql over the network on a database of this server; isql's
    // output, or std::runtime_error with it when isql fails.
    std::string Isql(const std::string& path, const std::string& sql) const;
    // Gives SYSDBA another password from now on.
    void ChangePassword(const std::string& password);

private:
    void LinkPackagedRoot() const;
    void WriteConfiguration() const;
    void CreateUserDatabase() const;
    void Spawn();
    // True once the server listens on its port; false, the server ended, when another process
    // holds the port.
    bool WaitUntilListening();
    // True once the server has ended within the time.
    bool Ended(std::chrono::milliseconds within);

    std::string password_;
    std::string root_;
    int port_ = 0;
    pid_t pid_ = 0;
};
