#include "platform/profile.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

// A missing file gives the defaults and the first write creates it; long values
// are cut as by the system's buffer; a write into a missing folder fails.
TEST(Profile, DefaultsWritesAndCuts) {
    test::TempDir dir;
    const std::string file = dir.file("kvu.ini");
    EXPECT_EQ(ReadProfileString("0_PARAM", "REPO_URL", "http://d/", file), "http://d/");
    EXPECT_EQ(ReadProfileInt("0_PARAM", "DELETE_TMP", 1, file), 1);

    ASSERT_TRUE(WriteProfileValue("0_PARAM", "APP_PATH", "C:\\Lindora", file));
    EXPECT_EQ(ReadProfileString("0_param", "app_path", "", file), "C:\\Lindora");
    ASSERT_TRUE(WriteProfileValue("0_PARAM", "REPO_URL", std::string(2000, 'u'), file));
    EXPECT_EQ(ReadProfileString("0_PARAM", "REPO_URL", "", file),
              std::string(kProfileValueMax, 'u'));

    const std::string nowhere = dir.file("missing/kvu.ini");
    EXPECT_FALSE(WriteProfileValue("0_PARAM", "APP_PATH", "x", nowhere));
    EXPECT_EQ(ReadProfileString("0_PARAM", "APP_PATH", "d", nowhere), "d");
}

}  // namespace
}  // namespace kvu
