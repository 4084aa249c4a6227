#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/file_lock.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

// What nobody holds is not locked, and the test itself neither writes to a
// file nor keeps it from being replaced afterwards.
TEST(IsFileLocked, NothingHeldIsNotLocked) {
    test::TempDir dir;
    const std::string file = dir.file("a.dll"), readOnly = dir.file("ro.ocx");
    test::WriteBytes(file, "MZ payload");
    test::WriteBytes(readOnly, "x");
    namespace fs = std::filesystem;
    fs::permissions(readOnly, fs::perms::owner_write | fs::perms::group_write,
                    fs::perm_options::remove);
    const auto before = fs::last_write_time(file);
    for (const std::string& path :
         {file, readOnly, dir.file("missing.dll"), dir.str(), std::string()})
        EXPECT_FALSE(IsFileLocked(path)) << path;
    EXPECT_EQ(fs::last_write_time(file), before);
    test::WriteBytes(file, "new");
    EXPECT_EQ(test::ReadBytes(file), "new");
    fs::permissions(readOnly, fs::perms::owner_write, fs::perm_options::add);
}

}  // namespace
}  // namespace kvu
