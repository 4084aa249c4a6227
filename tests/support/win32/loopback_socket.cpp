#include <winsock2.h>
#include <ws2tcpip.h>

#include "tests/support/loopback_socket.h"

namespace kvu::test {
namespace {

SOCKET AsSocket(SocketHandle handle) {
    return static_cast<SOCKET>(handle);
}

bool WaitReadable(SOCKET socket, int waitMs) {
    WSAPOLLFD entry{};
    entry.fd = socket;
    entry.events = POLLRDNORM;
    return WSAPoll(&entry, 1, waitMs) > 0;
}

bool StartWinsock() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

}  // namespace

SocketHandle ListenOnLoopback(std::uint16_t& port) {
    if (!StartWinsock())
        return kNoSocket;
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return kNoSocket;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int length = sizeof address;
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(s, 16) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        closesocket(s);
        return kNoSocket;
    }
    port = ntohs(address.sin_port);
    return static_cast<SocketHandle>(s);
}

SocketHandle AcceptWithin(SocketHandle listener, int waitMs) {
    if (!WaitReadable(AsSocket(listener), waitMs))
        return kNoSocket;
    SOCKET s = accept(AsSocket(listener), nullptr, nullptr);
    return s == INVALID_SOCKET ? kNoSocket : static_cast<SocketHandle>(s);
}

long ReceiveWithin(SocketHandle socket, char* buffer, std::size_t size, int waitMs) {
    if (!WaitReadable(AsSocket(socket), waitMs))
        return -2;
    int n = recv(AsSocket(socket), buffer, static_cast<int>(size), 0);
    return n < 0 ? -1 : n;
}

bool SendAll(SocketHandle socket, std::string_view bytes) {
    while (!bytes.empty()) {
        int piece = bytes.size() < (1u << 30) ? static_cast<int>(bytes.size()) : (1 << 30);
        int n = send(AsSocket(socket), bytes.data(), piece, 0);
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void ShutdownSend(SocketHandle socket) {
    shutdown(AsSocket(socket), SD_SEND);
}

void CloseSocket(SocketHandle socket) {
    closesocket(AsSocket(socket));
}

}  // namespace kvu::test
