// Extraction as the updater uses it, and the other options of the interface.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/staged_file.h"
#include "tests/unzip32/unzip_harness.h"

namespace kvu::test {
namespace {

std::string Text(const std::string& seed, std::size_t lines) {
    std::string text;
    for (std::size_t i = 0; i < lines; ++i)
        text += seed + " line " + std::to_string(i * 7919 % 1000) + "\r\n";
    return text;
}

class Extraction : public ::testing::Test {
  protected:
    std::string Archive(const ZipArchive& archive) {
        std::string path = work_.file("update" + std::to_string(count_++) + ".zip");
        WriteBytes(path, BuildZip(archive));
        return path;
    }

    TempDir work_;
    InstalledFolder installed_;
    Unzipper unzipper_;
    int count_ = 0;
};

TEST_F(Extraction, FoldersInsideAreDroppedAndEveryMemberLandsInTheFolder) {
    ZipArchive archive;
    archive.members = {{.name = "bin/"},
                       {.name = "bin/app.dll", .data = Text("new", 300)},
                       {.name = "doc/sub/readme.txt", .data = Text("doc", 20), .method = 0},
                       {.name = "top.txt", .data = ""}};
    archive.members[0].externalAttributes = 0x10;
    UnzipOutcome outcome = unzipper_.Run(UnzipCall(Archive(archive), installed_.path()));
    EXPECT_EQ(outcome.code, kUnzipOk);
    EXPECT_EQ(installed_.Names(), (std::vector<std::string>{"app.dll", "readme.txt", "top.txt"}));
    EXPECT_EQ(ReadBytes(installed_.file("app.dll")), Text("new", 300));
    EXPECT_EQ(ReadBytes(installed_.file("readme.txt")), Text("doc", 20));
    EXPECT_EQ(ReadBytes(installed_.file("top.txt")), "");
}

TEST_F(Extraction, TheLaterOfTwoMembersWithTheSameNameWins) {
    ZipArchive archive;
    archive.members = {{.name = "a/app.dll", .data = "first"},
                       {.name = "b/app.dll", .data = "second"}};
    EXPECT_EQ(unzipper_.Run(UnzipCall(Archive(archive), installed_.path())).code, kUnzipOk);
    EXPECT_EQ(ReadBytes(installed_.file("app.dll")), "second");
}

TEST_F(Extraction, ArchivesFromOtherWritersAreRead) {
    // Made at build time by Python's zipfile: data descriptors, ZIP64 records.
    for (std::string name : {"python_folders.zip", "python_streamed.zip", "python_zip64.zip"}) {
        SCOPED_TRACE(name);
        TempDir folder;
        CallbackLog log;
        UnzipOutcome outcome = unzipper_.Run(
            UnzipCall(BesideTest("archives" + std::string(1, kPathSep) + name), folder.str()), log);
        EXPECT_EQ(outcome.code, kUnzipOk) << log.AllPrinted();
        std::string sources = BesideTest("archives" + std::string(1, kPathSep) + "sources");
        for (std::string file : {"app.dll", "readme.txt", "empty.txt"})
            EXPECT_EQ(ReadBytes(folder.file(file)), ReadBytes(sources + kPathSep + file)) << file;
    }
}

TEST_F(Extraction, Zip64RecordsAndBytesInFrontOfTheArchiveAreRead) {
    ZipArchive archive;
    archive.members = {{.name = "app.dll", .data = Text("z", 50), .zip64 = true},
                       {.name = "b.txt", .data = "stored", .method = 0, .zip64 = true}};
    archive.zip64End = true;
    archive.prefix = std::string(1000, 'S');
    UnzipOutcome outcome = unzipper_.Run(UnzipCall(Archive(archive), installed_.path()));
    EXPECT_EQ(outcome.code, kUnzipWarning);  // the extra bytes are worth a warning
    EXPECT_EQ(ReadBytes(installed_.file("app.dll")), Text("z", 50));
    EXPECT_EQ(ReadBytes(installed_.file("b.txt")), "stored");
}

// Without the UTF-8 flag a name is in the OEM code page, as Windows archivers
// write it: the installed file is replaced, and no stray one appears.
TEST_F(Extraction, NamesInUtf8AndInTheOemCodePage) {
    const std::string oemName = "\xA0rv\xA1zt\xFBr\x8B.dll";
    WriteUtf8Named(installed_.path(), OemToUtf8(oemName), "old");
    ZipArchive archive;
    archive.members = {{.name = "tükörfúrógép.txt", .data = "utf8", .flags = 0x0800},
                       {.name = oemName, .data = "oem"}};
    EXPECT_EQ(unzipper_.Run(UnzipCall(Archive(archive), installed_.path())).code, kUnzipOk);
    EXPECT_EQ(ReadUtf8Named(installed_.path(), "tükörfúrógép.txt"), "utf8");
    EXPECT_EQ(ReadUtf8Named(installed_.path(), OemToUtf8(oemName)), "oem");
    EXPECT_EQ(installed_.Names().size(), 3u);
}

// A crash leaves a staged file behind; the next run into that folder removes
// it, but not one that a run still writes, nor a file of someone else.
TEST_F(Extraction, StagedFilesOfACrashedRunAreRemoved) {
    installed_.Write(".unzip32-0123456789ab.tmp", "left by a crash");
    installed_.Write(".unzip32-notours.tmp", "someone else's");
    StagedFile live;
    ASSERT_TRUE(live.Create(installed_.path()));
    ZipArchive archive;
    archive.members = {{.name = "app.dll", .data = "new"}};
    EXPECT_EQ(unzipper_.Run(UnzipCall(Archive(archive), installed_.path())).code, kUnzipOk);
    std::vector<std::string> names = installed_.Names();
    EXPECT_EQ(names.size(), 3u);
    EXPECT_EQ(std::count(names.begin(), names.end(), ".unzip32-0123456789ab.tmp"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), ".unzip32-notours.tmp"), 1);
}

TEST_F(Extraction, ExistingFilesFollowTheOverwriteOptions) {
    ZipArchive archive;
    archive.members = {{.name = "app.dll", .data = "new"}};
    std::string path = Archive(archive);
    UnzipCall keep(path, installed_.path());
    keep.options.noflag = 0;  // neither overwrite nor ask: keep
    EXPECT_EQ(unzipper_.Run(keep).code, kUnzipOk);
    installed_.ExpectUntouched();

    struct Case {
        std::int32_t answer;
        bool replaced;
    };
    // Asking wins over overwriting without asking (noflag 1).
    for (Case c : {Case{kReplaceNo, false}, Case{kReplaceNone, false}, Case{kReplaceYes, true},
                   Case{-kReplaceNo, false}}) {
        InstalledFolder folder;
        UnzipCall ask(path, folder.path());
        ask.options.noflag = c.answer < 0 ? 1 : 0;
        ask.options.PromptToOverwrite = 1;
        c.answer = c.answer < 0 ? -c.answer : c.answer;
        CallbackLog log;
        log.replaceAnswers = {c.answer};
        EXPECT_EQ(unzipper_.Run(ask, log).code, kUnzipOk);
        ASSERT_EQ(log.replaceNames.size(), 1u);
        EXPECT_EQ(log.replaceNames[0], folder.file("app.dll"));
        EXPECT_EQ(ReadBytes(folder.file("app.dll")),
                  c.replaced ? "new" : InstalledFolder::kInstalledBytes);
    }
}

TEST_F(Extraction, ReplaceAllAndNoneHoldForTheRestOfTheArchive) {
    ZipArchive archive;
    archive.members = {{.name = "a", .data = "A"}, {.name = "b", .data = "B"}};
    std::string path = Archive(archive);
    for (std::int32_t answer : {kReplaceAll, kReplaceNone}) {
        TempDir folder;
        WriteBytes(folder.file("a"), "old a");
        WriteBytes(folder.file("b"), "old b");
        UnzipCall ask(path, folder.str());
        ask.options.noflag = 0;
        ask.options.PromptToOverwrite = 1;
        CallbackLog log;
        log.replaceAnswers = {answer, kReplaceNo};
        unzipper_.Run(ask, log);
        EXPECT_EQ(log.replaceNames.size(), 1u);
        bool all = answer == kReplaceAll;
        EXPECT_EQ(ReadBytes(folder.file("a")), all ? "A" : "old a");
        EXPECT_EQ(ReadBytes(folder.file("b")), all ? "B" : "old b");
    }
}

TEST_F(Extraction, ARenameAnswerWritesUnderTheNewNameOnlyWhenItIsSafe) {
    ZipArchive archive;
    archive.members = {{.name = "app.dll", .data = "new"}};
    std::string path = Archive(archive);
    struct Case {
        std::string rename;
        std::string written;  // empty: nothing written
    };
    for (const Case& c : {Case{"renamed.dll", "renamed.dll"}, Case{"..", ""},
                          Case{"../escaped.dll", "escaped.dll"}}) {
        InstalledFolder folder;
        UnzipCall ask(path, folder.path());
        ask.options.noflag = 0;
        ask.options.PromptToOverwrite = 1;
        CallbackLog log;
        log.replaceAnswers = {kReplaceRename};
        log.renameTo = c.rename;
        unzipper_.Run(ask, log);
        EXPECT_EQ(ReadBytes(folder.file("app.dll")), InstalledFolder::kInstalledBytes);
        if (!c.written.empty()) {
            EXPECT_EQ(ReadBytes(folder.file(c.written)), "new") << c.rename;
        }
        EXPECT_EQ(folder.Names().size(), c.written.empty() ? 1u : 2u) << c.rename;
    }
}

TEST_F(Extraction, FreshenAndOnlyNewerReplaceOnlyOlderFiles) {
    ZipArchive archive;
    archive.members = {{.name = "app.dll", .data = "new", .unixTime = 1700000000},
                       {.name = "other.dll", .data = "other", .unixTime = 1700000000}};
    std::string path = Archive(archive);
    for (bool freshen : {true, false}) {
        SCOPED_TRACE(freshen ? "freshen" : "only newer");
        InstalledFolder folder;  // its file is from now, newer than the member
        UnzipCall call(path, folder.path());
        (freshen ? call.options.nfflag : call.options.ExtractOnlyNewer) = 1;
        EXPECT_EQ(unzipper_.Run(call).code, kUnzipOk);
        EXPECT_EQ(ReadBytes(folder.file("app.dll")), InstalledFolder::kInstalledBytes);
        EXPECT_EQ(PathExists(folder.file("other.dll")), !freshen);

        // Exactly the member's time is not older either.
        auto installed = std::filesystem::path(folder.file("app.dll"));
        std::filesystem::last_write_time(
            installed, std::chrono::file_clock::from_sys(
                           std::chrono::sys_seconds(std::chrono::seconds(1700000000))));
        EXPECT_EQ(unzipper_.Run(call).code, kUnzipOk);
        EXPECT_EQ(ReadBytes(folder.file("app.dll")), InstalledFolder::kInstalledBytes);

        std::filesystem::last_write_time(installed, std::filesystem::last_write_time(installed) -
                                                        std::chrono::hours(24 * 365 * 10));
        EXPECT_EQ(unzipper_.Run(call).code, kUnzipOk);
        EXPECT_EQ(ReadBytes(folder.file("app.dll")), "new");
    }
}

TEST_F(Extraction, FoldersAreKeptWhenAskedAndStayInsideTheFolder) {
    ZipArchive archive;
    archive.members = {{.name = "bin/x64/app.dll", .data = "deep"},
                       {.name = "/abs/./root.txt", .data = "root"},
                       {.name = "empty/"},
                       {.name = "up/../../x.txt", .data = "escape"}};
    TempDir folder;
    UnzipCall call(Archive(archive), folder.str());
    call.options.ndflag = 1;
    EXPECT_EQ(unzipper_.Run(call).code, kUnzipWarning);
    EXPECT_EQ(ReadBytes(folder.file("bin/x64/app.dll")), "deep");
    EXPECT_EQ(ReadBytes(folder.file("abs/root.txt")), "root");
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "empty"));
    EXPECT_FALSE(PathExists(folder.file("up")));
    EXPECT_FALSE(PathExists((folder.path().parent_path() / "x.txt").string()));
}

