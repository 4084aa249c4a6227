#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "platform/staged_file.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

// Until the commit, the older file is what others see; without one, nothing
// of the new file remains.
TEST(StagedFile, TakesTheTargetsPlaceOnlyWhenCommitted) {
    for (bool commit : {true, false}) {
        test::TempDir dir;
        const std::string target = dir.file("pkg.zip");
        test::WriteBytes(target, "an older and longer file");
        {
            StagedFile file;
            ASSERT_TRUE(file.Create(dir.str()));
            EXPECT_EQ(file.Write("new ", 4), WriteResult::kOk);
            EXPECT_EQ(file.Write("body", 4), WriteResult::kOk);
            EXPECT_EQ(test::ReadBytes(target), "an older and longer file");
            EXPECT_EQ(dir.Names().size(), 2u);
            if (commit) {
                EXPECT_EQ(file.Commit(target, std::nullopt), WriteResult::kOk);
            }
        }
        EXPECT_EQ(test::ReadBytes(target), commit ? "new body" : "an older and longer file");
        EXPECT_EQ(dir.Names(), std::vector<std::string>{"pkg.zip"});
    }
}

TEST(StagedFile, NeitherAMissingFolderNorAFolderInTheWayIsWritten) {
    test::TempDir dir;
    StagedFile nowhere;
    EXPECT_FALSE(nowhere.Create(dir.file("missing")));
    EXPECT_EQ(nowhere.Write("x", 1), WriteResult::kFailed);
    EXPECT_EQ(nowhere.Commit(dir.file("missing") + kPathSep + "pkg.zip", std::nullopt),
              WriteResult::kFailed);
    std::filesystem::create_directory(dir.path() / "pkg.zip");
    {
        StagedFile file;
        ASSERT_TRUE(file.Create(dir.str()));
        EXPECT_EQ(file.Write("body", 4), WriteResult::kOk);
        EXPECT_NE(file.Commit(dir.file("pkg.zip"), std::nullopt), WriteResult::kOk);
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "pkg.zip"));
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"pkg.zip"});
}

}  // namespace
}  // namespace kvu
