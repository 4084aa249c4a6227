#include "registration/file_info_log.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/paths.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

// Created when missing, appended to in order, CR LF after each line, ANSI.
TEST(FileInfoLog, LinesAreAppendedInTheApplicationFolder) {
    test::TempDir app;
    const std::string log = app.str() + kPathSep + "FileInfoError.log";
    EXPECT_EQ(FileInfoLogPath(app.str() + kPathSep), log);
    LogFileInfoError(app.str(), "GetFileVersionInfo failed.C:\\a.dll");
    LogFileInfoError(app.str(), "LoadRows Error-> caf\xC3\xA9");  // é: 0xE9 in the ANSI code page
    LogFileInfoError(app.str(), "");
    EXPECT_EQ(test::ReadBytes(log),
              "GetFileVersionInfo failed.C:\\a.dll\r\nLoadRows Error-> caf\xE9\r\n\r\n");
    // Without its folder, or with a folder in its place, the line is lost
    // quietly: nothing is made or replaced.
    LogFileInfoError(app.file("no such folder"), "lost");
    EXPECT_FALSE(PathExists(app.file("no such folder")));
    std::filesystem::create_directories(app.path() / "taken" / "FileInfoError.log");
    LogFileInfoError(app.file("taken"), "lost too");
    EXPECT_TRUE(std::filesystem::is_directory(app.path() / "taken" / "FileInfoError.log"));
}

}  // namespace
}  // namespace kvu
