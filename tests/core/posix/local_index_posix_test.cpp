// What counts as hidden or as no file at all on Linux.
#include <sys/stat.h>

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

TEST(ScanFolderPosix, LinkedFoldersAreNotFollowed) {
    test::TempDir root;
    fs::create_directories(root.path() / "real");
    test::WriteBytes((root.path() / "real" / "a.dll").string(), "x");
    fs::create_directory_symlink(root.path(), root.path() / "real" / "loop");
    fs::create_directory_symlink(root.path() / "real", root.path() / "alias");
    fs::create_symlink(root.path() / "real" / "a.dll", root.path() / "linked.dll");
    test::TempDir app;
    FileVersionInfo versions(app.str());
    std::vector<std::string> paths;
    for (const FileData& record : ScanFolder(root.str(), "*.*", true, {}, versions))
        paths.push_back(record.File.substr(root.str().size() + 1));
    EXPECT_EQ(paths, (std::vector<std::string>{"linked.dll", "real/a.dll"}))
        << "a link to a file is the file; links to folders are left out";
}

// Read directly, a pipe neither blocks the version reader nor has a version.
TEST(ScanFolderPosix, APipeIsNoVersionedFile) {
    test::TempDir root;
    ASSERT_EQ(mkfifo(root.file("pipe.dll").c_str(), 0600), 0);
    test::TempDir app;
    EXPECT_EQ(FileVersionInfo(app.str()).GetFileVersion(root.file("pipe.dll")), "");
}

}  // namespace
}  // namespace kvu
