#include "core/update_list_fillup.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "registration/file_info_log.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

const std::string kSep(1, kPathSep);

// Paths written with "/" in the tests, as the platform spells them.
std::string P(std::string path) {
    for (char& c : path) {
        if (c == '/')
            c = kPathSep;
    }
    return path;
}

TEST(BuildLocalPath, JoinsWithOneSeparatorEach) {
    const std::string product = P("/prod");
    EXPECT_EQ(BuildLocalPath(product, "a.dll", "   "), P("/prod/a.dll"));
    EXPECT_EQ(BuildLocalPath(product + kSep, "a.dll", ""), P("/prod/a.dll"));
    EXPECT_EQ(BuildLocalPath(product, "a.dll", "bin\\x86"), P("/prod/bin/x86/a.dll"));
}

class FillupTest : public ::testing::Test {
  protected:
    test::TempDir app;
    LocalIndex index;
    RepositoryRowList rows;
    MatchSettings settings{0, P("/prod"), 0, app.str()};

    void Install(const std::string& file, const std::string& version, DateTime date,
                 bool restricted = false) {
        const std::string name = file.substr(file.rfind('/') + 1);
        ASSERT_TRUE(index.Add({P(file), name, date, 100, version, restricted}));
    }
    void Row(int rid, const std::string& file, const std::string& version, const std::string& date,
             const std::string& mode, const std::string& targetDir = "") {
        clsRepoFiles row;
        row.RID = rid;
        row.zipname = "http://h/" + file + ".zip";
        row.FileName = file;
        row.FileType = "DLL";
        row.version = version;
        row.datetime = date;
        row.filesize = 200;
        row.UpdateMode = mode;
        row.TargetDir = targetDir;
        rows.push_back(row);
    }
    std::vector<std::string> Offered() {
        UpdateList list;
        UpdateListFillup(rows, index, settings, list);
        std::vector<std::string> names;
        for (const clsUpdateInfo& info : list)
            names.push_back(info.appname);
        return names;
    }
    std::string Log() { return test::ReadBytes(FileInfoLogPath(app.str())); }
};

using Names = std::vector<std::string>;
constexpr DateTime kNoon{2023, 4, 5, 12, 0, 0};

// Files not installed are offered for their modes only; installed ones by
// the candidate rules, the same for either "only newer" setting.
TEST_F(FillupTest, RowsAreOfferedByModeOrByTheCandidateRules) {
    Row(0, "always.dll", "1.0", "", "ALLWAYS");
    Row(0, "absent.dll", "1.0", "", "NOTEXIST");
    Row(0, "lower.dll", "1.0", "", "allways");  // modes are compared exactly
    Row(7, "other.dll", "1.0", "", "ALLWAYS");  // another product
    Install("/prod/restricted.dll", "1.0", kNoon, true);
    Install("/prod/notexist.dll", "1.0", kNoon);
    Install("/prod/same.dll", "1.2.3", kNoon);
    Install("/prod/older.dll", "1.2.3", kNoon);
    Install("/prod/newer.dll", "1.2.3", kNoon);
    Row(0, "restricted.dll", "9.0", "", "ALLWAYS");
    Row(0, "notexist.dll", "9.0", "", "NOTEXIST");
    Row(0, "same.dll", " 1.2.3 ", "", "");
    Row(0, "older.dll", "1.2.2", "", "ALLWAYS");
    Row(0, "newer.dll", "1.10", "", "");
    for (int onlyNewer : {0, 1}) {
        settings.onlyNewer = onlyNewer;
        EXPECT_EQ(Offered(), (Names{"always.dll", "absent.dll", "same.dll", "newer.dll"}))
            << onlyNewer;
    }
}

