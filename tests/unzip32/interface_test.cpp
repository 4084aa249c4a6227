// The library's interface as the program sees it: loading, the version
// record, the totals, and the order of the callbacks.
#include <gtest/gtest.h>

#include <zlib.h>

#include "tests/unzip32/unzip_harness.h"

#undef zlib_version  // zlib.h's macro, not the record's field

namespace kvu::test {
namespace {

TEST(Loading, FailuresRaiseTheErrorWithItsNumber) {
    TempDir dir;
    WriteBytes(dir.file("unzip32.dll"), "<html>not a library</html>");
    struct Case {
        std::string path;
        long number;
        std::string text;
    };
    const Case cases[] = {
        {dir.file("missing.dll"), kErrorFileNotFound, "missing.dll"},
        {dir.file("unzip32.dll"), kErrorLibraryLoad, "unzip32.dll"},
        {BesideTest(KVU_NO_ENTRY_LIBRARY), kErrorEntryPoint, "UzpVersion2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        try {
            ExtractionLibrary library(c.path);
            ADD_FAILURE() << "loaded";
        } catch (const ExtractionLibraryError& e) {
            EXPECT_EQ(e.error().number, c.number);
            EXPECT_NE(e.error().description.find(c.text), std::string::npos) << e.what();
        }
    }
}

TEST(Version, TheRecordIsFilledLikeTheProgramReadsIt) {
    Unzipper unzipper;
    UzpVer2 version{};
    version.structlen = sizeof version;
    std::memset(version.date, ' ', sizeof version.date - 1);
    unzipper.library().Version(version);
    EXPECT_EQ(version.flag & 2u, 2u);  // zlib inside
    EXPECT_STREQ(version.zlib_version, zlibVersion());
    EXPECT_NE(std::string(version.date).find_first_not_of(' '), std::string::npos);
    EXPECT_EQ(version.windll.major, KVU_VERSION_MAJOR);
    EXPECT_EQ(version.windll.minor, KVU_VERSION_MINOR);
    EXPECT_EQ(version.zipinfo.patchlevel, KVU_VERSION_PATCH);

    UzpVer2 tooSmall{};
    tooSmall.structlen = 40;
    unzipper.library().Version(tooSmall);
    EXPECT_EQ(tooSmall.date[0], '\0');
}

TEST(Totals, DescribeTheSelectedMembersAndTheComment) {
    TempDir dir;
    ZipArchive archive;
    std::string text(40000, 'a');
    archive.members = {{.name = "a.txt", .data = text},
                       {.name = "b.bin", .data = "12345", .method = 0},
                       {.name = "c/", .data = "", .method = 0}};
    archive.comment = "Lindora 1.5 update";
    WriteBytes(dir.file("t.zip"), BuildZip(archive));
    std::uint64_t compressed = zip_detail::Deflate(text).size() + 5;
    Unzipper unzipper;
    for (std::int32_t DCL::*mode : {&DCL::noflag, &DCL::nvflag, &DCL::ntflag}) {
        UnzipCall call(dir.file("t.zip"), dir.str());
        call.options.*mode = 1;
        UnzipOutcome outcome = unzipper.Run(call);
        EXPECT_EQ(outcome.code, kUnzipOk);
        EXPECT_EQ(outcome.functions.TotalSize, 40005u);
        EXPECT_EQ(outcome.functions.TotalSizeComp, compressed);
        EXPECT_EQ(outcome.functions.NumMembers, 3u);
        EXPECT_EQ(outcome.functions.CompFactor,
                  static_cast<std::uint32_t>((100 * (40005 - compressed) + 20002) / 40005));
        EXPECT_EQ(outcome.functions.cchComment, archive.comment.size());
    }
    UnzipCall some(dir.file("t.zip"), dir.str());
    some.includes = {"b.*"};
    UnzipOutcome outcome = unzipper.Run(some);
    EXPECT_EQ(outcome.functions.TotalSize, 5u);
    EXPECT_EQ(outcome.functions.NumMembers, 1u);
    EXPECT_EQ(outcome.functions.CompFactor, 0u);
}

TEST(Totals, AreClearedWhenTheFileIsNoArchive) {
    TempDir dir;
    WriteBytes(dir.file("page.zip"), "<html></html>");
    UnzipOutcome outcome = Unzipper().Run(UnzipCall(dir.file("page.zip"), dir.str()));
    EXPECT_EQ(outcome.code, kUnzipNotArchive);
    EXPECT_EQ(outcome.functions.TotalSize, 0u);
    EXPECT_EQ(outcome.functions.NumMembers, 0u);
    EXPECT_EQ(outcome.functions.cchComment, 0u);
}

TEST(CallbackOrder, MessagesMembersAndTheEnd) {
    TempDir dir;
    ZipArchive archive;
    archive.members = {{.name = "d/a.txt", .data = "aaa"}, {.name = "b.txt", .data = "bb"}};
    WriteBytes(dir.file("o.zip"), BuildZip(archive));
    Unzipper unzipper;
    CallbackLog extract;
    unzipper.Run(UnzipCall(dir.file("o.zip"), dir.str()), extract);
    EXPECT_EQ(extract.events,
              (std::vector<std::string>{"print", "print", "service", "print", "service", "sound"}));
    EXPECT_EQ(extract.servicedNames, (std::vector<std::string>{"d/a.txt", "b.txt"}));
    EXPECT_NE(extract.prints[1].find("d/a.txt"), std::string::npos);

    CallbackLog list;
    UnzipCall call(dir.file("o.zip"), dir.str());
    call.options.nvflag = 1;
    unzipper.Run(call, list);
    EXPECT_EQ(std::count(list.events.begin(), list.events.end(), "message"), 2);
    EXPECT_EQ(list.listedNames, (std::vector<std::string>{"d/a.txt", "b.txt"}));
    EXPECT_EQ(list.events.back(), "sound");

    CallbackLog encrypted;
    encrypted.passwords = {"Titok-2024"};
    TempDir out;
    unzipper.Run(
        UnzipCall(BesideTest("archives" + std::string(1, kPathSep) + "zip_mixed.zip"), out.str()),
        encrypted);
    // The plain member first, then the password before the encrypted one.
    EXPECT_EQ(encrypted.events, (std::vector<std::string>{"print", "print", "service", "password",
                                                          "print", "service", "sound"}));
}

TEST(Messages, QuietLevelsLeaveOutProgressThenEverything) {
    TempDir dir;
    ZipArchive archive;
    archive.members = {{.name = "a.txt", .data = "a"}, {.name = "..", .data = "x"}};
    WriteBytes(dir.file("q.zip"), BuildZip(archive));
    Unzipper unzipper;
    std::size_t counts[3];
    for (int quiet = 0; quiet < 3; ++quiet) {
        UnzipCall call(dir.file("q.zip"), dir.str());
        call.options.fQuiet = quiet;
        CallbackLog log;
        EXPECT_EQ(unzipper.Run(call, log).code, kUnzipWarning);
        counts[quiet] = log.prints.size();
    }
    EXPECT_GT(counts[0], counts[1]);
    EXPECT_EQ(counts[1], 1u);  // the unsafe name
    EXPECT_EQ(counts[2], 0u);
}

}  // namespace
}  // namespace kvu::test
