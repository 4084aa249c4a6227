#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "platform/pe_version.h"
#include "platform/version.h"

namespace kvu {
namespace {

// A file read through one page-sized window: the headers, the resource
// directory and a small resource each cost a single read, and a file that is
// no PE image costs one open and one short read. Its size is asked for only
// when a check needs it.
class FileSource final : public pe::ByteSource {
  public:
    // Not blocking: a named pipe given as a path must not stop the reader.
    explicit FileSource(const std::string& path)
        : fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {}
    ~FileSource() override {
        if (fd_ >= 0)
            close(fd_);
    }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::uint64_t Size() const override {
        if (!size_) {
            struct stat st {};
            size_ = fd_ >= 0 && fstat(fd_, &st) == 0 && S_ISREG(st.st_mode)
                        ? static_cast<std::uint64_t>(st.st_size)
                        : 0;
        }
        return *size_;
    }

    bool Read(std::uint64_t offset, std::size_t count, std::uint8_t* out) override {
        if (fd_ < 0)
            return false;
        if (count > kWindow)
            return ReadFully(offset, count, out);
        if (offset < windowStart_ || offset - windowStart_ + count > windowLength_) {
            // The first read needs only the headers; most files end there.
            const std::size_t want = windowLength_ == 0 && offset == 0 ? kFirstWindow : kWindow;
            windowStart_ = offset;
            ssize_t n = pread(fd_, window_, std::max(want, count), static_cast<off_t>(offset));
            windowLength_ = n > 0 ? static_cast<std::size_t>(n) : 0;
            if (count > windowLength_)
                return false;
        }
        std::memcpy(out, window_ + (offset - windowStart_), count);
        return true;
    }

  private:
    static constexpr std::size_t kWindow = 4096;
    static constexpr std::size_t kFirstWindow = 1024;

    bool ReadFully(std::uint64_t offset, std::size_t count, std::uint8_t* out) const {
        while (count > 0) {
            ssize_t n = pread(fd_, out, count, static_cast<off_t>(offset));
            if (n <= 0)
                return false;
            out += n;
            offset += static_cast<std::uint64_t>(n);
            count -= static_cast<std::size_t>(n);
        }
        return true;
    }

    int fd_;
    mutable std::optional<std::uint64_t> size_;
    std::uint8_t window_[kWindow];
    std::uint64_t windowStart_ = 0;
    std::size_t windowLength_ = 0;
};

}  // namespace

VersionLoad VersionResource::Load(const std::string& path) {
    copy_.clear();
    FileSource file(path);
    pe::ResourceCopy copy = pe::CopyVersionResource(file);
    switch (copy.outcome) {
        case pe::Outcome::kNone:
            return VersionLoad::kNoResource;
        case pe::Outcome::kUnreadable:
            return VersionLoad::kCopyFailed;
        case pe::Outcome::kCopied:
            break;
    }
    copy_ = std::move(copy.bytes);
    return VersionLoad::kLoaded;
}

std::optional<VersionValue> VersionResource::Query(const std::string& subBlock) const {
    std::optional<pe::ValueRef> found =
        copy_.empty() ? std::nullopt : pe::FindValue(copy_, subBlock);
    if (!found)
        return std::nullopt;
    VersionValue value;
    if (found->offset < copy_.size())
        value.bytes = std::span(copy_).subspan(found->offset);
    value.length = found->length;
    return value;
}

}  // namespace kvu
