#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/file_lock.h"
#include "platform/paths.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

TEST(IsFileLocked, NothingToReplaceIsNotLocked) {
    test::TempDir dir;
    EXPECT_FALSE(IsFileLocked(dir.file("missing.dll")));
    EXPECT_FALSE(IsFileLocked(dir.file("missing") + kPathSep + "x.dll"));
    EXPECT_FALSE(IsFileLocked(dir.str())) << "a folder";
    EXPECT_FALSE(IsFileLocked(dir.str() + kPathSep));
    EXPECT_FALSE(IsFileLocked(""));
}

TEST(IsFileLocked, AFileNobodyHoldsIsNotLocked) {
    test::TempDir dir;
    const std::string file = dir.file("a.dll");
    test::WriteBytes(file, "MZ payload");
    auto before = std::filesystem::last_write_time(file);
    EXPECT_FALSE(IsFileLocked(file));
    EXPECT_FALSE(IsFileLocked(file + kPathSep)) << "the final separator is ignored";
    EXPECT_EQ(test::ReadBytes(file), "MZ payload");
    EXPECT_EQ(std::filesystem::last_write_time(file), before) << "the test writes nothing";
    // Still a plain file that can be replaced afterwards.
    test::WriteBytes(file, "new");
    EXPECT_EQ(test::ReadBytes(file), "new");
}

TEST(IsFileLocked, AReadOnlyFileIsNotLocked) {
    test::TempDir dir;
    const std::string file = dir.file("ro.ocx");
    test::WriteBytes(file, "x");
    namespace fs = std::filesystem;
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_FALSE(IsFileLocked(file));
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
}

}  // namespace
}  // namespace kvu
