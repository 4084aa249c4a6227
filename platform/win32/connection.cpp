#include <windows.h>
#include <wininet.h>

#include "platform/connection.h"

namespace kvu {

bool IsConnected() {
    DWORD flags = 0;  // how the machine is connected; only the answer counts
    return InternetGetConnectedState(&flags, 0) != FALSE;
}

}  // namespace kvu
