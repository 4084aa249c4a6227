#include <gtest/gtest.h>

#include <filesystem>
#include <ranges>
#include <string>
#include <vector>

#include "platform/dir_listing.h"
#include "platform/paths.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const std::vector<DirEntry>& entries) {
    auto names = entries | std::views::transform(&DirEntry::name);
    return {names.begin(), names.end()};
}

using Strings = std::vector<std::string>;

// Files by pattern without folders, folders without dot entries, whatever the
// pattern; both with or without a final separator; nothing from a missing folder.
TEST(DirListing, FilesByPatternAndFoldersApart) {
    test::TempDir dir;
    test::WriteBytes(dir.file("b.dll"), "12345");
    test::WriteBytes(dir.file("a.txt"), "");
    test::WriteBytes(dir.file("C.DLL"), "1");
    fs::create_directories(dir.path() / "sub.dll");
    fs::create_directories(dir.path() / "Other");

    EXPECT_EQ(Names(ListFiles(dir.str(), "*.*")), (Strings{"a.txt", "b.dll", "C.DLL"}));
    EXPECT_EQ(Names(ListFiles(dir.str() + kPathSep, "*.DLL")), (Strings{"b.dll", "C.DLL"}));
    EXPECT_TRUE(ListFiles(dir.str(), "*.exe").empty());
    const std::vector<DirEntry> one = ListFiles(dir.str(), "b.dll");
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].size, 5u);
    EXPECT_GE(one[0].lastWrite.year, 2024);

    EXPECT_EQ(Names(ListFolders(dir.str())), (Strings{"Other", "sub.dll"}));
    EXPECT_TRUE(ListFolders(dir.file("Other")).empty());

    const FolderListing listing = ListFolder(dir.str(), "*.dll");
    EXPECT_EQ(Names(listing.files), (Strings{"b.dll", "C.DLL"}));
    EXPECT_EQ(Names(listing.folders), (Strings{"Other", "sub.dll"}));
    EXPECT_NE(listing.folders.at(0).attributes & kAttrFolder, 0u);

    for (const std::string& missing : {dir.file("missing"), dir.file("b.dll")}) {
        EXPECT_TRUE(ListFiles(missing, "*.*").empty()) << missing;
        EXPECT_TRUE(ListFolders(missing).empty()) << missing;
        EXPECT_TRUE(ListFolder(missing, "*.*").files.empty()) << missing;
    }
}

}  // namespace
}  // namespace kvu
