#include "core/restrict_list.h"

#include <gtest/gtest.h>

#include "platform/encoding.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

TEST(RestrictList, EveryLineUpperCasedNothingTrimmed) {
    test::TempDir app;
    test::WriteBytes(app.file("restrict.txt"),
                     Utf8ToAnsi("VmLx32.dll\r\n  lead.ocx\r\ntrail.exe \r\n\r\nüzemanyag.DLL"));
    const std::vector<std::string> expected = {"VMLX32.DLL", "  LEAD.OCX", "TRAIL.EXE ", "",
                                               "ÜZEMANYAG.DLL"};
    EXPECT_EQ(LoadRestrictList(app.str()), expected);
}

TEST(RestrictList, MissingOrUnreadableFileGivesAnEmptyList) {
    test::TempDir app;
    EXPECT_TRUE(LoadRestrictList(app.str()).empty());
    std::filesystem::create_directory(app.path() / "restrict.txt");
    EXPECT_TRUE(LoadRestrictList(app.str()).empty());
    test::WriteBytes(app.file("RESTRICT.TXT.bak"), "x\r\n");
    EXPECT_TRUE(LoadRestrictList(app.str()).empty());
}

}  // namespace
}  // namespace kvu
