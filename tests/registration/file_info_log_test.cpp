#include "registration/file_info_log.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

TEST(FileInfoLog, PathInTheApplicationFolder) {
    const std::string sep(1, kPathSep);
    EXPECT_EQ(FileInfoLogPath("app"), "app" + sep + "FileInfoError.log");
    EXPECT_EQ(FileInfoLogPath("app" + sep), "app" + sep + "FileInfoError.log");
}

TEST(FileInfoLog, LinesAreAppendedInOrderWithCrLf) {
    test::TempDir app;
    const std::string log = FileInfoLogPath(app.str());
    test::WriteBytes(log, "kept\r\n");
    LogFileInfoError(app.str(), "GetFileVersionInfo failed.C:\\a.dll");
    LogFileInfoError(app.str(), "second");
    LogFileInfoError(app.str(), "");
    EXPECT_EQ(test::ReadBytes(log),
              "kept\r\nGetFileVersionInfo failed.C:\\a.dll\r\nsecond\r\n\r\n");
}

TEST(FileInfoLog, CreatedWhenMissingAndWrittenAsAnsi) {
    test::TempDir app;
    LogFileInfoError(app.str(), "LoadRows Error-> caf\xC3\xA9");  // é: 0xE9 in the ANSI code page
    EXPECT_EQ(test::ReadBytes(FileInfoLogPath(app.str())), "LoadRows Error-> caf\xE9\r\n");
}

TEST(FileInfoLog, AFolderThatCannotBeWrittenIsIgnored) {
    test::TempDir app;
    const std::string missing = app.file("no such folder");
    LogFileInfoError(missing, "lost");
    EXPECT_FALSE(PathExists(missing));
    // A folder where the log's name is taken by a folder: nothing to append to.
    std::filesystem::create_directory(app.path() / "FileInfoError.log");
    LogFileInfoError(app.str(), "lost too");
    EXPECT_TRUE(std::filesystem::is_directory(app.path() / "FileInfoError.log"));
}

}  // namespace
}  // namespace kvu
