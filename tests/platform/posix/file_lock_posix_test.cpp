#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/file_lock.h"
#include "tests/support/posix/lock_holder.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

using test::LockHolder;

class FileLockPosix : public ::testing::Test {
  protected:
    void SetUp() override { test::WriteBytes(file, "0123456789"); }
    test::TempDir dir;
    const std::string file = dir.file("vmlx.dll");
};

TEST_F(FileLockPosix, WriteLockOfAnotherProcess) {
    LockHolder holder(file, F_WRLCK, 0, 0);
    ASSERT_TRUE(holder.held());
    EXPECT_TRUE(IsFileLocked(file));
    EXPECT_TRUE(IsFileLocked(file + "/")) << "the final separator is dropped";
    holder.Release();
    EXPECT_FALSE(IsFileLocked(file));
}

// Any lock of another process stands in the way of a writer, even a shared one
// over a single byte.
TEST_F(FileLockPosix, ReadLockOrPartialLockOfAnotherProcess) {
    {
        LockHolder holder(file, F_RDLCK, 0, 0);
        ASSERT_TRUE(holder.held());
        EXPECT_TRUE(IsFileLocked(file));
    }
    {
        LockHolder holder(file, F_WRLCK, 9, 1);
        ASSERT_TRUE(holder.held());
        EXPECT_TRUE(IsFileLocked(file));
    }
    EXPECT_FALSE(IsFileLocked(file));
}

// A file that is merely open elsewhere, without a lock, can be replaced.
TEST_F(FileLockPosix, OpenWithoutALockIsNotLocked) {
    int fd = open(file.c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(IsFileLocked(file));
    close(fd);
}

TEST_F(FileLockPosix, ALockOnAnotherFileDoesNotCount) {
    const std::string other = dir.file("other.dll");
    test::WriteBytes(other, "x");
    LockHolder holder(other, F_WRLCK, 0, 0);
    ASSERT_TRUE(holder.held());
    EXPECT_TRUE(IsFileLocked(other));
    EXPECT_FALSE(IsFileLocked(file));
}

TEST_F(FileLockPosix, ANamedPipeIsNotLockedAndDoesNotBlock) {
    const std::string fifo = dir.file("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(IsFileLocked(fifo));
}

}  // namespace
}  // namespace kvu