TEST_F(FillupTest, FilesWithoutVersionAreComparedByDate) {
    Install("/prod/same.exe", "", kNoon);
    Install("/prod/later.exe", " ", kNoon);
    Install("/prod/earlier.exe", "", kNoon);
    Install("/prod/bad.exe", "", kNoon);
    Row(0, "same.exe", "5.0", "2023.04.05. 12:00:00", "");
    Row(0, "bad.exe", "", "tegnap", "");
    Row(0, "later.exe", "5.0", "2023-04-05 12:00:01", "");
    Row(0, "earlier.exe", "5.0", "2023.04.05.", "");
    EXPECT_EQ(Offered(), (Names{"same.exe", "later.exe"}));
    EXPECT_EQ(Log(), "UpdateListFillup error ->invalid remote date \"tegnap\" of bad.exe\r\n");
    settings.onlyNewer = 1;
    EXPECT_EQ(Offered(), (Names{"later.exe"}));
}

// The repository arrives over plain HTTP: no row may point outside the installation.
TEST_F(FillupTest, RowsOutsideTheProductFolderAreLoggedAndNotOffered) {
    struct Case {
        const char* file;
        const char* targetDir;
    };
    const Case unsafe[] = {{"a.dll", "\\bin"},       {"a.dll", "/etc"},
                           {"a.dll", "C:\\Windows"}, {"a.dll", ".."},
                           {"..\\a.dll", ""},        {"a.dll", "bin\\..\\..\\x"},
                           {"../../a.dll", "bin"},   {"a.dll", "bin\\. .\\..."}};
    std::string expectedLog;
    for (const Case& c : unsafe) {
        Row(0, c.file, "2.0", "", "ALLWAYS", c.targetDir);
        expectedLog += std::string("UpdateListFillup error ->path outside the product folder \"") +
                       (*c.targetDir ? std::string(c.targetDir) + "\\" : "") + c.file + "\" of " +
                       c.file + "\r\n";
    }
    Row(0, "inside.dll", "2.0", "", "ALLWAYS", "bin\\..\\.\\");
    Row(0, "climbs.dll", "2.0", "", "ALLWAYS", "bin/../sub");
    EXPECT_EQ(Offered(), (Names{"inside.dll", "climbs.dll"}));
    EXPECT_EQ(Log(), expectedLog);
}

// The installed file is found without regard to case.
TEST_F(FillupTest, RecordsCarryTheRowAndTheInstalledFacts) {
    Install("/prod/Bin/Árlista.DLL", "1.0", DateTime{2022, 1, 2, 3, 4, 5});
    Row(0, "árlista.dll", "2.0", "2023.01.01. 00:00:00", "", "BIN");
    Row(0, "new.ocx", "3.0", "2023.01.01. 00:00:00", "ALLWAYS", "sub");
    UpdateList list;
    UpdateListFillup(rows, index, settings, list);
    ASSERT_EQ(list.Count(), 2);
    const clsUpdateInfo& installed = *GetUpdateInfo(list, 1);
    EXPECT_EQ(installed.LocalPath, P("/prod/Bin/Árlista.DLL"));
    EXPECT_EQ(installed.NetPath, "http://h/árlista.dll.zip");
    EXPECT_EQ(installed.AppType, "DLL");
    EXPECT_EQ(installed.NetVersion, "2.0");
    EXPECT_EQ(installed.NetFileDate, "2023.01.01. 00:00:00");
    EXPECT_EQ(installed.NetFileSize, 200);
    EXPECT_EQ(installed.LocalVersion, "1.0");
    EXPECT_EQ(installed.LocalFileDate, "2022.01.02. 03:04:05");
    EXPECT_EQ(installed.LocalFileSize, 100);
    EXPECT_FALSE(installed.Download);
    const clsUpdateInfo& missing = *GetUpdateInfo(list, 2);
    EXPECT_EQ(missing.LocalPath, P("/prod/sub/new.ocx"));
    EXPECT_EQ(missing.TargetDir, "sub");
    EXPECT_EQ(missing.LocalFileDate, "");
    EXPECT_EQ(missing.UpdateCase(), "új fájl ->");
}

}  // namespace
}  // namespace kvu
