// A resource our reader finds but cannot copy: the line in the log. (Under
// Windows the system decides when its copy fails.)
#include <gtest/gtest.h>

#include <string>

#include "registration/file_info_log.h"
#include "registration/version_info.h"
#include "test_images.h"
#include "tests/support/pe_builder.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

TEST(VersionInfoPosix, AResourceCutShortIsLoggedPerRead) {
    test::TempDir app;
    test::TempDir dir;
    const std::string image = test::ReadBytes(test::TestImage("full.dll"));
    const std::size_t tree = image.find(test::Utf16Bytes(u"VS_VERSION_INFO"));
    ASSERT_NE(tree, std::string::npos);
    const std::string cut = dir.file("cut.dll");
    test::WriteBytes(cut, image.substr(0, tree + 40));
    FileVersionInfo reader(app.str());
    EXPECT_EQ(reader.GetFileVersion(cut), "");
    EXPECT_EQ(reader.ReadFileVersionOnly(cut), "");
    EXPECT_EQ(test::ReadBytes(FileInfoLogPath(app.str())),
              "GetFileVersionInfo failed." + cut + "\r\nGetFileVersionInfo failed." + cut + "\r\n");
}

}  // namespace
}  // namespace kvu
