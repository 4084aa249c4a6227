#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/dir_listing.h"
#include "platform/file_contents.h"
#include "platform/paths.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const std::vector<DirEntry>& entries) {
    std::vector<std::string> names;
    for (const DirEntry& e : entries)
        names.push_back(e.name);
    return names;
}

class DirListingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::WriteBytes(dir.file("b.dll"), "12345");
        test::WriteBytes(dir.file("a.txt"), "");
        test::WriteBytes(dir.file("C.DLL"), "1");
        fs::create_directories(dir.path() / "sub.dll");
        fs::create_directories(dir.path() / "Other");
    }
    test::TempDir dir;
};

TEST_F(DirListingTest, FilesByPatternWithoutFolders) {
    EXPECT_EQ(Names(ListFiles(dir.str(), "*.*")),
              (std::vector<std::string>{"a.txt", "b.dll", "C.DLL"}));
    EXPECT_EQ(Names(ListFiles(dir.str(), "*.dll")), (std::vector<std::string>{"b.dll", "C.DLL"}));
    EXPECT_EQ(Names(ListFiles(dir.str() + kPathSep, "*.DLL")),
              (std::vector<std::string>{"b.dll", "C.DLL"}));
    EXPECT_TRUE(ListFiles(dir.str(), "*.exe").empty());
    for (const DirEntry& e : ListFiles(dir.str(), "*.*"))
        EXPECT_EQ(e.attributes & (kAttrFolder | kAttrHidden | kAttrSystem), 0u) << e.name;
}

TEST_F(DirListingTest, SizesAndDates) {
    std::vector<DirEntry> files = ListFiles(dir.str(), "b.dll");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].size, 5u);
    EXPECT_GE(files[0].lastWrite.year, 2024);
    EXPECT_GE(files[0].lastWrite.month, 1);
    EXPECT_LE(files[0].lastWrite.month, 12);
}

TEST_F(DirListingTest, FoldersWithoutDotEntries) {
    std::vector<DirEntry> folders = ListFolders(dir.str());
    EXPECT_EQ(Names(folders), (std::vector<std::string>{"Other", "sub.dll"}));
    for (const DirEntry& e : folders)
        EXPECT_NE(e.attributes & kAttrFolder, 0u) << e.name;
    EXPECT_TRUE(ListFolders(dir.file("Other")).empty());
}

TEST_F(DirListingTest, FilesAndFoldersInOneListing) {
    FolderListing listing = ListFolder(dir.str(), "*.dll");
    EXPECT_EQ(Names(listing.files), (std::vector<std::string>{"b.dll", "C.DLL"}));
    EXPECT_EQ(Names(listing.folders), (std::vector<std::string>{"Other", "sub.dll"}))
        << "folders whatever the pattern";
    EXPECT_TRUE(ListFolder(dir.file("missing"), "*.*").files.empty());
}

TEST_F(DirListingTest, MissingFolderListsNothing) {
    EXPECT_TRUE(ListFiles(dir.file("missing"), "*.*").empty());
    EXPECT_TRUE(ListFolders(dir.file("missing")).empty());
    EXPECT_TRUE(ListFiles(dir.file("b.dll"), "*.*").empty());
}

TEST(AppendToFile, CreatesAndAppends) {
    test::TempDir dir;
    const std::string file = dir.file("log.txt");
    EXPECT_TRUE(AppendToFile(file, "one\r\n"));
    EXPECT_TRUE(AppendToFile(file, std::string("t\0o\r\n", 5)));
    EXPECT_EQ(test::ReadBytes(file), std::string("one\r\nt\0o\r\n", 10));
    EXPECT_FALSE(AppendToFile(dir.file("missing") + kPathSep + "log.txt", "x"));
    EXPECT_FALSE(AppendToFile(dir.str(), "x")) << "a folder is no file to append to";
}

}  // namespace
}  // namespace kvu
