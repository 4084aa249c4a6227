#include <windows.h>

#include <algorithm>

#include "platform/pe_version.h"
#include "platform/version.h"
#include "platform/win32/wide.h"

namespace kvu {
namespace {

// The system's lookups trust the lengths inside the resource. Zeros after the
// copy keep a damaged tree's walk inside our buffer: three levels of 16-bit
// lengths cannot reach further.
constexpr std::size_t kMinimumBuffer = 256 * 1024;

class HandleSource final : public pe::WindowedSource {
  public:
    explicit HandleSource(const std::wstring& path)
        : file_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~HandleSource() override {
        if (file_ != INVALID_HANDLE_VALUE)
            CloseHandle(file_);
    }
    HandleSource(const HandleSource&) = delete;
    HandleSource& operator=(const HandleSource&) = delete;

    std::uint64_t Size() const override {
        LARGE_INTEGER size{};
        if (file_ == INVALID_HANDLE_VALUE || !GetFileSizeEx(file_, &size))
            return 0;
        return static_cast<std::uint64_t>(size.QuadPart);
    }

  protected:
    std::size_t ReadAt(std::uint64_t offset, std::size_t count, std::uint8_t* out) override {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD read = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(count, 1U << 30));
        if (file_ == INVALID_HANDLE_VALUE || !ReadFile(file_, out, want, &read, &at))
            return 0;
        return read;
    }

  private:
    HANDLE file_;
};

}  // namespace

VersionLoad VersionResource::Load(const std::string& path) {
    copy_.clear();
    const std::wstring widePath = Utf8ToWide(path);
    // The system copies as many bytes as the file's resource directory claims,
    // past the end of a damaged file if need be, and the process dies. Our own
    // reader checks the claims first: the system reads only what passes.
    {
        HandleSource file(widePath);
        switch (pe::CheckVersionResource(file)) {
            case pe::Outcome::kNone:
                return VersionLoad::kNoResource;
            case pe::Outcome::kUnreadable:
                return VersionLoad::kCopyFailed;
            case pe::Outcome::kCopied:
                break;
        }
    }
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(widePath.c_str(), &ignored);
    if (size < 1)
        return VersionLoad::kNoResource;
    copy_.assign(std::max<std::size_t>(size, kMinimumBuffer), 0);
    if (!GetFileVersionInfoW(widePath.c_str(), 0, size, copy_.data())) {
        copy_.clear();
        return VersionLoad::kCopyFailed;
    }
    // A 16-bit (NE) file's resource comes in the 16-bit layout, whose texts the
    // system widens into memory past the tree; our widened copy reads the same.
    if (copy_[4] >= ' ') {
        HandleSource file(widePath);
        copy_ = pe::CopyVersionResource(file).bytes;
        if (copy_.empty())
            return VersionLoad::kCopyFailed;
        copy_.resize(std::max<std::size_t>(copy_.size(), kMinimumBuffer), 0);
    }
    return VersionLoad::kLoaded;
}

std::optional<VersionValue> VersionResource::Query(const std::string& subBlock) const {
    // The 16-bit layout belongs to 16-bit files; in a PE image it is damage,
    // and the system would convert its texts into memory past our buffer.
    if (copy_.empty() || copy_[4] >= ' ')
        return std::nullopt;
    void* address = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(copy_.data(), Utf8ToWide(subBlock).c_str(), &address, &length))
        return std::nullopt;
    VersionValue value;
    // Compared as integers: a damaged tree may point anywhere.
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    const auto begin = reinterpret_cast<std::uintptr_t>(copy_.data());
    if (at >= begin && at < begin + copy_.size())
        value.bytes = std::span(copy_).subspan(at - begin);
    value.length = length;
    return value;
}

}  // namespace kvu
