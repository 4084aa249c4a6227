// Damaged, hostile and unusable archives: the result code says so, and the
// installed file stays byte for byte as it was, with nothing left beside it.
#include <gtest/gtest.h>

#include <optional>

#include "tests/unzip32/unzip_harness.h"

namespace kvu::test {
namespace {

// A member's local record hidden in another's extra field: the two would read
// the same bytes.
std::string LocalRecordInsideAnother() {
    const std::string inner = ZipOf({{.name = "b.dll", .data = "hidden", .method = 0}});
    const std::string record = inner.substr(0, inner.find("PK\x01\x02"));
    std::string extra =
        std::string("\xCA\xFE", 2) + char(record.size() & 0xFF) + char(record.size() >> 8) + record;
    return ZipOf({{.name = "a.dll", .data = "A", .method = 0, .localExtra = extra},
                  {.name = "b.dll", .data = "hidden", .method = 0, .localOffset = 30 + 5 + 4}});
}

std::string Zip64SizesBeyondTheArchive() {
    std::string bytes =
        BuildZip({.members = {{.name = "app.dll", .data = "tiny", .method = 0, .zip64 = true}},
                  .zip64End = true});
    // The ZIP64 field of the central entry: uncompressed, then compressed size.
    std::size_t field = bytes.find(std::string("\x01\x00\x18\x00", 4), bytes.find("PK\x01\x02"));
    for (int i = 0; i < 8; ++i)
        bytes[field + 12 + i] = '\x7F';
    return bytes;
}

struct Damaged {
    const char* what;
    std::optional<std::string> bytes;  // none: no file at all
    std::int32_t code;
    const char* printed = "";
};

std::vector<Damaged> DamagedArchives() {
    const std::string whole = ZipOf({{.name = "bin/app.dll", .data = Text("payload", 10000)}});
    // The records are whole, but part of the member's data is gone.
    const std::string cutOut =
        whole.substr(0, 30 + 11 + 100) + whole.substr(whole.find("PK\x01\x02"));
    std::string flipped = whole;
    for (std::size_t i = 200; i < 260; ++i)
        flipped[i] = static_cast<char>(~flipped[i]);
    return {
        {"missing", std::nullopt, kUnzipNotArchive, "cannot find"},
        {"an HTML page", "<html><body>404 Not Found</body></html>\n", kUnzipNotArchive,
         "update.zip"},
        {"data cut out of the middle", cutOut, kUnzipBadArchive},
        {"damaged compressed data", flipped, kUnzipError},
        // 50 MB of zeros compressed to about 50 KB, declaring 1000 bytes.
        {"larger than declared",
         ZipOf({{.name = "app.dll", .data = std::string(50'000'000, '\0'), .declaredSize = 1000}}),
         kUnzipError, "larger than"},
        {"one stream listed many times",
         ZipOf(std::vector<ZipMember>(
             20, {.name = "app.dll", .data = std::string(1'000'000, 'A'), .localOffset = 0})),
         kUnzipBadArchive},
        {"a local record inside another's", LocalRecordInsideAnother(), kUnzipBadArchive},
        {"ZIP64 sizes beyond the archive", Zip64SizesBeyondTheArchive(), kUnzipBadArchive},
        {"unsupported method", ZipOf({{.name = "app.dll", .data = "x", .method = 14}}),
         kUnzipUnsupported},
        {"empty", ZipOf({}), kUnzipWarning},
        // Each deflated, then stored.
        {"wrong CRC",
         ZipOf({{.name = "app.dll", .data = "x", .crc = 1}, {.name = "b", .method = 0, .crc = 1}}),
         kUnzipError, "app.dll"},
        {"smaller than declared",
         ZipOf({{.name = "app.dll", .data = "x", .declaredSize = 2},
                {.name = "b", .method = 0, .declaredSize = 1}}),
         kUnzipError, "app.dll"},
        {"cut in its end record", whole.substr(0, whole.size() - 1), kUnzipNotArchive},
        {"shorter than an end record", whole.substr(0, 3), kUnzipNotArchive},
    };
}

TEST(Damage, TheCodeSaysWhatIsWrongAndTheInstalledFileStays) {
    for (const Damaged& c : DamagedArchives()) {
        SCOPED_TRACE(c.what);
        InstalledFolder installed;
        CallbackLog log;
        const UnzipCall missing(installed.file("update.zip"), installed.str());
        EXPECT_EQ(c.bytes ? ExtractBytes(*c.bytes, installed.str(), &log) : Extract(missing, &log),
                  c.code);
        EXPECT_NE(log.AllPrinted().find(c.printed), std::string::npos) << log.AllPrinted();
        installed.ExpectUntouched();
    }
}

TEST(Refusal, TheCallerCanStopTheRun) {
    InstalledFolder installed;
    CallbackLog log;
    log.serviceAnswer = 1;
    const std::string bytes =
        ZipOf({{.name = "d/a", .data = "1"}, {.name = "app.dll", .data = "2"}});
    EXPECT_EQ(ExtractBytes(bytes, installed.str(), &log), kUnzipInterrupted);
    EXPECT_EQ(log.Names("service"), std::vector<std::string>{"d/a"});
    EXPECT_EQ(ReadBytes(installed.file("app.dll")), InstalledFolder::kInstalledBytes);
}

TEST(Refusal, BadOptionsAreRefused) {
    DCL options{};
    USERFUNCTIONS functions{};
    EXPECT_EQ(Library().SingleEntryUnzip(0, nullptr, 0, nullptr, options, functions),
              kUnzipBadParameter);
}

// Hostile names never lead outside the folder: flat, only the last part is
// used, and it is refused when it could not be a plain file name.
TEST(HostileNames, NothingIsWrittenOutsideTheFolderOrUnderAnUnsafeName) {
    std::vector<std::pair<std::string, std::string>> cases;  // name, written (empty: refused)
    for (std::string name : {"../x", "..\\x", "/etc/x", "\\\\server\\share\\x", "C:\\Windows\\x"})
        cases.emplace_back(name, "x");
    for (std::string name : {"console.txt", "..x", "COM10"})
        cases.emplace_back(name, name);
    for (std::string name :
         {"C:x", "..",  ".",    "dir/",    "",         "bad\x01name",    "c1\xC2\x85",
          "x.",  "x ",  "CON",  "nul.txt", "LPT9.log", "COM\u00B9",      "COM\u2079.log",
          "a?b", "a*b", "a<b>", "a|b",     "q\"q",     "bad\xC0\xAF.txt"})
        cases.emplace_back(name, "");
    for (const auto& [name, written] : cases) {
        SCOPED_TRACE(name);
        // The installation folder inside one of its own, to see what lands beside it.
        TempDir outer;
        const std::filesystem::path install = outer.path() / "install";
        std::filesystem::create_directory(install);
        const std::int32_t code =
            ExtractBytes(ZipOf({{.name = name, .data = "h", .flags = 0x0800}}), install.string());
        EXPECT_EQ(code, written.empty() && !name.ends_with("/") ? kUnzipWarning : kUnzipOk);
        EXPECT_EQ(NamesIn(install),
                  written.empty() ? std::vector<std::string>{} : std::vector<std::string>{written});
        if (!written.empty()) {
            EXPECT_EQ(ReadBytes((install / written).string()), "h");
        }
        EXPECT_EQ(outer.Names(), std::vector<std::string>{"install"});
    }
}

}  // namespace
}  // namespace kvu::test
