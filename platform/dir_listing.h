// Directory listing, for the local file index.
#pragma once

#include <cstdint>
#include <string>
#include <vector>
#include "platform/date_time.h"

namespace kvu {

// Attribute bits as the system reports them.
inline constexpr std::uint32_t kAttrHidden = 0x2;
inline constexpr std::uint32_t kAttrSystem = 0x4;
inline constexpr std::uint32_t kAttrFolder = 0x10;
inline constexpr std::uint32_t kAttrLink = 0x400;  // a link or junction to elsewhere

struct DirEntry {
    std::string name;
    std::uint32_t attributes = 0;
    DateTime lastWrite;      // local time, whole seconds (files only)
    std::uint64_t size = 0;  // files only
};

// The normal files of folder whose names match pattern: hidden and system
// files are left out, and so are folders. Wildcards "*" and "?" follow the
// system's rules, in which "*.*" also matches names without a dot; names are
// matched without regard to case. On Linux, names starting with "." are
// hidden and anything but a regular file (after links) counts as a system
// file. The folder may end with a separator or not.
std::vector<DirEntry> ListFiles(const std::string& folder, const std::string& pattern);

// The folders in folder, hidden and system ones left out, without "." and "..".
std::vector<DirEntry> ListFolders(const std::string& folder);

// ListFiles and ListFolders together, in one pass where the system allows.
struct FolderListing {
    std::vector<DirEntry> files;
    std::vector<DirEntry> folders;
};
FolderListing ListFolder(const std::string& folder, const std::string& pattern);

}  // namespace kvu
