#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/profile.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

TEST(ProfilePosix, TextIsWindows1250OnDisk) {
    test::TempDir dir;
    const std::string file = dir.file("kvu.ini");
    ASSERT_TRUE(WriteProfileValue("0_PARAM", "APP_PATH", "/opt/Lindora Bérszámfejtő", file));
    EXPECT_EQ(test::ReadBytes(file),
              "[0_PARAM]\r\nAPP_PATH=/opt/Lindora B\xE9rsz\xE1mfejt\xF5\r\n");
    EXPECT_EQ(ReadProfileString("0_PARAM", "APP_PATH", "", file), "/opt/Lindora Bérszámfejtő");
}

TEST(ProfilePosix, AWriteLeavesNoTemporaryFileBehind) {
    test::TempDir dir;
    const std::string file = dir.file("kvu.ini");
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(WriteProfileValue("0_PARAM", "K", std::to_string(i), file));
    }
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"kvu.ini"});
    EXPECT_EQ(ReadProfileString("0_PARAM", "K", "", file), "2");
}

}  // namespace
}  // namespace kvu
