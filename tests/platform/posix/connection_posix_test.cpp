#include <net/if.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/connection.h"

namespace kvu {
namespace {

// The kernel's own account of the interfaces, read from sysfs rather than
// through getifaddrs: some interface besides loopback has its up flag.
bool SysfsSaysAnInterfaceIsUp() {
    for (const auto& entry : std::filesystem::directory_iterator("/sys/class/net")) {
        std::ifstream in(entry.path() / "flags");
        unsigned flags = 0;
        if (in >> std::hex >> flags && (flags & IFF_UP) && !(flags & IFF_LOOPBACK))
            return true;
    }
    return false;
}

TEST(IsConnectedPosix, AgreesWithTheKernelsInterfaceList) {
    if (!std::filesystem::exists("/sys/class/net"))
        GTEST_SKIP() << "no sysfs";
    EXPECT_EQ(IsConnected(), SysfsSaysAnInterfaceIsUp());
}

}  // namespace
}  // namespace kvu
