// Damaged, hostile and unusable archives: the result code says so, and the
// installed file stays byte for byte as it was, with nothing left beside it.
#include <gtest/gtest.h>

#include "tests/unzip32/unzip_harness.h"

namespace kvu::test {
namespace {

std::string Payload(std::size_t size) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<char>("installer payload "[i % 18] ^ (i / 997));
    return data;
}

ZipArchive Update(std::string data = Payload(200000)) {
    ZipArchive archive;
    archive.members = {{.name = "bin/app.dll", .data = std::move(data)}};
    return archive;
}

class Damage : public ::testing::Test {
  protected:
    UnzipOutcome Unzip(const std::string& bytes, CallbackLog& log) {
        std::string path = work_.file("update.zip");
        WriteBytes(path, bytes);
        return unzipper_.Run(UnzipCall(path, installed_.path()), log);
    }
    std::int32_t Unzip(const std::string& bytes) {
        CallbackLog log;
        return Unzip(bytes, log).code;
    }

    TempDir work_;
    InstalledFolder installed_;
    Unzipper unzipper_;
};

TEST_F(Damage, AnHtmlPageIsNotAnArchive) {
    CallbackLog log;
    EXPECT_EQ(Unzip("<html><body>404 Not Found</body></html>\n", log).code, kUnzipNotArchive);
    EXPECT_FALSE(log.prints.empty());
    installed_.ExpectUntouched();
}

TEST_F(Damage, AMissingArchiveIsReportedAsNotFound) {
    EXPECT_EQ(unzipper_.Run(UnzipCall(work_.file("missing.zip"), installed_.path())).code,
              kUnzipNotArchive);
    installed_.ExpectUntouched();
}

TEST_F(Damage, ATruncatedArchiveWritesNothing) {
    std::string whole = BuildZip(Update());
    for (std::size_t keep :
         {whole.size() - 1, whole.size() - 30, whole.size() / 2, std::size_t{3}}) {
        SCOPED_TRACE(keep);
        EXPECT_EQ(Unzip(whole.substr(0, keep)), kUnzipNotArchive);
        installed_.ExpectUntouched();
    }
}

TEST_F(Damage, DataCutOutOfTheMiddleIsADamagedArchive) {
    // The records are whole, but part of the member's data is gone.
    ZipArchive archive = Update();
    std::string whole = BuildZip(archive);
    std::size_t dataStart = 30 + archive.members[0].name.size();
    std::string cut = whole.substr(0, dataStart + 100) + whole.substr(whole.find("PK\x01\x02"));
    EXPECT_EQ(Unzip(cut), kUnzipBadArchive);
    installed_.ExpectUntouched();
}

TEST_F(Damage, CrcAndSizeErrorsKeepTheInstalledFile) {
    struct Case {
        const char* what;
        ZipMember member;
    };
    std::string data = Payload(100000);
    const Case cases[] = {
        {"wrong CRC", {.name = "app.dll", .data = data, .crc = 0x12345678}},
        {"wrong CRC, stored", {.name = "app.dll", .data = data, .method = 0, .crc = 1}},
        {"smaller than declared", {.name = "app.dll", .data = data, .declaredSize = 100001}},
        {"stored, smaller than declared",
         {.name = "app.dll", .data = data, .method = 0, .declaredSize = 100001}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ZipArchive archive;
        archive.members = {c.member};
        CallbackLog log;
        EXPECT_EQ(Unzip(BuildZip(archive), log).code, kUnzipError);
        EXPECT_NE(log.AllPrinted().find("app.dll"), std::string::npos);
        installed_.ExpectUntouched();
    }
}

TEST_F(Damage, DamagedCompressedDataKeepsTheInstalledFile) {
    std::string bytes = BuildZip(Update());
    for (std::size_t i = 200; i < 260; ++i)
        bytes[i] = static_cast<char>(~bytes[i]);
    EXPECT_EQ(Unzip(bytes), kUnzipError);
    installed_.ExpectUntouched();
}

TEST_F(Damage, AMemberLargerThanDeclaredIsCutAndRefused) {
    // 50 MB of zeros compressed to about 50 KB, declaring 1000 bytes.
    ZipArchive archive;
    archive.members = {
        {.name = "app.dll", .data = std::string(50'000'000, '\0'), .declaredSize = 1000}};
    CallbackLog log;
    EXPECT_EQ(Unzip(BuildZip(archive, 9), log).code, kUnzipError);
    EXPECT_NE(log.AllPrinted().find("larger than"), std::string::npos);
    installed_.ExpectUntouched();
}

TEST_F(Damage, OneStreamListedManyTimesIsRefusedAsABomb) {
    ZipArchive archive;
    std::string data = std::string(1'000'000, 'A');
    for (int i = 0; i < 20; ++i)
        archive.members.push_back(
            {.name = "f" + std::to_string(i), .data = data, .localOffset = 0});
    archive.members[0].name = "app.dll";
    EXPECT_EQ(Unzip(BuildZip(archive)), kUnzipBadArchive);
    installed_.ExpectUntouched();
}

// A member's local record hidden in another's extra field: the two would read
// the same bytes.
TEST_F(Damage, AMemberInsideAnothersLocalRecordIsRefused) {
    ZipArchive inner;
    inner.members = {{.name = "b.dll", .data = "hidden", .method = 0}};
    const std::string innerBytes = BuildZip(inner);
    const std::string record = innerBytes.substr(0, innerBytes.find("PK\x01\x02"));
    std::string extra =
        std::string("\xCA\xFE", 2) + char(record.size() & 0xFF) + char(record.size() >> 8) + record;
    ZipArchive archive;
    archive.members = {{.name = "a.dll", .data = "A", .method = 0, .localExtra = extra},
                       {.name = "b.dll", .data = "hidden", .method = 0, .localOffset = 30 + 5 + 4}};
    EXPECT_EQ(Unzip(BuildZip(archive)), kUnzipBadArchive);
    installed_.ExpectUntouched();
}

TEST_F(Damage, DeclaredSizesBeyondTheArchiveAreNotTrusted) {
    ZipArchive archive;
    archive.members = {{.name = "app.dll", .data = "tiny", .method = 0, .zip64 = true}};
    archive.zip64End = true;
    std::string bytes = BuildZip(archive);
    // The ZIP64 field of the central entry: uncompressed, then compressed size.
    std::size_t field = bytes.find(std::string("\x01\x00\x18\x00", 4), bytes.find("PK\x01\x02"));
    ASSERT_NE(field, std::string::npos);
    for (int i = 0; i < 8; ++i)
        bytes[field + 12 + i] = '\x7F';
    EXPECT_EQ(Unzip(bytes), kUnzipBadArchive);
    installed_.ExpectUntouched();
}

TEST_F(Damage, UnsupportedMethodsAreSkipped) {
    ZipArchive archive;
    archive.members = {{.name = "app.dll", .data = "x", .method = 14}};  // LZMA
    EXPECT_EQ(Unzip(BuildZip(archive)), kUnzipUnsupported);
    installed_.ExpectUntouched();
    archive.members.push_back({.name = "readme.txt", .data = "fine"});
    EXPECT_EQ(Unzip(BuildZip(archive)), kUnzipWarning);
    EXPECT_EQ(ReadBytes(installed_.file("app.dll")), InstalledFolder::kInstalledBytes);
    EXPECT_EQ(ReadBytes(installed_.file("readme.txt")), "fine");
}

TEST_F(Damage, AnEmptyArchiveIsAWarning) {
    EXPECT_EQ(Unzip(BuildZip(ZipArchive{})), kUnzipWarning);
    installed_.ExpectUntouched();
}

TEST_F(Damage, AFolderInTheWayIsNotReplaced) {
    std::filesystem::create_directory(installed_.file("sub"));
    WriteBytes(installed_.file("sub/inner.txt"), "inner");
    ZipArchive archive;
    archive.members = {{.name = "sub", .data = "a file now"}};
    EXPECT_EQ(Unzip(BuildZip(archive)), kUnzipDiskFull);
    EXPECT_EQ(ReadBytes(installed_.file("sub/inner.txt")), "inner");
}

TEST_F(Damage, TheCallerCanStopTheRun) {
    ZipArchive archive;
    archive.members = {{.name = "a", .data = "1"}, {.name = "app.dll", .data = "2"}};
    CallbackLog log;
    log.serviceAnswer = 1;
    EXPECT_EQ(Unzip(BuildZip(archive), log).code, kUnzipInterrupted);
    EXPECT_EQ(log.servicedNames, std::vector<std::string>{"a"});
    EXPECT_EQ(ReadBytes(installed_.file("app.dll")), InstalledFolder::kInstalledBytes);
}

TEST_F(Damage, BadOptionsAreRefused) {
    DCL options{};
    USERFUNCTIONS functions{};
    EXPECT_EQ(unzipper_.library().SingleEntryUnzip(0, nullptr, 0, nullptr, options, functions),
              kUnzipBadParameter);
}

// Hostile names never lead outside the folder: flat, only the last part is
// used, and it is refused when it could not be a plain file name.
TEST(HostileNames, NothingIsWrittenOutsideTheFolderOrUnderAnUnsafeName) {
    struct Case {
        std::string name;
        std::string written;  // empty: refused
    };
    const Case cases[] = {
        {"../x", "x"},
        {"..\\x", "x"},
        {"../../../../../../tmp/x", "x"},
        {"/etc/x", "x"},
        {"\\\\server\\share\\x", "x"},
        {"C:\\Windows\\x", "x"},
        {"C:x", ""},
        {"a:stream", ""},
        {"x::$DATA", ""},
        {"..", ""},
        {"dir/..", ""},
        {".", ""},
        {"dir/", ""},
        {"", ""},
        {"bad\x01name", ""},
        {"tab\tname", ""},
        {"x.", ""},
        {"x ", ""},
        {"CON", ""},
        {"nul.txt", ""},
        {"com1", ""},
        {"LPT9.log", ""},
        {"COM\u00B9", ""},
        {"lpt\u00B3.txt", ""},
        {"COM\u2079.log", ""},
        {"a?b", ""},
        {"a*b", ""},
        {"a<b>", ""},
        {"a|b", ""},
        {"q\"q", ""},
        {"console.txt", "console.txt"},
        {"..x", "..x"},
    };
    Unzipper unzipper;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The archive beside the installation folder, both inside one folder.
        TempDir outer;
        std::filesystem::path install = outer.path() / "install";
        std::filesystem::create_directory(install);
        WriteBytes((install / "app.dll").string(), "installed");
        ZipArchive archive;
        archive.members = {{.name = c.name, .data = "hostile", .flags = 0x0800}};
        WriteBytes(outer.file("h.zip"), BuildZip(archive));
        UnzipOutcome outcome = unzipper.Run(UnzipCall(outer.file("h.zip"), install.string()));
        std::vector<std::string> expected = {"app.dll"};
        if (c.written.empty()) {
            EXPECT_EQ(outcome.code, c.name.ends_with("/") ? kUnzipOk : kUnzipWarning);
        } else {
            EXPECT_EQ(outcome.code, kUnzipOk);
            EXPECT_EQ(ReadBytes((install / c.written).string()), "hostile");
            expected.push_back(c.written);
        }
        EXPECT_EQ(ReadBytes((install / "app.dll").string()), "installed");
        std::vector<std::string> names, outside;
        for (const auto& entry : std::filesystem::directory_iterator(install))
            names.push_back(entry.path().filename().string());
        for (const auto& entry : std::filesystem::directory_iterator(outer.path()))
            outside.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        std::sort(outside.begin(), outside.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(names, expected);
        EXPECT_EQ(outside, (std::vector<std::string>{"h.zip", "install"}));
    }
}

TEST(HostileNames, InvalidUtf8NamesAreRefused) {
    Unzipper unzipper;
    InstalledFolder installed;
    TempDir work;
    ZipArchive archive;
    archive.members = {{.name = "bad\xC0\xAF.txt", .data = "x", .flags = 0x0800},
                       {.name = "good.txt", .data = "y", .flags = 0x0800}};
    WriteBytes(work.file("u.zip"), BuildZip(archive));
    EXPECT_EQ(unzipper.Run(UnzipCall(work.file("u.zip"), installed.path())).code, kUnzipWarning);
    EXPECT_EQ(installed.Names(), (std::vector<std::string>{"app.dll", "good.txt"}));
}

}  // namespace
}  // namespace kvu::test
