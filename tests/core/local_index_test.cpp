#include "core/local_index.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/dir_listing.h"
#include "platform/encoding.h"
#include "platform/paths.h"
#include "registration/version_info.h"
#include "test_images.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

namespace fs = std::filesystem;

class ScanFolderTest : public ::testing::Test {
  protected:
    test::TempDir root;
    test::TempDir app;
    FileVersionInfo versions{app.str()};
    std::vector<std::string> restrictList;

    std::string Sep() const { return std::string(1, kPathSep); }
    std::string Folder() const { return root.str() + Sep(); }
    void Write(const std::string& relative, const std::string& bytes = "data") {
        fs::path path = root.path() / relative;
        fs::create_directories(path.parent_path());
        test::WriteBytes(path.string(), bytes);
    }
    LocalIndex Scan(const std::string& patterns = "*.*", bool recursive = true) {
        return ScanFolder(root.str(), patterns, recursive, restrictList, versions);
    }
    static std::vector<std::string> Names(const LocalIndex& index) {
        std::vector<std::string> names;
        for (const FileData& record : index)
            names.push_back(record.FileName);
        return names;
    }
};

TEST_F(ScanFolderTest, RecordsNamePathSizeLocalTimeAndVersion) {
    Write("lib.dll", test::ReadBytes(test::TestImage("full.dll")));
    Write("readme.txt", "twelve bytes");
    LocalIndex index = Scan();
    const FileData* lib = index.Find(Folder() + "lib.dll");
    ASSERT_NE(lib, nullptr);
    EXPECT_EQ(lib->filesize, static_cast<double>(fs::file_size(root.path() / "lib.dll")));
    EXPECT_EQ(lib->FileVersion, "5.1.2600.5512");
    const FileData* readme = index.Find(Folder() + "readme.txt");
    ASSERT_NE(readme, nullptr);
    EXPECT_EQ(readme->FileVersion, "") << "no version resource: compared by date later";
    EXPECT_EQ(readme->FileDate, ListFiles(root.str(), "readme.txt").at(0).lastWrite)
        << "the listing's local time";
}

TEST_F(ScanFolderTest, OverlappingPatternsListEachFileOnce) {
    Write("b.dll");
    Write("a.txt");
    EXPECT_EQ(Names(Scan("*.dll;*.*", false)), (std::vector<std::string>{"b.dll", "a.txt"}))
        << "the DLLs first, pattern by pattern";
    EXPECT_EQ(Names(Scan("*.txt;;*.txt;", false)), (std::vector<std::string>{"a.txt"}));
    EXPECT_EQ(Scan("", false).Size(), 0u);
}

TEST_F(ScanFolderTest, SubfoldersInListingOrderDepthFirst) {
    Write("z.txt");
    Write("b/b1.txt");
    Write("b/inner/deep.txt");
    Write("a/a1.txt");
    Write("c/empty/nothing.bin");
    fs::create_directories(root.path() / "d");
    EXPECT_EQ(Names(Scan()),
              (std::vector<std::string>{"z.txt", "a1.txt", "b1.txt", "deep.txt", "nothing.bin"}));
    EXPECT_EQ(Names(Scan("*.*", false)), (std::vector<std::string>{"z.txt"}));
    EXPECT_TRUE(ScanFolder(root.file("missing"), "*.*", true, restrictList, versions).Empty());
    // A trailing separator makes no difference.
    LocalIndex index = ScanFolder(Folder(), "*.bin", true, restrictList, versions);
    ASSERT_EQ(index.Size(), 1u);
    EXPECT_EQ(index.begin()->File, Folder() + "c" + Sep() + "empty" + Sep() + "nothing.bin");
}

TEST_F(ScanFolderTest, RestrictedByNameOrFullPathInAnyCase) {
    Write("Vmlx.dll");
    Write("sub/Other.ocx");
    Write("free.dll");
    restrictList = {"VMLX.DLL", UpperCase(Folder() + "sub" + Sep() + "other.ocx"), ""};
    LocalIndex index = Scan();
    ASSERT_EQ(index.Size(), 3u);
    EXPECT_TRUE(index.Find(Folder() + "Vmlx.dll")->FileRestricted);
    EXPECT_TRUE(index.Find(Folder() + "sub" + Sep() + "Other.ocx")->FileRestricted);
    EXPECT_FALSE(index.Find(Folder() + "free.dll")->FileRestricted);
    EXPECT_EQ(index.Find(Folder() + "Vmlx.dll")->FileName, "Vmlx.dll") << "fields keep their case";
    EXPECT_EQ(index.Find(Folder() + "sub" + Sep() + "Other.ocx")->File,
              Folder() + "sub" + Sep() + "Other.ocx");
}

TEST(LocalIndex, KeysIgnoreCaseAndOrderIsKept) {
    LocalIndex index;
    EXPECT_TRUE(index.Add({"C:\\App\\b.dll", "b.dll", {}, 1, "", false}));
    EXPECT_TRUE(index.Add({"C:\\App\\A.dll", "A.dll", {}, 2, "", false}));
    EXPECT_FALSE(index.Add({"c:\\app\\B.DLL", "B.DLL", {}, 3, "", false}));
    EXPECT_TRUE(index.Add({"C:\\App\\Árvíz.dll", "Árvíz.dll", {}, 4, "", false}));
    EXPECT_FALSE(index.Add({"C:\\APP\\ÁRVÍZ.DLL", "x", {}, 5, "", false}));
    ASSERT_EQ(index.Size(), 3u);
    EXPECT_EQ(index.Find("C:\\APP\\B.DLL")->filesize, 1.0) << "the first addition stays";
    EXPECT_EQ(index.Find("c:\\app\\árvíz.dll")->filesize, 4.0);
    EXPECT_EQ(index.Find("C:\\App\\c.dll"), nullptr);
    std::vector<double> order;
    for (const FileData& r : index)
        order.push_back(r.filesize);
    EXPECT_EQ(order, (std::vector<double>{1, 2, 4}));
    // Characters next to the letters are not letters.
    EXPECT_TRUE(index.Add({"C:\\`{}~", "", {}, 3, "", false}));
    EXPECT_EQ(index.Find("C:\\@[]^"), nullptr);
    index.Clear();
    EXPECT_TRUE(index.Empty());
    EXPECT_TRUE(index.Add({"C:\\App\\b.dll", "b.dll", {}, 1, "", false}));
}

}  // namespace
}  // namespace kvu
