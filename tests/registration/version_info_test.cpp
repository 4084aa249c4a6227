// The version reader on real images: natively through our own PE reader,
// under Windows through the system's version functions, with the same
// expectations.
#include "registration/version_info.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/paths.h"
#include "registration/file_info_log.h"
#include "test_images.h"
#include "tests/support/pe_builder.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

std::string LongValue(std::size_t length) {
    std::string text;
    for (int i = 0; text.size() < 300; i += 4)
        text += (i < 10 ? "00" : i < 100 ? "0" : "") + std::to_string(i) + "-";
    return text.substr(0, length);
}

VersionRecord Read(const std::string& path) {
    FileVersionInfo reader("");
    reader.SetVersionFile(path);
    reader.ReadVersionInfo();
    return reader.Record();
}

struct Expected {
    const char* image;
    VersionRecord record;
};

std::vector<Expected> ExpectedImages() {
    return {
        {"full.dll",
         {"", "1.0", "5.1.2600.5512", "5.1.2600.65535", "Debug Private ", "NT-Win32", "DLL", "",
          "Árvíztűrő Kft.", "Tükörfúrógép könyvtár", "full", "© 2024 Árvíztűrő Kft.", "full.dll",
          "Lindora Próba"}},
        // Only the first translation counts; its copyright exists only under the second.
        {"translations.dll",
         {"", "1.0", "2.0.0.1", "2.0.0.0", "", "NT-Win32", "DLL", "", "English Ltd.",
          "Two translations", "translations", "", "translations.dll", "Lindora Test"}},
        {"nocopyright.exe",
         {"", "1.0", "1.0.0.0", "1.0.0.0", "", "", "App", "", "No Copyright Inc.", "A program",
          "nocopyright", "", "nocopyright.exe", "Lindora"}},
        {"edge.exe",
         {"", "1.0", "65535.65535.65535.65535", "1.2.3.4",
          "Debug PreRel Patched Private Info Special ", "Unknown", "Driver", "System drv",
          "Before|After", "Edge cases", "", "", "", LongValue(255)}},
        {"font.dll",
         {"", "1.0", "3.10.0.7", "3.10.0.7", "PreRel Special ", "DOS-Win16", "Font",
          "TrueType Font", "Font Foundry", "", "", "", "", "Lindora Fonts"}},
        // Without a translation table the string values cannot be found.
        {"notranslation.dll",
         {"", "1.0", "7.0.0.3", "7.0.0.0", "Patched ", "NT-Win32", "Lib", "", "", "", "", "", "",
          ""}},
        {"noversion.dll", {}},
        {"bare.exe", {}},
    };
}

void ExpectRecord(const VersionRecord& actual, const VersionRecord& expected,
                  const std::string& what) {
    EXPECT_EQ(actual.StrucVersion, expected.StrucVersion) << what;
    EXPECT_EQ(actual.VersionText, expected.VersionText) << what;
    EXPECT_EQ(actual.ProductVersion, expected.ProductVersion) << what;
    EXPECT_EQ(actual.FileFlags, expected.FileFlags) << what;
    EXPECT_EQ(actual.FileOS, expected.FileOS) << what;
    EXPECT_EQ(actual.TypeText, expected.TypeText) << what;
    EXPECT_EQ(actual.FileSubType, expected.FileSubType) << what;
    EXPECT_EQ(actual.CompanyName, expected.CompanyName) << what;
    EXPECT_EQ(actual.FileDescription, expected.FileDescription) << what;
    EXPECT_EQ(actual.InternalName, expected.InternalName) << what;
    EXPECT_EQ(actual.LegalCopyright, expected.LegalCopyright) << what;
    EXPECT_EQ(actual.OriginalFileName, expected.OriginalFileName) << what;
    EXPECT_EQ(actual.ProductName, expected.ProductName) << what;
}

TEST(VersionInfo, RecordsOfTheTestImages) {
    for (const Expected& e : ExpectedImages()) {
        const std::string path = test::TestImage(e.image);
        VersionRecord record = Read(path);
        EXPECT_EQ(record.VersionFile, path);
        ExpectRecord(record, e.record, e.image);
    }
}

// The system's version functions read 16-bit executables too (gdi.exe,
// krnl386.exe and user.exe of the system folders).
TEST(VersionInfo, SixteenBitExecutables) {
    test::TempDir dir;
    const test::FixedInfo fixed{0x00030000, 0x000A0001, 0x00030000, 0x000A0000, 0, 0x10001, 2, 0};
    const test::VersionNode tree = test::StandardVersion(
        fixed, u"040904E4", {{u"CompanyName", u"Old Maker"}, {u"ProductName", u"Old Product"}},
        {{0x0409, 0x04E4}});
    test::WriteBytes(dir.file("gdi.exe"), test::BuildNeImage(test::SerializeSixteenBit(tree)));
    VersionRecord expected{"", "1.0",       "3.0.10.1", "3.0.10.0", "", "DOS-Win16", "DLL",
                           "", "Old Maker", "",         "",         "", "",          "Old Product"};
    ExpectRecord(Read(dir.file("gdi.exe")), expected, "gdi.exe");
}

