// Written files carry the member's modification time, so that the next update
// search sees the date the archive gave.
#include <gtest/gtest.h>

#include <ctime>

#include "platform/staged_file.h"
#include "tests/unzip32/unzip_harness.h"

namespace kvu::test {
namespace {

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

std::uint16_t DosDate(int year, int month, int day) {
    return static_cast<std::uint16_t>(((year - 1980) << 9) | (month << 5) | day);
}

std::uint16_t DosTime(int hour, int minute, int second) {
    return static_cast<std::uint16_t>((hour << 11) | (minute << 5) | (second / 2));
}

// Also when the member replaces an installed file.
TEST(Times, TheExtendedTimestampWinsOverTheDosTime) {
    InstalledFolder installed;
    ZipArchive archive;
    archive.members = {{.name = "app.dll", .data = "x", .unixTime = 1600000123},
                       {.name = "summer.dll",
                        .data = "y",
                        .dosDate = DosDate(2023, 7, 14),
                        .dosTime = DosTime(9, 41, 58)},
                       {.name = "winter.dll",
                        .data = "z",
                        .dosDate = DosDate(2024, 1, 2),
                        .dosTime = DosTime(23, 59, 0)}};
    TempDir dir;
    WriteBytes(dir.file("t.zip"), BuildZip(archive));
    EXPECT_EQ(Unzipper().Run(UnzipCall(dir.file("t.zip"), installed.path())).code, kUnzipOk);
    EXPECT_EQ(ModifiedTime(installed.file("app.dll")), 1600000123);
    EXPECT_EQ(ModifiedTime(installed.file("summer.dll")), LocalSeconds(2023, 7, 14, 9, 41, 58));
    EXPECT_EQ(ModifiedTime(installed.file("winter.dll")), LocalSeconds(2024, 1, 2, 23, 59, 0));
}

}  // namespace
}  // namespace kvu::test
