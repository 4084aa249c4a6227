// Extraction as the updater uses it, and the other options of the interface.
#include <gtest/gtest.h>

#include <ctime>

#include "platform/staged_file.h"
#include "tests/unzip32/unzip_harness.h"

namespace kvu::test {
namespace {

// A member's DOS date and time, in local time.
std::int64_t LocalSeconds(int year, int month, int day, int hour, int minute, int second) {
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    parts.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&parts));
}

class Extraction : public ::testing::Test {
  protected:
    std::string Archive(const ZipArchive& archive) {
        std::string path = work_.file("update.zip");
        WriteBytes(path, BuildZip(archive));
        return path;
    }
    std::int32_t Unzip(
        const ZipArchive& archive, void (*options)(DCL&) = [](DCL&) {}) {
        UnzipCall call(Archive(archive), installed_.str());
        options(call.options);
        return Extract(call);
    }

    TempDir work_;
    InstalledFolder installed_;
};

// Flat, as the updater asks: folders inside are dropped, and of two members
// with one name the later wins; ZIP64 records and bytes in front of the
// archive are read too.
TEST_F(Extraction, EveryMemberLandsInTheFolder) {
    const ZipArchive archive = {
        .members =
            {{.name = "bin/", .externalAttributes = 0x10},
             {.name = "old/app.dll", .data = "first"},
             {.name = "bin/app.dll", .data = Text("new", 300), .zip64 = true},
             {.name = "doc/sub/readme.txt", .data = Text("doc", 20), .method = 0, .zip64 = true},
             {.name = "top.txt", .data = ""}},
        .prefix = std::string(1000, 'S'),
        .zip64End = true};
    EXPECT_EQ(Unzip(archive), kUnzipWarning);  // the extra bytes are worth a warning
    EXPECT_EQ(installed_.Names(), (std::vector<std::string>{"app.dll", "readme.txt", "top.txt"}));
    EXPECT_EQ(ReadBytes(installed_.file("app.dll")), Text("new", 300));
    EXPECT_EQ(ReadBytes(installed_.file("readme.txt")), Text("doc", 20));
    EXPECT_EQ(ReadBytes(installed_.file("top.txt")), "");
}