TEST(VersionInfo, AccessorsGiveTheLastReadOnly) {
    test::TempDir app;
    FileVersionInfo reader(app.str());
    EXPECT_EQ(reader.GetFileVersion(test::TestImage("full.dll")), "5.1.2600.5512");
    EXPECT_EQ(reader.GetProductName(), "Lindora Próba");
    EXPECT_EQ(reader.GetCompanyName(), "Árvíztűrő Kft.");
    EXPECT_EQ(reader.GetFileDescription(), "Tükörfúrógép könyvtár");
    EXPECT_EQ(reader.GetLegalCopyright(), "© 2024 Árvíztűrő Kft.");

    EXPECT_EQ(reader.GetFileVersion(test::TestImage("nocopyright.exe")), "1.0.0.0");
    EXPECT_EQ(reader.GetProductName(), "Lindora");
    EXPECT_EQ(reader.GetLegalCopyright(), "");

    // No version resource: nothing of the file read before shows through.
    EXPECT_EQ(reader.GetFileVersion(test::TestImage("noversion.dll")), "");
    EXPECT_EQ(reader.GetProductName(), "");
    EXPECT_EQ(reader.GetCompanyName(), "");
    EXPECT_EQ(reader.GetFileDescription(), "");
    EXPECT_EQ(reader.GetLegalCopyright(), "");
    EXPECT_EQ(reader.Record().StrucVersion, "");
    EXPECT_FALSE(PathExists(FileInfoLogPath(app.str())));
}

TEST(VersionInfo, TheFileVersionAloneLeavesTheRecordAsItWas) {
    FileVersionInfo reader("");
    EXPECT_EQ(reader.GetFileVersion(test::TestImage("font.dll")), "3.10.0.7");
    for (const Expected& e : ExpectedImages())
        EXPECT_EQ(reader.ReadFileVersionOnly(test::TestImage(e.image)), e.record.VersionText)
            << e.image;
    EXPECT_EQ(reader.Record().VersionFile, test::TestImage("font.dll"));
    EXPECT_EQ(reader.GetProductName(), "Lindora Fonts");
}

TEST(VersionInfo, MissingOrForeignFilesGiveAnEmptyRecordAndNoLogLine) {
    test::TempDir app;
    test::WriteBytes(app.file("text.dll"), "MZ but nothing else");
    test::WriteBytes(app.file("empty.dll"), "");
    FileVersionInfo reader(app.str());
    for (const std::string& path :
         {app.file("missing.dll"), app.file("text.dll"), app.file("empty.dll"), app.str()}) {
        EXPECT_EQ(reader.GetFileVersion(path), "") << path;
        ExpectRecord(reader.Record(), {}, path);
    }
    EXPECT_FALSE(PathExists(FileInfoLogPath(app.str())));
}

TEST(VersionInfo, AnEmbeddedNulCutsTheValue) {
    test::TempDir dir;
    std::string bytes = test::ReadBytes(test::TestImage("edge.exe"));
    const std::string marked = test::Utf16Bytes(u"Before|After");
    const std::size_t at = bytes.find(marked.substr(0, marked.size() - 2));
    ASSERT_NE(at, std::string::npos);
    bytes[at + 12] = '\0';  // the "|"
    test::WriteBytes(dir.file("embedded.exe"), bytes);
    VersionRecord record = Read(dir.file("embedded.exe"));
    EXPECT_EQ(record.CompanyName, "Before");
    EXPECT_EQ(record.FileDescription, "Edge cases");
}

TEST(VersionInfo, HandMadeImages) {
    test::TempDir dir;
    const test::FixedInfo fixed{0x00020003, 0x00040005, 0x00010000, 0, 0, 0x40004, 2, 0};
    const std::vector<test::StringValue> texts = {{u"CompanyName", u"Maker"},
                                                  {u"ProductName", u"Product"}};
    test::VersionNode noFixedBlock =
        test::StandardVersion(fixed, u"040904B0", texts, {{0x0409, 0x04B0}});
    noFixedBlock.value.clear();  // declares no fixed block
    test::VersionNode shortValue = test::StandardVersion(
        fixed, u"040904B0", {{u"CompanyName", u"Cut here"}}, {{0x0409, 0x04B0}});
    shortValue.children[0].children[0].children[0].valueLength = 3;  // "Cut"
    struct Case {
        const char* name;
        std::string image;
        const char* version;
        const char* company;
    };
    const std::string standard =
        test::Serialize(test::StandardVersion(fixed, u"040904B0", texts, {{0x0409, 0x04B0}}));
    test::PeOptions pe32;
    pe32.pe32Plus = false;
    test::PeOptions dataSection;
    dataSection.resourceSectionName = ".data";
    const std::vector<Case> cases = {
        {"pe32plus.dll", test::BuildPeImage({{16, 1, 0x0409, standard}}), "2.3.4.5", "Maker"},
        {"pe32.dll", test::BuildPeImage({{16, 1, 0x0409, standard}}, pe32), "2.3.4.5", "Maker"},
        {"data.dll", test::BuildPeImage({{16, 1, 0x0409, standard}}, dataSection), "2.3.4.5",
         "Maker"},
        {"nofixed.dll", test::BuildPeImage({{16, 1, 0x0409, test::Serialize(noFixedBlock)}}), "",
         "Maker"},
        {"short.dll", test::BuildPeImage({{16, 1, 0x0409, test::Serialize(shortValue)}}), "2.3.4.5",
         "Cut"},
        // Another resource name than 1 is not the version resource.
        {"name2.dll", test::BuildPeImage({{16, 2, 0x0409, standard}}), "", ""},
        {"icons.dll",
         test::BuildPeImage(
             {{3, 1, 0x0409, "icon"}, {16, 1, 0x0409, standard}, {24, 1, 0x0409, "manifest"}}),
         "2.3.4.5", "Maker"},
    };
    for (const Case& c : cases) {
        test::WriteBytes(dir.file(c.name), c.image);
        VersionRecord record = Read(dir.file(c.name));
        EXPECT_EQ(record.VersionText, c.version) << c.name;
        EXPECT_EQ(record.CompanyName, c.company) << c.name;
    }
}

