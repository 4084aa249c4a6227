// Replacing installed files as Windows allows it: read-only targets, and
// targets that a virus scanner holds open for a moment. (Wine replaces a
// read-only file where Windows refuses; what it shows is our handling of the
// attribute and of a refused replace.)
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/staged_file.h"
#include "platform/win32/wide.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

using namespace std::chrono_literals;

// Opened as a scanner opens a new file: others may read, nobody may replace it.
HANDLE Hold(const std::string& path) {
    return CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                       OPEN_EXISTING, 0, nullptr);
}

WriteResult Stage(const std::string& folder, const std::string& target, const char* bytes) {
    StagedFile file;
    if (!file.Create(folder) || file.Write(bytes, std::strlen(bytes)) != WriteResult::kOk)
        return WriteResult::kFailed;
    return file.Commit(target, std::nullopt);
}

// A replace refused for good keeps the old file read-only; a target held only
// for a moment is replaced on a retry.
TEST(StagedFileWin32, AReadOnlyTargetIsKeptOrReplacedOnARetry) {
    test::TempDir dir;
    const std::string target = dir.file("app.dll");
    test::WriteBytes(target, "old");
    ASSERT_TRUE(SetFileAttributesW(Utf8ToWide(target).c_str(), FILE_ATTRIBUTE_READONLY));

    HANDLE held = Hold(target);  // never let go: the replace fails after all
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_NE(Stage(dir.str(), target, "new"), WriteResult::kOk);
    CloseHandle(held);
    EXPECT_EQ(test::ReadBytes(target), "old");
    EXPECT_TRUE(GetFileAttributesW(Utf8ToWide(target).c_str()) & FILE_ATTRIBUTE_READONLY);

    held = Hold(target);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread scanner([held] {
        std::this_thread::sleep_for(300ms);
        CloseHandle(held);
    });
    const WriteResult result = Stage(dir.str(), target, "new");
    scanner.join();
    EXPECT_EQ(result, WriteResult::kOk);
    EXPECT_EQ(test::ReadBytes(target), "new");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"app.dll"});
}

}  // namespace
}  // namespace kvu
