// The listing on Linux: dot names are hidden, only regular files are files.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <ranges>
#include <string>
#include <vector>

#include "platform/dir_listing.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const std::vector<DirEntry>& entries) {
    auto names = entries | std::views::transform(&DirEntry::name);
    return {names.begin(), names.end()};
}

TEST(DirListingPosix, DotNamesAndSpecialFilesAreLeftOut) {
    test::TempDir dir;
    test::WriteBytes(dir.file(".hidden"), "x");
    test::WriteBytes(dir.file("visible"), "x");
    fs::create_directories(dir.path() / ".config");
    fs::create_directories(dir.path() / "folder");
    ASSERT_EQ(mkfifo(dir.file("pipe").c_str(), 0600), 0);
    EXPECT_EQ(Names(ListFiles(dir.str(), "*.*")), (std::vector<std::string>{"visible"}));
    EXPECT_EQ(Names(ListFiles(dir.str(), ".*")), (std::vector<std::string>{}));
    EXPECT_EQ(Names(ListFolders(dir.str())), (std::vector<std::string>{"folder"}));
}

TEST(DirListingPosix, LinksAreMarked) {
    test::TempDir dir;
    fs::create_directories(dir.path() / "real");
    test::WriteBytes(dir.file("file"), "12345678");
    fs::create_directory_symlink(dir.path() / "real", dir.path() / "alias");
    fs::create_symlink(dir.path() / "file", dir.path() / "filelink");
    fs::create_symlink(dir.path() / "gone", dir.path() / "dangling");
    std::vector<DirEntry> folders = ListFolders(dir.str());
    ASSERT_EQ(Names(folders), (std::vector<std::string>{"alias", "real"}));
    EXPECT_EQ(folders[0].attributes, kAttrFolder | kAttrLink);
    EXPECT_EQ(folders[1].attributes, kAttrFolder);
    std::vector<DirEntry> files = ListFiles(dir.str(), "*");
    ASSERT_EQ(Names(files), (std::vector<std::string>{"file", "filelink"}));
    EXPECT_EQ(files[1].size, 8u) << "a link to a file shows the file";
    EXPECT_EQ(files[1].attributes, kAttrLink);
}

TEST(DirListingPosix, OrderIgnoresCaseAndTimesAreLocal) {
    test::TempDir dir;
    for (const char* name : {"b", "A", "a", "C", "Őb", "őa", "Z", "data10", "Data1", "DATA2",
                             "data1", "dAta_", "data"})
        test::WriteBytes(dir.file(name), "x");
    EXPECT_EQ(Names(ListFiles(dir.str(), "*")),
              (std::vector<std::string>{"A", "a", "b", "C", "data", "Data1", "data1", "data10",
                                        "DATA2", "dAta_", "Z", "őa", "Őb"}));

    const std::time_t when = 1000000000;  // 2001-09-09 01:46:40 UTC
    fs::last_write_time(dir.path() / "b", std::chrono::file_clock::from_sys(
                                              std::chrono::system_clock::from_time_t(when)));
    std::tm local{};
    localtime_r(&when, &local);
    const DateTime expected{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                            local.tm_hour,        local.tm_min,     local.tm_sec};
    EXPECT_EQ(ListFiles(dir.str(), "b").at(0).lastWrite, expected);
}

}  // namespace
}  // namespace kvu
