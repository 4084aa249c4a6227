// An installed file held open by a running program cannot be replaced: the run
// says so and the file stays as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/wide.h"
#include "tests/unzip32/unzip_harness.h"

namespace kvu::test {
namespace {

TEST(LockedFile, StaysAsItWasWhileTheOtherMembersAreInstalled) {
    InstalledFolder installed;
    // Opened like a loaded module: others may read, nobody may delete.
    HANDLE held = CreateFileW(Utf8ToWide(installed.file("app.dll")).c_str(), GENERIC_READ,
                              FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    CallbackLog log;
    const std::string bytes =
        ZipOf({{.name = "app.dll", .data = "new version"}, {.name = "other.dll", .data = "other"}});
    EXPECT_EQ(ExtractBytes(bytes, installed.str(), &log), kUnzipDiskFull);
    CloseHandle(held);
    EXPECT_NE(log.AllPrinted().find("app.dll"), std::string::npos);
    EXPECT_EQ(ReadBytes(installed.file("app.dll")), InstalledFolder::kInstalledBytes);
    EXPECT_EQ(ReadBytes(installed.file("other.dll")), "other");
    EXPECT_EQ(installed.Names(), (std::vector<std::string>{"app.dll", "other.dll"}));
}

}  // namespace
}  // namespace kvu::test
