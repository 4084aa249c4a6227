// The connection test.
#pragma once

namespace kvu {

// True when the machine reports a connection to a network: the system's
// connection-state query on Windows; on Linux, a network interface other than
// loopback that is up.
bool IsConnected();

}  // namespace kvu
