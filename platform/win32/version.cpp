#include <windows.h>

#include <algorithm>

#include "platform/version.h"
#include "platform/win32/wide.h"

namespace kvu {
namespace {

// The system's lookups trust the lengths inside the resource. Zeros after the
// copy keep a damaged tree's walk inside our buffer: three levels of 16-bit
// lengths cannot reach further.
constexpr std::size_t kMinimumBuffer = 256 * 1024;

}  // namespace

VersionLoad VersionResource::Load(const std::string& path) {
    copy_.clear();
    const std::wstring widePath = Utf8ToWide(path);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(widePath.c_str(), &ignored);
    if (size < 1)
        return VersionLoad::kNoResource;
    copy_.assign(std::max<std::size_t>(size, kMinimumBuffer), 0);
    if (!GetFileVersionInfoW(widePath.c_str(), 0, size, copy_.data())) {
        copy_.clear();
        return VersionLoad::kCopyFailed;
    }
    return VersionLoad::kLoaded;
}

std::optional<VersionValue> VersionResource::Query(const std::string& subBlock) const {
    if (copy_.empty())
        return std::nullopt;
    void* address = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(copy_.data(), Utf8ToWide(subBlock).c_str(), &address, &length))
        return std::nullopt;
    VersionValue value;
    const auto* first = static_cast<const std::uint8_t*>(address);
    const std::uint8_t* begin = copy_.data();
    const std::uint8_t* end = begin + copy_.size();
    // Compared as integers: a damaged tree may point anywhere.
    const auto at = reinterpret_cast<std::uintptr_t>(first);
    if (at >= reinterpret_cast<std::uintptr_t>(begin) && at < reinterpret_cast<std::uintptr_t>(end))
        value.bytes = std::span(copy_).subspan(at - reinterpret_cast<std::uintptr_t>(begin));
    value.length = length;
    return value;
}

}  // namespace kvu
