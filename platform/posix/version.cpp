#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <limits>
#include <optional>

#include "platform/pe_version.h"
#include "platform/version.h"

namespace kvu {
namespace {

// Its size is asked for only when a check needs it.
class FileSource final : public pe::WindowedSource {
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

  protected:
    std::size_t ReadAt(std::uint64_t offset, std::size_t count, std::uint8_t* out) override {
        if (fd_ < 0 || offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()))
            return 0;
        const ssize_t n = pread(fd_, out, count, static_cast<off_t>(offset));
        return n > 0 ? static_cast<std::size_t>(n) : 0;
    }

  private:
    int fd_;
    mutable std::optional<std::uint64_t> size_;
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
