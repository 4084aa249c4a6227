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

// Any lock of another process stands in the way of a writer, even a shared
// one over a single byte; a lock on another file does not. A file merely open
// elsewhere can be replaced; a named pipe does not block.
TEST(FileLockPosix, ALockOfAnotherProcessLocksTheFile) {
    test::TempDir dir;
    const std::string file = dir.file("vmlx.dll"), other = dir.file("other.dll");
    test::WriteBytes(file, "0123456789");
    test::WriteBytes(other, "x");
    for (auto [type, start, length] :
         {std::tuple{F_WRLCK, 0, 0}, {F_RDLCK, 0, 0}, {F_WRLCK, 9, 1}}) {
        test::LockHolder holder(file, type, start, length);
        ASSERT_TRUE(holder.held());
        EXPECT_TRUE(IsFileLocked(file)) << type << " " << start;
        EXPECT_TRUE(IsFileLocked(file + "/")) << "the final separator is dropped";
        EXPECT_FALSE(IsFileLocked(other));
        holder.Release();
        EXPECT_FALSE(IsFileLocked(file));
    }
    const int fd = open(file.c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(IsFileLocked(file));
    close(fd);
    ASSERT_EQ(mkfifo(dir.file("pipe").c_str(), 0600), 0);
    EXPECT_FALSE(IsFileLocked(dir.file("pipe")));
}

}  // namespace
}  // namespace kvu
