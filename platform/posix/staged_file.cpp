#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>

#include "platform/files.h"

namespace kvu {
namespace {

constexpr int kNameAttempts = 100;

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string TemporaryName(const std::string& folder, std::random_device& random) {
    char name[32];
    std::snprintf(name, sizeof name, "/kvu%08x.tmp", static_cast<unsigned>(random()));
    return folder + name;
}

}  // namespace

struct StagedFile::Handle {
    int fd = -1;
    std::string path;
};

StagedFile::StagedFile(const std::string& targetPath) : targetPath_(targetPath) {
    std::string folder = FolderOf(targetPath);
    std::random_device random;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string path = TemporaryName(folder, random);
        // 0666 so that the umask decides, as for any other new file.
        int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            handle_ = std::make_unique<Handle>(Handle{fd, path});
            return;
        }
        if (errno != EEXIST)
            return;
    }
}

StagedFile::~StagedFile() {
    if (!handle_)
        return;
    if (handle_->fd >= 0)
        close(handle_->fd);
    unlink(handle_->path.c_str());
}

bool StagedFile::IsOpen() const {
    return handle_ && handle_->fd >= 0;
}

bool StagedFile::Write(std::string_view bytes) {
    if (!IsOpen())
        return false;
    while (!bytes.empty()) {
        ssize_t n = write(handle_->fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool StagedFile::Commit() {
    if (!IsOpen())
        return false;
    int fd = handle_->fd;
    handle_->fd = -1;
    // close() may report a write that failed late; such a file must not be used.
    if (close(fd) != 0)
        return false;
    if (rename(handle_->path.c_str(), targetPath_.c_str()) != 0)
        return false;
    handle_.reset();
    return true;
}

}  // namespace kvu
