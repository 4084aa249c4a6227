#include "platform/profile.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

TEST(Profile, MissingFileGivesDefaultsAndTheFirstWriteCreatesIt) {
    test::TempDir dir;
    const std::string file = dir.file("kvu.ini");
    EXPECT_EQ(ReadProfileString("0_PARAM", "REPO_URL", "http://d/", file), "http://d/");
    EXPECT_EQ(ReadProfileInt("0_PARAM", "DELETE_TMP", 1, file), 1);

    ASSERT_TRUE(WriteProfileValue("0_PARAM", "APP_PATH", "C:\\Lindora", file));
    EXPECT_EQ(ReadProfileString("0_param", "app_path", "", file), "C:\\Lindora");
}

TEST(Profile, LongValuesAreCut) {
    test::TempDir dir;
    const std::string file = dir.file("kvu.ini");
    test::WriteBytes(file, "[0_PARAM]\r\nREPO_URL=" + std::string(2000, 'u') + "\r\n");
    EXPECT_EQ(ReadProfileString("0_PARAM", "REPO_URL", "", file),
              std::string(kProfileValueMax, 'u'));
}

TEST(Profile, AWriteToAFolderThatDoesNotExistFailsQuietly) {
    test::TempDir dir;
    const std::string file = dir.file("missing/kvu.ini");
    EXPECT_FALSE(WriteProfileValue("0_PARAM", "APP_PATH", "x", file));
    EXPECT_EQ(ReadProfileString("0_PARAM", "APP_PATH", "d", file), "d");
}

}  // namespace
}  // namespace kvu
