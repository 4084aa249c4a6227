// Plain TCP sockets on 127.0.0.1 for the tests' own HTTP server. Only the
// loopback address is ever bound or reached.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kvu::test {

using SocketHandle = std::intptr_t;
inline constexpr SocketHandle kNoSocket = -1;

// Listens on 127.0.0.1 at a port that the system picks and stores in port.
SocketHandle ListenOnLoopback(std::uint16_t& port);

// Waits up to waitMs for a connection; kNoSocket when none came.
SocketHandle AcceptWithin(SocketHandle listener, int waitMs);

// Receives what has arrived, waiting up to waitMs: the byte count, 0 when the
// peer closed, -1 on an error, -2 when nothing came in time.
long ReceiveWithin(SocketHandle socket, char* buffer, std::size_t size, int waitMs);

// Sends every byte; false when the peer has gone.
bool SendAll(SocketHandle socket, std::string_view bytes);

// Ends the sending side, so the peer sees the end of the data.
void ShutdownSend(SocketHandle socket);

void CloseSocket(SocketHandle socket);

}  // namespace kvu::test