TEST_F(Extraction, SpacesBecomeUnderscoresWhenAsked) {
    ZipArchive archive;
    archive.members = {{.name = "my file.txt", .data = "x"}};
    UnzipCall call(Archive(archive), installed_.path());
    call.options.SpaceToUnderscore = 1;
    EXPECT_EQ(unzipper_.Run(call).code, kUnzipOk);
    EXPECT_EQ(ReadBytes(installed_.file("my_file.txt")), "x");
}

TEST_F(Extraction, TextMembersGetThePlatformsLineEndsWhenAsked) {
    ZipArchive archive;
    archive.members = {{.name = "a.txt", .data = "one\ntwo\r\nthree\rfour\n"},
                       {.name = "b.bin", .data = "one\ntwo\r\n"}};
    archive.members[0].internalAttributes = 1;  // text
    UnzipCall call(Archive(archive), installed_.path());
    call.options.naflag = 1;
    EXPECT_EQ(unzipper_.Run(call).code, kUnzipOk);
    std::string end = kPathSep == '\\' ? "\r\n" : "\n";
    EXPECT_EQ(ReadBytes(installed_.file("a.txt")), "one" + end + "two" + end + "three\rfour" + end);
    EXPECT_EQ(ReadBytes(installed_.file("b.bin")), "one\ntwo\r\n");
}

