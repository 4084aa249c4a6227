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
    const std::tuple<std::string, long, std::string> cases[] = {
        {dir.file("unzip32.dll"), kErrorLibraryLoad, "unzip32.dll"},
        {BesideTest(KVU_NO_ENTRY_LIBRARY), kErrorEntryPoint, "UzpVersion2"}};
    for (const auto& [path, number, text] : cases) {
        try {
            ExtractionLibrary library(path);
            ADD_FAILURE() << path << " loaded";
        } catch (const ExtractionLibraryError& e) {
            EXPECT_EQ(e.error().number, number);
            EXPECT_NE(e.error().description.find(text), std::string::npos) << e.what();
        }
    }
}

TEST(Version, TheRecordIsFilledLikeTheProgramReadsIt) {
    UzpVer2 version{};
    version.structlen = sizeof version;
    Library().Version(version);
    EXPECT_EQ(version.flag & 2u, 2u);  // zlib inside
    EXPECT_STREQ(version.zlib_version, zlibVersion());
    EXPECT_NE(version.date[0], '\0');
    EXPECT_EQ(version.windll.major, KVU_VERSION_MAJOR);
    EXPECT_EQ(version.windll.minor, KVU_VERSION_MINOR);
    EXPECT_EQ(version.zipinfo.patchlevel, KVU_VERSION_PATCH);

    UzpVer2 tooSmall{};
    tooSmall.structlen = 40;
    Library().Version(tooSmall);
    EXPECT_EQ(tooSmall.date[0], '\0');
}

TEST(Totals, DescribeTheSelectedMembersAndTheComment) {
    TempDir dir;
    const std::string text(40000, 'a');
    const ZipArchive archive = {.members = {{.name = "a.txt", .data = text},
                                            {.name = "b.bin", .data = "12345", .method = 0},
                                            {.name = "c/", .data = "", .method = 0}},
                                .comment = "Lindora 1.5 update"};
    WriteBytes(dir.file("t.zip"), BuildZip(archive));
    WriteBytes(dir.file("page.zip"), "<html></html>");
    const std::uint64_t compressed = zip_detail::Deflate(text).size() + 5;
    const std::uint32_t factor = (100 * (40005 - compressed) + 20002) / 40005;
    struct Case {
        const char* archive;
        std::vector<std::string> includes;
        std::uint64_t size, packed, members, factor, comment;
    };
    const Case cases[] = {{"t.zip", {}, 40005, compressed, 3, factor, archive.comment.size()},
                          {"t.zip", {"b.*"}, 5, 5, 1, 0, archive.comment.size()},
                          {"page.zip", {}, 0, 0, 0, 0, 0}};
    for (const Case& c : cases) {
        UnzipCall call(dir.file(c.archive), dir.str());
        call.includes = c.includes;
        CallbackLog log;
        Extract(call, &log);
        const USERFUNCTIONS& totals = log.functions;
        EXPECT_EQ(
            (std::vector<std::uint64_t>{totals.TotalSize, totals.TotalSizeComp, totals.NumMembers,
                                        totals.CompFactor, totals.cchComment}),
            (std::vector<std::uint64_t>{c.size, c.packed, c.members, c.factor, c.comment}))
            << c.archive;
    }
}

// The plain member first, then the password before the encrypted one.
TEST(CallbackOrder, MessagesMembersPasswordsAndTheEnd) {
    TempDir dir;
    CallbackLog log;
    log.passwords = {"Titok-2024"};
    Extract(UnzipCall(Prepared("zip_mixed.zip"), dir.str()), &log);
    EXPECT_EQ(log.Names(), (std::vector<std::string>{"print", "print", "service", "password",
                                                     "print", "service", "sound"}));
    EXPECT_NE(log.calls[1].second.find("readme.txt"), std::string::npos);
    EXPECT_EQ(log.Names("service"), (std::vector<std::string>{"readme.txt", "app.dll"}));
}

TEST(Messages, QuietLevelsLeaveOutProgressThenEverything) {
    TempDir dir;
    WriteBytes(dir.file("q.zip"),
               ZipOf({{.name = "a.txt", .data = "a"}, {.name = "..", .data = "x"}}));
    std::vector<std::size_t> counts;
    for (int quiet = 0; quiet < 3; ++quiet) {
        UnzipCall call(dir.file("q.zip"), dir.str());
        call.options.fQuiet = quiet;
        CallbackLog log;
        EXPECT_EQ(Extract(call, &log), kUnzipWarning);
        counts.push_back(log.Names("print").size());
    }
    EXPECT_GT(counts[0], 1u);
    EXPECT_EQ(counts[1], 1u);  // the unsafe name
    EXPECT_EQ(counts[2], 0u);
}

}  // namespace
}  // namespace kvu::test
