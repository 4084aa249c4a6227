#include <ifaddrs.h>
#include <net/if.h>

#include "platform/connection.h"

namespace kvu {

bool IsConnected() {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return false;
    bool up = false;
    for (ifaddrs* entry = list; entry && !up; entry = entry->ifa_next) {
        up = (entry->ifa_flags & IFF_UP) != 0 && (entry->ifa_flags & IFF_LOOPBACK) == 0;
    }
    freeifaddrs(list);
    return up;
}

}  // namespace kvu
