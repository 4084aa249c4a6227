// Version resources: a copy of a file's VS_VERSIONINFO resource and the values
// of its sub-blocks. Windows asks the system's version functions; elsewhere our
// own reader of the PE resource directory does the same work.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kvu {

enum class VersionLoad {
    kNoResource,  // no version resource, or the file is missing or unreadable
    kCopyFailed,  // the resource is there but could not be copied
    kLoaded,
};

// One value of a loaded resource. The bytes run from the value to the end of
// the copy; bytes after the end read as zero. The length is the one the
// resource declares: characters for text values, bytes for binary ones.
struct VersionValue {
    std::span<const std::uint8_t> bytes;
    std::uint32_t length = 0;
};

// The version resource of one file at a time.
class VersionResource {
  public:
    // Replaces the copy held with the version resource of path.
    VersionLoad Load(const std::string& path);

    // The value a sub-block path names: "\\" the root block,
    // "\\VarFileInfo\\Translation", "\\StringFileInfo\\040904B0\\CompanyName".
    // Empty components are skipped; names are matched without regard to case.
    // Valid until the next Load.
    std::optional<VersionValue> Query(const std::string& subBlock) const;

  private:
    std::vector<std::uint8_t> copy_;
};

}  // namespace kvu