// Without the UTF-8 flag a name is in the OEM code page, as Windows archivers
// write it: the installed file is replaced, and no stray one appears.
TEST_F(Extraction, NamesInUtf8AndInTheOemCodePage) {
    const std::string oemName = "\xA0rv\xA1zt\xFBr\x8B.dll";
    auto read = [&](const std::string& name) {
        std::ifstream in(Utf8Path(installed_.str(), name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    std::ofstream(Utf8Path(installed_.str(), OemToUtf8(oemName))) << "old";
    const ZipArchive archive = {
        .members = {{.name = "tükörfúrógép.txt", .data = "utf8", .flags = 0x0800},
                    {.name = oemName, .data = "oem"}}};
    EXPECT_EQ(Unzip(archive), kUnzipOk);
    EXPECT_EQ(read("tükörfúrógép.txt"), "utf8");
    EXPECT_EQ(read(OemToUtf8(oemName)), "oem");
    EXPECT_EQ(installed_.Names().size(), 3u);
}

TEST_F(Extraction, FoldersAreKeptWhenAskedAndStayInsideTheFolder) {
    const ZipArchive archive = {.members = {{.name = "bin/x64/app.dll", .data = "deep"},
                                            {.name = "/abs/./root.txt", .data = "root"},
                                            {.name = "empty/"},
                                            {.name = "up/../../x.txt", .data = "escape"}}};
    EXPECT_EQ(Unzip(archive, [](DCL& o) { o.ndflag = 1; }), kUnzipWarning);
    EXPECT_EQ(ReadBytes(installed_.file("bin/x64/app.dll")), "deep");
    EXPECT_EQ(ReadBytes(installed_.file("abs/root.txt")), "root");
    EXPECT_TRUE(std::filesystem::is_directory(installed_.file("empty")));
    EXPECT_FALSE(PathExists(installed_.file("up")));
    EXPECT_FALSE(
        PathExists((std::filesystem::path(installed_.str()).parent_path() / "x.txt").string()));
}

// Written files carry the member's time, so that the next update search sees
// the archive's date; also when the member replaces an installed file.
TEST_F(Extraction, TheExtendedTimestampWinsOverTheDosTime) {
    const ZipArchive archive = {
        .members = {{.name = "app.dll", .data = "x", .unixTime = 1600000123},
                    {.name = "summer.dll",
                     .data = "y",
                     .dosDate = (43 << 9) | (7 << 5) | 14,
                     .dosTime = (9 << 11) | (41 << 5) | 29},
                    {.name = "winter.dll",
                     .data = "z",
                     .dosDate = (44 << 9) | (1 << 5) | 2,
                     .dosTime = (23 << 11) | (59 << 5)}}};
    EXPECT_EQ(Unzip(archive), kUnzipOk);
    EXPECT_EQ(ModifiedTime(installed_.file("app.dll")), 1600000123);
    EXPECT_EQ(ModifiedTime(installed_.file("summer.dll")), LocalSeconds(2023, 7, 14, 9, 41, 58));
    EXPECT_EQ(ModifiedTime(installed_.file("winter.dll")), LocalSeconds(2024, 1, 2, 23, 59, 0));
}

// The file "a" is committed while "a/b" is extracted: the file must win the
// place, as it would if members were written one at a time. Nor does a file
// replace a folder.
TEST_F(Extraction, AFileStillOnItsWayIsNotReplacedByAFolder) {
    const ZipArchive archive = {.members = {{.name = "a", .data = "file"},
                                            {.name = "a/b", .data = "under"},
                                            {.name = "c/d", .data = "inner"},
                                            {.name = "c", .data = "a file now"}}};
    EXPECT_NE(Unzip(archive, [](DCL& o) { o.ndflag = 1; }), kUnzipOk);
    EXPECT_EQ(ReadBytes(installed_.file("a")), "file");
    EXPECT_EQ(ReadBytes(installed_.file("c/d")), "inner");
}

TEST_F(Extraction, SpacesAndLineEndsAreConvertedWhenAsked) {
    const ZipArchive archive = {
        .members = {
            {.name = "my file.txt", .data = "one\ntwo\r\nthree\rfour\n", .internalAttributes = 1},
            {.name = "b.bin", .data = "one\ntwo\r\n"}}};
    EXPECT_EQ(Unzip(archive, [](DCL& o) { o.SpaceToUnderscore = o.naflag = 1; }), kUnzipOk);
    const std::string end = kPathSep == '\\' ? "\r\n" : "\n";
    EXPECT_EQ(ReadBytes(installed_.file("my_file.txt")),
              "one" + end + "two" + end + "three\rfour" + end);
    EXPECT_EQ(ReadBytes(installed_.file("b.bin")), "one\ntwo\r\n");
}

// Made at build time by Python's zipfile: a folder, data descriptors, ZIP64 records.
TEST_F(Extraction, ArchivesFromOtherWritersAreRead) {
    CallbackLog log;
    EXPECT_EQ(Extract(UnzipCall(Prepared("python.zip"), work_.str()), &log), kUnzipOk)
        << log.AllPrinted();
    for (std::string file : {"app.dll", "readme.txt", "empty.txt"})
        EXPECT_EQ(ReadBytes(work_.file(file)), ReadBytes(Prepared("sources/" + file)));
}

// A crash leaves a staged file behind; the next run into that folder removes
// it, but not one that a run still writes, nor a file of someone else.
TEST_F(Extraction, StagedFilesOfACrashedRunAreRemoved) {
    WriteBytes(installed_.file(".unzip32-0123456789ab.tmp"), "left by a crash");
    WriteBytes(installed_.file(".unzip32-notours.tmp"), "someone else's");
    StagedFile live;
    ASSERT_TRUE(live.Create(installed_.str()));
    EXPECT_EQ(Unzip({.members = {{.name = "app.dll", .data = "new"}}}), kUnzipOk);
    EXPECT_FALSE(PathExists(installed_.file(".unzip32-0123456789ab.tmp")));
    EXPECT_EQ(installed_.Names().size(), 3u);  // with app.dll, the live one and someone else's
}

// Existing files "a" and "b" against members "a" and "b": what each way of
// answering (or not being asked) leaves in the folder.
TEST_F(Extraction, ExistingFilesFollowTheOverwriteOptionsAndTheAnswers) {
    const std::string path =
        Archive({.members = {{.name = "a", .data = "A"}, {.name = "b", .data = "B"}}});
    struct Case {
        const char* what;
        bool overwrite, ask;
        std::deque<std::int32_t> answers;
        std::string renameTo;
        std::size_t asked;
        std::vector<std::string> contents;  // of a, b and a third file, if any
    };
    const Case cases[] = {
        {"neither overwrite nor ask: keep", false, false, {}, "", 0, {"old a", "old b"}},
        {"asking wins", true, true, {kReplaceNo, kReplaceNo}, "", 2, {"old a", "old b"}},
        {"yes, no", false, true, {kReplaceYes, kReplaceNo}, "", 2, {"A", "old b"}},
        {"all", false, true, {kReplaceAll, kReplaceNo}, "", 1, {"A", "B"}},
        {"none", false, true, {kReplaceNone, kReplaceYes}, "", 1, {"old a", "old b"}},
        {"rename", false, true, {kReplaceRename}, "c", 2, {"old a", "old b", "A"}},
        {"rename to ..", false, true, {kReplaceRename}, "..", 2, {"old a", "old b"}},
        {"rename outside", false, true, {kReplaceRename}, "../c", 2, {"old a", "old b", "A"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir folder;
        WriteBytes(folder.file("a"), "old a");
        WriteBytes(folder.file("b"), "old b");
        UnzipCall call(path, folder.str());
        call.options.noflag = c.overwrite;
        call.options.PromptToOverwrite = c.ask;
        CallbackLog log;
        log.replaceAnswers = c.answers;
        log.renameTo = c.renameTo;
        EXPECT_EQ(Extract(call, &log), kUnzipOk);
        std::vector<std::string> asked = log.Names("replace");
        EXPECT_EQ(asked.size(), c.asked);
        EXPECT_EQ(asked.empty() ? "" : asked[0], c.asked ? folder.file("a") : "");
        std::vector<std::string> contents;
        for (const std::string& name : folder.Names())
            contents.push_back(ReadBytes(folder.file(name)));
        EXPECT_EQ(contents, c.contents);
    }
}

TEST_F(Extraction, FreshenAndOnlyNewerReplaceOnlyOlderFiles) {
    const std::string path =
        Archive({.members = {{.name = "app.dll", .data = "new", .unixTime = 1700000000},
                             {.name = "other.dll", .data = "other", .unixTime = 1700000000}}});
    const std::filesystem::file_time_type memberTime = std::chrono::file_clock::from_sys(
        std::chrono::sys_seconds(std::chrono::seconds(1700000000)));
    for (bool freshen : {true, false}) {
        SCOPED_TRACE(freshen ? "freshen" : "only newer");
        InstalledFolder folder;  // its file is from now, newer than the member
        UnzipCall call(path, folder.str());
        (freshen ? call.options.nfflag : call.options.ExtractOnlyNewer) = 1;
        const std::filesystem::path installed = folder.file("app.dll");
        // Newer, then exactly as old (not older either), then older.
        for (std::filesystem::file_time_type when :
             {std::filesystem::last_write_time(installed), memberTime,
              memberTime - std::chrono::hours(24 * 365 * 10)}) {
            std::filesystem::last_write_time(installed, when);
            EXPECT_EQ(Extract(call), kUnzipOk);
            EXPECT_EQ(ReadBytes(folder.file("app.dll")),
                      when < memberTime ? "new" : InstalledFolder::kInstalledBytes);
        }
        EXPECT_EQ(PathExists(folder.file("other.dll")), !freshen);
    }
}

TEST_F(Extraction, ListTestPrintAndCommentModesWriteNothing) {
    const std::string path = Archive({.members = {{.name = "dir/app.dll", .data = Text("l", 40)},
                                                  {.name = "b.txt", .data = "bee"}},
                                      .comment = "release notes"});
    const std::pair<std::int32_t DCL::*, std::string> modes[] = {
        {&DCL::nvflag, "dir/app.dll"},
        {&DCL::nZIflag, "Defl:N"},
        {&DCL::ntflag, "b.txt   OK"},
        {&DCL::ncflag, Text("l", 40) + "bee"},
        {&DCL::nzflag, "release notes"}};
    for (const auto& [flag, printed] : modes) {
        TempDir folder;
        UnzipCall call(path, folder.str());
        call.options.*flag = 1;
        CallbackLog log;
        EXPECT_EQ(Extract(call, &log), kUnzipOk);
        EXPECT_NE(log.AllPrinted().find(printed), std::string::npos) << printed;
        EXPECT_TRUE(folder.Names().empty());
        const std::vector<std::string> listed = {"dir/app.dll", "b.txt"};
        const bool lists = flag == &DCL::nvflag || flag == &DCL::nZIflag;
        EXPECT_EQ(log.Names("member"), lists ? listed : std::vector<std::string>{});
    }
}

TEST_F(Extraction, IncludeAndExcludeListsTakeWildcards) {
    const std::string path = Archive({.members = {{.name = "bin/App.dll", .data = "1"},
                                                  {.name = "bin/app.exe", .data = "2"},
                                                  {.name = "doc/readme.txt", .data = "3"},
                                                  {.name = "doc/a1.txt", .data = "4"}}});
    struct Case {
        std::vector<std::string> includes, excludes;
        bool ignoreCase;
        std::vector<std::string> expected;
        std::int32_t code;
    };
    const Case cases[] = {
        {{"*.txt"}, {}, false, {"a1.txt", "readme.txt"}, kUnzipOk},
        {{"bin\\*"}, {"*.exe"}, false, {"App.dll"}, kUnzipOk},
        {{"*/app.*"}, {}, false, {"app.exe"}, kUnzipOk},
        {{"*/app.*"}, {}, true, {"App.dll", "app.exe"}, kUnzipOk},
        {{"doc/[a-c]?.txt"}, {}, false, {"a1.txt"}, kUnzipOk},
        {{"doc/[!a]*"}, {}, false, {"readme.txt"}, kUnzipOk},
        {{}, {"doc/*", "*.exe"}, false, {"App.dll"}, kUnzipOk},
        {{"*.txt", "nothing*"}, {}, false, {"a1.txt", "readme.txt"}, kUnzipNoMatch},
    };
    for (const Case& c : cases) {
        TempDir folder;
        UnzipCall call(path, folder.str());
        call.includes = c.includes;
        call.excludes = c.excludes;
        call.options.C_flag = c.ignoreCase;
        EXPECT_EQ(Extract(call), c.code);
        EXPECT_EQ(folder.Names(), c.expected) << (c.includes.empty() ? "" : c.includes[0]);
    }
}

}  // namespace
}  // namespace kvu::test
