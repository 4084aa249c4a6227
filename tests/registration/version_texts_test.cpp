#include "registration/version_texts.h"

#include <gtest/gtest.h>

namespace kvu {
namespace {

TEST(VersionTexts, VersionWordsAreUnsignedDecimals) {
    EXPECT_EQ(VersionNumberText(0x00050001, 0x0A281588), "5.1.2600.5512");
    EXPECT_EQ(VersionNumberText(0xFFFFFFFF, 0xFFFFFFFF), "65535.65535.65535.65535");
    EXPECT_EQ(VersionNumberText(0, 0), "0.0.0.0");
    EXPECT_EQ(StructureVersionText(0x00010000), "1.0");
    EXPECT_EQ(StructureVersionText(0x0002FFFF), "2.65535");
}

TEST(VersionTexts, FlagsInFixedOrderEachWithABlank) {
    struct Case {
        std::uint32_t flags;
        const char* text;
    };
    for (const Case& c :
         {Case{0, ""}, Case{0x01, "Debug "}, Case{0x09, "Debug Private "},
          Case{0x3F, "Debug PreRel Patched Private Info Special "}, Case{0x22, "PreRel Special "},
          Case{0xFFFFFFC0, ""},  // bits outside the table show nothing
          Case{0x14, "Patched Info "}}) {
        EXPECT_EQ(FileFlagsText(c.flags), c.text) << std::hex << c.flags;
    }
}

TEST(VersionTexts, OperatingSystems) {
    struct Case {
        std::uint32_t os;
        const char* text;
    };
    for (const Case& c :
         {Case{0x10001, "DOS-Win16"}, Case{0x10004, "DOS-Win32"}, Case{0x20002, "OS/2-16 PM-16"},
          Case{0x30003, "OS/2-16 PM-32"}, Case{0x40004, "NT-Win32"}, Case{0, "Unknown"},
          Case{0x4, ""}, Case{0x40000, ""}, Case{0x50005, ""}}) {
        EXPECT_EQ(FileOsText(c.os), c.text) << std::hex << c.os;
    }
}

TEST(VersionTexts, TypesAndSubTypes) {
    const char* types[] = {"Unknown", "App", "DLL", "Driver", "Font", "VxD", "Unknown", "Lib"};
    for (std::uint32_t t = 0; t < 8; ++t)
        EXPECT_EQ(FileTypeText(t), types[t]) << t;
    EXPECT_EQ(FileTypeText(8), "Unknown");
    EXPECT_EQ(FileTypeText(0xFFFFFFFF), "Unknown");

    const char* drivers[] = {"Unknown",     "Printer drv", "Keyboard drv", "Language drv",
                             "Display drv", "Mouse drv",   "Network drv",  "System drv",
                             "Installable", "Sound drv",   "Comm drv"};
    for (std::uint32_t s = 0; s <= 10; ++s)
        EXPECT_EQ(FileSubTypeText(3, s), drivers[s]) << s;
    EXPECT_EQ(FileSubTypeText(3, 11), "");
    EXPECT_EQ(FileSubTypeText(3, 12), "");  // the versioned printer driver has no text

    EXPECT_EQ(FileSubTypeText(4, 0), "");
    EXPECT_EQ(FileSubTypeText(4, 1), "Raster Font");
    EXPECT_EQ(FileSubTypeText(4, 2), "Vector Font");
    EXPECT_EQ(FileSubTypeText(4, 3), "TrueType Font");
    EXPECT_EQ(FileSubTypeText(4, 4), "");

    for (std::uint32_t type : {0U, 1U, 2U, 5U, 7U})
        EXPECT_EQ(FileSubTypeText(type, 1), "") << "only drivers and fonts have sub-types";
}

}  // namespace
}  // namespace kvu
