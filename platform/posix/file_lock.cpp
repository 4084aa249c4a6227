#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/file_lock.h"
#include "platform/paths.h"

namespace kvu {
namespace {

// Whether another process holds a record lock that a whole-file write lock
// would conflict with. Locks of this process never conflict with its own.
bool OtherProcessHoldsLock(int fd) {
    struct flock probe {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    probe.l_start = 0;
    probe.l_len = 0;  // to the end of the file, however long it grows
    return fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
}

}  // namespace

// Files have no share modes here; what stands in the way of replacing a file
// is another process's record lock. The write open mirrors the Windows test:
// a file this user may not write to, or a folder, is not reported as locked.
// O_NONBLOCK keeps a named pipe without a reader from blocking the open.
bool IsFileLocked(const std::string& path) {
    std::string file = path;
    if (!file.empty() && file.back() == kPathSep)
        file.pop_back();
    if (file.empty())
        return false;
    int fd = open(file.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    bool locked = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && OtherProcessHoldsLock(fd);
    // Closing drops any record lock this process holds on the file; the
    // program takes none, so nothing of its own is lost.
    close(fd);
    return locked;
}

}  // namespace kvu
