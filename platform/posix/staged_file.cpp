#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <random>
#include <string>

#include "platform/staged_file.h"

namespace kvu {
namespace {

WriteResult WriteFailure() {
    return errno == ENOSPC || errno == EDQUOT || errno == EFBIG ? WriteResult::kDiskFull
                                                                : WriteResult::kFailed;
}

// Write-back is started in pieces of this size: large enough for few calls,
// small enough that the disk works while the next piece is made.
constexpr std::size_t kWriteBackPiece = 256 << 10;

constexpr std::string_view kStagedPrefix = ".unzip32-";
constexpr std::string_view kStagedSuffix = ".tmp";
constexpr std::size_t kStagedNameSize = kStagedPrefix.size() + 12 + kStagedSuffix.size();

bool IsStagedName(std::string_view name) {
    return name.size() == kStagedNameSize && name.starts_with(kStagedPrefix) &&
           name.ends_with(kStagedSuffix);
}

std::string TemporaryName(std::mt19937_64& random) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string name(kStagedPrefix);
    std::uint64_t value = random();
    for (int i = 0; i < 12; ++i, value >>= 4)
        name += kHex[value & 15];
    return name.append(kStagedSuffix);
}

}  // namespace

ReadOnlyFile::~ReadOnlyFile() {
    if (handle_ >= 0)
        close(static_cast<int>(handle_));
}

bool ReadOnlyFile::Open(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return false;
    }
    handle_ = fd;
    size_ = static_cast<std::uint64_t>(st.st_size);
    return true;
}

bool ReadOnlyFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t size) const {
    if (handle_ < 0 || offset > size_ || size > size_ - offset)
        return false;
    auto* out = static_cast<char*>(buffer);
    while (size > 0) {
        ssize_t n = pread(static_cast<int>(handle_), out, size, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        out += n;
        offset += static_cast<std::uint64_t>(n);
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool StagedFile::Create(const std::string& folder) {
    Discard();
    std::random_device seed;
    std::mt19937_64 random((std::uint64_t{seed()} << 32) ^ seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string path = folder + "/" + TemporaryName(random);
        int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            // Held until the file is closed: the mark of a live staged file.
            flock(fd, LOCK_EX | LOCK_NB);
            handle_ = fd;
            path_ = path;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

WriteResult StagedFile::Write(const void* data, std::size_t size) {
    if (handle_ < 0)
        return WriteResult::kFailed;
    const auto* in = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = write(static_cast<int>(handle_), in, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0 ? WriteResult::kFailed : WriteFailure();
        in += n;
        size -= static_cast<std::size_t>(n);
        unstarted_ += static_cast<std::size_t>(n);
    }
    if (unstarted_ >= kWriteBackPiece) {
        // Only starts the writing of what is dirty; the flush still waits for all.
        sync_file_range(static_cast<int>(handle_), 0, 0, SYNC_FILE_RANGE_WRITE);
        unstarted_ = 0;
    }
    return WriteResult::kOk;
}

WriteResult StagedFile::Commit(const std::string& target, std::optional<std::int64_t> modified,
                               Durability durability) {
    if (handle_ < 0)
        return WriteResult::kFailed;
    int fd = static_cast<int>(handle_);
    handle_ = -1;
    WriteResult result = WriteResult::kOk;
    if (modified) {
        struct timespec times[2] = {{0, UTIME_NOW}, {static_cast<time_t>(*modified), 0}};
        if (futimens(fd, times) != 0)
            result = WriteResult::kFailed;
    }
    if (result == WriteResult::kOk && durability == Durability::kFlushed && fsync(fd) != 0)
        result = WriteFailure();
    // close() reports write errors that a network file system delays until then.
    if (close(fd) != 0 && result == WriteResult::kOk)
        result = WriteFailure();
    if (result == WriteResult::kOk && rename(path_.c_str(), target.c_str()) != 0)
        result = WriteFailure();
    if (result != WriteResult::kOk)
        unlink(path_.c_str());
    path_.clear();
    return result;
}

void StagedFile::Discard() {
    if (handle_ >= 0)
        close(static_cast<int>(handle_));
    handle_ = -1;
    if (!path_.empty())
        unlink(path_.c_str());
    path_.clear();
}

void RemoveStaleStagedFiles(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr)
        return;
    while (const dirent* entry = readdir(dir)) {
        if (!IsStagedName(entry->d_name))
            continue;
        const std::string path = folder + "/" + entry->d_name;
        int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            continue;
        struct stat st {};
        // A lock that can be taken is no longer held by the run that wrote it.
        if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0)
            unlink(path.c_str());
        close(fd);
    }
    closedir(dir);
}

PathKind KindOfPath(const std::string& path) {
    struct stat st {};
    if (path.empty() || stat(path.c_str(), &st) != 0)
        return PathKind::kNone;
    return S_ISDIR(st.st_mode) ? PathKind::kFolder : PathKind::kFile;
}

std::optional<std::int64_t> ModifiedTime(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return static_cast<std::int64_t>(st.st_mtime);
}

bool CreateFolders(const std::string& path) {
    // A level that cannot be made may exist already or be out of reach (a
    // root); only the result counts.
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        mkdir(path.substr(0, slash).c_str(), 0777);
        if (slash == std::string::npos)
            break;
    }
    return KindOfPath(path) == PathKind::kFolder;
}

std::optional<std::int64_t> LocalToUnixTime(const DateTime& local) {
    struct tm parts {};
    parts.tm_year = local.year - 1900;
    parts.tm_mon = local.month - 1;
    parts.tm_mday = local.day;
    parts.tm_hour = local.hour;
    parts.tm_min = local.minute;
    parts.tm_sec = local.second;
    parts.tm_isdst = -1;
    time_t t = mktime(&parts);
    if (t == static_cast<time_t>(-1))
        return std::nullopt;
    return static_cast<std::int64_t>(t);
}

}  // namespace kvu
