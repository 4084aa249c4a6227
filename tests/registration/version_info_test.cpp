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

// Every field of a record but the file's name, in declaration order.
std::vector<std::string> Fields(const VersionRecord& v) {
    return {v.StrucVersion,    v.VersionText,  v.ProductVersion, v.FileFlags,
            v.FileOS,          v.TypeText,     v.FileSubType,    v.CompanyName,
            v.FileDescription, v.InternalName, v.LegalCopyright, v.OriginalFileName,
            v.ProductName};
}

// The texts of the numeric fields are checked once each, not per image.
TEST(VersionInfo, RecordsOfTheTestImages) {
    const std::pair<const char*, VersionRecord> images[] = {
        {"full.dll",
         {"", "1.0", "5.1.2600.5512", "5.1.2600.65535", "Debug Private ", "NT-Win32", "DLL", "",
          "Árvíztűrő Kft.", "Tükörfúrógép könyvtár", "full", "© 2024 Árvíztűrő Kft.", "full.dll",
          "Lindora Próba"}},
        // Only the first translation counts; its copyright exists only under the second.
        {"translations.dll",
         {"", "1.0", "2.0.0.1", "2.0.0.0", "", "NT-Win32", "DLL", "", "English Ltd.",
          "Two translations", "translations", "", "translations.dll", "Lindora Test"}},
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
    };
    for (const auto& [image, expected] : images) {
        const std::string path = test::TestImage(image);
        VersionRecord record = Read(path);
        EXPECT_EQ(record.VersionFile, path);
        EXPECT_EQ(Fields(record), Fields(expected)) << image;
    }
}

// The texts of the last full read; a read of the version alone leaves them.
TEST(VersionInfo, AccessorsGiveTheLastFullReadOnly) {
    test::TempDir app;
    FileVersionInfo reader(app.str());
    EXPECT_EQ(reader.GetFileVersion(test::TestImage("full.dll")), "5.1.2600.5512");
    EXPECT_EQ(reader.GetCompanyName(), "Árvíztűrő Kft.");
    EXPECT_EQ(reader.GetFileDescription(), "Tükörfúrógép könyvtár");
    EXPECT_EQ(reader.GetLegalCopyright(), "© 2024 Árvíztűrő Kft.");
    EXPECT_EQ(reader.ReadFileVersionOnly(test::TestImage("font.dll")), "3.10.0.7");
    EXPECT_EQ(reader.ReadFileVersionOnly(test::TestImage("noversion.dll")), "");
    EXPECT_EQ(reader.GetProductName(), "Lindora Próba");
    // No version resource, or no image at all: nothing of the file read before
    // shows through, and the log stays empty.
    test::WriteBytes(app.file("text.dll"), "MZ but nothing else");
    for (const std::string& path : {test::TestImage("noversion.dll"), app.file("missing.dll"),
                                    app.file("text.dll"), app.str()}) {
        EXPECT_EQ(reader.GetFileVersion(test::TestImage("full.dll")), "5.1.2600.5512");
        EXPECT_EQ(reader.GetFileVersion(path), "") << path;
        EXPECT_EQ(Fields(reader.Record()), Fields({})) << path;
    }
    EXPECT_FALSE(PathExists(FileInfoLogPath(app.str())));
}

// Where the version resource lies, and in which language it is taken.
TEST(VersionInfo, HandMadeImages) {
    test::TempDir dir;
    auto version = [](std::uint32_t ls, std::u16string company = u"Maker") {
        return test::StandardVersion({0x00020003, ls, 0x00010000, 0, 0, 0x40004, 2, 0}, u"040904B0",
                                     {{u"CompanyName", company}}, {{0x0409, 0x04B0}});
    };
    const std::string standard = test::Serialize(version(5));
    test::VersionNode shortValue = version(5, u"Cut here");
    shortValue.children[0].children[0].children[0].valueLength = 3;  // "Cut"
    test::PeOptions pe32, dataSection;
    pe32.pe32Plus = false;
    dataSection.resourceSectionName = ".data";
    auto one = [](const std::string& resource, const test::PeOptions& options = {}) {
        return test::BuildPeImage({{16, 1, 0x0409, resource}}, options);
    };
    auto twoLanguages = [&](std::uint16_t first, std::uint16_t second) {
        return test::BuildPeImage(
            {{16, 1, first, test::Serialize(version(1))}, {16, 1, second, standard}});
    };
    const std::tuple<const char*, std::string, const char*, const char*> cases[] = {
        {"pe32.dll", one(standard, pe32), "2.3.0.5", "Maker"},
        {"data.dll", one(standard, dataSection), "2.3.0.5", "Maker"},
        {"short.dll", one(test::Serialize(shortValue)), "2.3.0.5", "Cut"},
        {"embeddednul.dll", one(test::Serialize(version(5, {u"Cut\0here", 8}))), "2.3.0.5", "Cut"},
        // Another resource name than 1 is not the version resource.
        {"name2.dll", test::BuildPeImage({{16, 2, 0x0409, standard}}), "", ""},
        {"icons.dll",
         test::BuildPeImage(
             {{3, 1, 0x0409, "icon"}, {16, 1, 0x0409, standard}, {24, 1, 0x0409, "manifest"}}),
         "2.3.0.5", "Maker"},
        // Neutral first, then US English, else the first in the directory.
        {"neutral.dll", twoLanguages(0x0409, 0x0000), "2.3.0.5", "Maker"},
        {"english.dll", twoLanguages(0x0407, 0x0409), "2.3.0.5", "Maker"},
        {"first.dll", twoLanguages(0x0413, 0x0407), "2.3.0.5", "Maker"},
        // The system's functions read 16-bit executables too (gdi.exe, krnl386.exe
        // and user.exe of the system folders).
        {"gdi.exe", test::BuildNeImage(test::Serialize(version(5), true)), "2.3.0.5", "Maker"},
    };
    for (const auto& [name, image, version, company] : cases) {
        test::WriteBytes(dir.file(name), image);
        VersionRecord record = Read(dir.file(name));
        EXPECT_EQ(record.VersionText, version) << name;
        EXPECT_EQ(record.CompanyName, company) << name;
    }
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
