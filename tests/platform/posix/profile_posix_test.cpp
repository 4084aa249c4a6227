#include <gtest/gtest.h>

#include <string>

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

}  // namespace
}  // namespace kvu