TEST(VersionInfo, TheLanguagesAResourceComesIn) {
    test::TempDir dir;
    auto version = [](std::uint32_t ls) {
        return test::Serialize(
            test::StandardVersion({0x00010000, ls}, u"040904B0", {}, {{0x0409, 0x04B0}}));
    };
    struct Case {
        const char* name;
        std::vector<test::PeResource> resources;
        const char* version;
    };
    // Neutral first, then US English, else the first in the directory.
    const std::vector<Case> cases = {
        {"neutral.dll", {{16, 1, 0x0409, version(1)}, {16, 1, 0x0000, version(2)}}, "1.0.0.2"},
        {"english.dll", {{16, 1, 0x0407, version(1)}, {16, 1, 0x0409, version(2)}}, "1.0.0.2"},
        {"first.dll", {{16, 1, 0x0413, version(2)}, {16, 1, 0x0407, version(1)}}, "1.0.0.1"},
    };
    for (const Case& c : cases) {
        test::WriteBytes(dir.file(c.name), test::BuildPeImage(c.resources));
        EXPECT_EQ(Read(dir.file(c.name)).VersionText, c.version) << c.name;
    }
}

TEST(VersionInfoRecord, FillsFromTheValuesOfAResource) {
    // A resource whose every query answers the same 52 bytes: a fixed block
    // whose translation "table" starts with its signature.
    std::string fixed =
        test::FixedBlock({0x00010002, 0x00030004, 0x00050006, 0x00070008, 0x3, 0x40004, 3, 10});
    const std::vector<std::uint8_t> bytes(fixed.begin(), fixed.end());
    std::vector<std::string> asked;
    VersionRecord record;
    FillVersionRecord(
        [&](const std::string& subBlock) -> std::optional<VersionValue> {
            asked.push_back(subBlock);
            return VersionValue{bytes, 52};
        },
        record);
    EXPECT_EQ(record.VersionText, "1.2.3.4");
    EXPECT_EQ(record.ProductVersion, "5.6.7.8");
    EXPECT_EQ(record.FileFlags, "Debug PreRel ");
    EXPECT_EQ(record.FileSubType, "Comm drv");
    const std::vector<std::string> expected = {"\\",
                                               "\\VarFileInfo\\Translation",
                                               "\\StringFileInfo\\04BDFEEF\\CompanyName",
                                               "\\StringFileInfo\\04BDFEEF\\FileDescription",
                                               "\\StringFileInfo\\04BDFEEF\\InternalName",
                                               "\\StringFileInfo\\04BDFEEF\\LegalCopyright",
                                               "\\StringFileInfo\\04BDFEEF\\OriginalFileName",
                                               "\\StringFileInfo\\04BDFEEF\\ProductName"};
    EXPECT_EQ(asked, expected);
    EXPECT_EQ(TranslationKey(0x040E, 1250), "040E04E2");
    EXPECT_EQ(TranslationKey(0x0409, 0x04B0), "040904B0");
    EXPECT_EQ(TranslationKey(0, 0), "00000000");
}

TEST(VersionInfoRecord, TextValuesStopAtTheEndOfTheirBytes) {
    // A value at the very end of the copy: what follows reads as zero.
    const std::string text = test::Utf16Bytes(u"Tail");
    const std::vector<std::uint8_t> bytes(text.begin(), text.end() - 2);
    VersionRecord record;
    FillVersionRecord(
        [&](const std::string& subBlock) -> std::optional<VersionValue> {
            if (subBlock == "\\")
                return VersionValue{{}, 0};
            return VersionValue{bytes, 300};
        },
        record);
    EXPECT_EQ(record.VersionText, "") << "no fixed block in a value of length 0";
    EXPECT_EQ(record.CompanyName, "Tail");
}

}  // namespace
}  // namespace kvu
