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

// The test asks for the file alone, so any open for reading or writing stands
// in its way, however much that open shares; an open of another file does not.
// Only a sharing violation is a lock, and the caller never sees a stale error.
TEST(FileLockWin32, AnyHandleOnTheFileLocksIt) {
    test::TempDir dir;
    const std::string file = dir.file("vmlx.dll"), other = dir.file("other.dll");
    test::WriteBytes(file, "MZ");
    test::WriteBytes(other, "MZ");
    const DWORD all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    for (auto [access, share] :
         {std::pair<DWORD, DWORD>{GENERIC_READ, 0}, {GENERIC_READ | GENERIC_WRITE, all}}) {
        HANDLE handle = CreateFileW(std::filesystem::path(file).c_str(), access, share, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE) << share;
        SetLastError(ERROR_INVALID_PARAMETER);
        EXPECT_TRUE(IsFileLocked(file)) << share;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
        EXPECT_TRUE(IsFileLocked(file + "\\")) << "the final separator is dropped";
        EXPECT_FALSE(IsFileLocked(other)) << share;
        CloseHandle(handle);
        SetLastError(ERROR_INVALID_PARAMETER);
        EXPECT_FALSE(IsFileLocked(dir.file("missing.dll")));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    }
}

}  // namespace
}  // namespace kvu
