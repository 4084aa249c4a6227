#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/file_lock.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

// Another process that holds a record lock on part or all of a file until it
// is told to let go.
class LockHolder {
  public:
    LockHolder(const std::string& path, short type, off_t start, off_t length) {
        int ready[2];
        int release[2];
        if (pipe(ready) != 0 || pipe(release) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            close(ready[0]);
            close(release[1]);
            int fd = open(path.c_str(), type == F_RDLCK ? O_RDONLY : O_RDWR);
            struct flock lock {};
            lock.l_type = type;
            lock.l_whence = SEEK_SET;
            lock.l_start = start;
            lock.l_len = length;
            char ok = fd >= 0 && fcntl(fd, F_SETLK, &lock) == 0 ? '1' : '0';
            (void)!write(ready[1], &ok, 1);
            char ignored;
            (void)!read(release[0], &ignored, 1);
            _exit(0);
        }
        close(ready[1]);
        close(release[0]);
        release_ = release[1];
        char ok = '0';
        held_ = read(ready[0], &ok, 1) == 1 && ok == '1';
        close(ready[0]);
    }
    ~LockHolder() { Release(); }

    bool held() const { return held_; }

    // Ends the other process; its locks go with it.
    void Release() {
        if (pid_ <= 0)
            return;
        close(release_);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
    }

  private:
    pid_t pid_ = -1;
    int release_ = -1;
    bool held_ = false;
};

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
