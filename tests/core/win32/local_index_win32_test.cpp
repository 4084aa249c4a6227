// Hidden and system files and folders under Windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/local_index.h"
#include "registration/version_info.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

namespace fs = std::filesystem;

TEST(ScanFolderWin32, HiddenAndSystemEntriesAreLeftOut) {
    test::TempDir root;
    for (const char* name : {"hidden.dll", "system.dll", "shown.dll", "readonly.dll"})
        test::WriteBytes(root.file(name), "x");
    fs::create_directories(root.path() / "hiddenfolder");
    fs::create_directories(root.path() / "systemfolder");
    test::WriteBytes((root.path() / "hiddenfolder" / "in.dll").string(), "x");
    test::WriteBytes((root.path() / "systemfolder" / "in.dll").string(), "x");
    ASSERT_TRUE(SetFileAttributesW((root.path() / "hidden.dll").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW((root.path() / "system.dll").c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(
        SetFileAttributesW((root.path() / "readonly.dll").c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(SetFileAttributesW((root.path() / "hiddenfolder").c_str(),
                                   FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW((root.path() / "systemfolder").c_str(),
                                   FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM));
    test::TempDir app;
    FileVersionInfo versions(app.str());
    std::vector<std::string> names;
    for (const FileData& record : ScanFolder(root.str(), "*.*", true, {}, versions))
        names.push_back(record.FileName);
    EXPECT_EQ(names, (std::vector<std::string>{"readonly.dll", "shown.dll"}));
    SetFileAttributesW((root.path() / "readonly.dll").c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace kvu
