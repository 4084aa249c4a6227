// The lock test against handles of the system's own making: whatever holds a
// file open without letting others write to it locks the file.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "platform/file_lock.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

HANDLE OpenWith(const std::string& path, DWORD access, DWORD share) {
    return CreateFileW(std::filesystem::path(path).wstring().c_str(), access, share, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

class FileLockWin32 : public ::testing::Test {
  protected:
    void SetUp() override { test::WriteBytes(file, "MZ"); }
    test::TempDir dir;
    const std::string file = dir.file("vmlx.dll");
};

// The test asks for the file alone, so any open for reading or writing stands
// in its way, however much that open shares; an open of another file does not.
TEST_F(FileLockWin32, AnyHandleOnTheFileLocksIt) {
    const std::string other = dir.file("other.dll");
    test::WriteBytes(other, "MZ");
    const DWORD all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    for (auto [access, share] :
         {std::pair<DWORD, DWORD>{GENERIC_READ, 0}, {GENERIC_READ | GENERIC_WRITE, all}}) {
        HANDLE handle = OpenWith(file, access, share);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE) << share;
        EXPECT_TRUE(IsFileLocked(file)) << share;
        EXPECT_TRUE(IsFileLocked(file + "\\")) << "the final separator is dropped";
        EXPECT_FALSE(IsFileLocked(other)) << share;
        CloseHandle(handle);
        EXPECT_FALSE(IsFileLocked(file)) << share;
    }
}

// Only a sharing violation is a lock, and the caller never sees a stale error.
TEST_F(FileLockWin32, LeavesNoErrorBehind) {
    SetLastError(ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(IsFileLocked(dir.file("missing.dll")));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    HANDLE other = OpenWith(file, GENERIC_READ, 0);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(IsFileLocked(file));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    CloseHandle(other);
}

}  // namespace
}  // namespace kvu
