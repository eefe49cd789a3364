#include "support/PrivateServer.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A listening socket of the test's own on a loopback port.
class Squatter {
public:
    explicit Squatter(int port) : socket_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        const int yes = 1;
        ::setsockopt(socket_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        listening_ = ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                     ::listen(socket_, 4) == 0;
    }
    ~Squatter() { ::close(socket_); }
    Squatter(const Squatter&) = delete;
    Squatter& operator=(const Squatter&) = delete;
    bool Listening() const { return listening_; }

private:
    int socket_;
    bool listening_ = false;
};

// Firebird binds its port itself, some time after the port was chosen: a process that takes it
// in between must not leave the tests talking to that process (which accepts and never answers).
TEST(PrivateServer, MovesToAnotherPortWhenAnotherProcessTookItsPort) {
    PrivateServer server("first");
    server.Kill();
    const int taken = server.Port();
    const Squatter squatter(taken);
    ASSERT_TRUE(squatter.Listening());

    server.Start();
    ASSERT_NE(server.Port(), taken);
    EXPECT_TRUE(server.Running());
    EXPECT_NO_THROW(server.ChangePassword("second")) << "through the server on its new port";
}

} // namespace