TEST_F(Extraction, ListTestPrintAndCommentModesWriteNothing) {
    ZipArchive archive;
    archive.members = {{.name = "dir/app.dll", .data = Text("l", 40)},
                       {.name = "b.txt", .data = "bee"}};
    archive.comment = "release notes";
    std::string path = Archive(archive);
    auto run = [&](std::int32_t DCL::*flag, CallbackLog& log) {
        TempDir folder;
        UnzipCall call(path, folder.str());
        call.options.*flag = 1;
        UnzipOutcome outcome = unzipper_.Run(call, log);
        EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
        return outcome;
    };
    CallbackLog list, detailed, test, print, comment;
    EXPECT_EQ(run(&DCL::nvflag, list).code, kUnzipOk);
    EXPECT_EQ(list.listedNames, (std::vector<std::string>{"dir/app.dll", "b.txt"}));
    EXPECT_NE(list.AllPrinted().find("dir/app.dll"), std::string::npos);
    EXPECT_EQ(run(&DCL::nZIflag, detailed).code, kUnzipOk);
    EXPECT_NE(detailed.AllPrinted().find("Defl:N"), std::string::npos);
    EXPECT_EQ(run(&DCL::ntflag, test).code, kUnzipOk);
    EXPECT_NE(test.AllPrinted().find("b.txt   OK"), std::string::npos);
    EXPECT_EQ(run(&DCL::ncflag, print).code, kUnzipOk);
    EXPECT_NE(print.AllPrinted().find(Text("l", 40) + "bee"), std::string::npos);
    EXPECT_EQ(run(&DCL::nzflag, comment).code, kUnzipOk);
    EXPECT_NE(comment.AllPrinted().find("release notes"), std::string::npos);
    EXPECT_TRUE(comment.listedNames.empty());
}

TEST_F(Extraction, IncludeAndExcludeListsTakeWildcards) {
    ZipArchive archive;
    archive.members = {{.name = "bin/App.dll", .data = "1"},
                       {.name = "bin/app.exe", .data = "2"},
                       {.name = "doc/readme.txt", .data = "3"},
                       {.name = "doc/a1.txt", .data = "4"}};
    std::string path = Archive(archive);
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
        EXPECT_EQ(unzipper_.Run(call).code, c.code);
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, c.expected) << (c.includes.empty() ? "" : c.includes[0]);
    }
}

}  // namespace
}  // namespace kvu::test
