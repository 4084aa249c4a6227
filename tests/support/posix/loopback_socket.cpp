#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "tests/support/loopback_socket.h"

namespace kvu::test {
namespace {

bool WaitReadable(int fd, int waitMs) {
    pollfd entry{fd, POLLIN, 0};
    int n;
    do {
        n = poll(&entry, 1, waitMs);
    } while (n < 0 && errno == EINTR);
    return n > 0;
}

}  // namespace

SocketHandle ListenOnLoopback(std::uint16_t& port) {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return kNoSocket;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(fd, 16) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(fd);
        return kNoSocket;
    }
    port = ntohs(address.sin_port);
    return fd;
}

SocketHandle AcceptWithin(SocketHandle listener, int waitMs) {
    if (!WaitReadable(static_cast<int>(listener), waitMs))
        return kNoSocket;
    int fd = accept4(static_cast<int>(listener), nullptr, nullptr, SOCK_CLOEXEC);
    return fd < 0 ? kNoSocket : fd;
}

long ReceiveWithin(SocketHandle socket, char* buffer, std::size_t size, int waitMs) {
    if (!WaitReadable(static_cast<int>(socket), waitMs))
        return -2;
    ssize_t n = recv(static_cast<int>(socket), buffer, size, 0);
    return n < 0 ? -1 : static_cast<long>(n);
}

bool SendAll(SocketHandle socket, std::string_view bytes) {
    while (!bytes.empty()) {
        // No SIGPIPE when a client has given up and closed.
        ssize_t n = send(static_cast<int>(socket), bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void ShutdownSend(SocketHandle socket) {
    shutdown(static_cast<int>(socket), SHUT_WR);
}

void CloseSocket(SocketHandle socket) {
    close(static_cast<int>(socket));
}

}  // namespace kvu::test
