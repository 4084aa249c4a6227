// File system operations.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/date_time.h"

namespace kvu {

#ifdef _WIN32
inline constexpr char kPathSep = '\\';
#else
inline constexpr char kPathSep = '/';
#endif

// A relative path from the maker's files, where "\" separates folders, with
// this platform's separators.
inline std::string ToNativeSeparators(std::string_view relative) {
    std::string path(relative);
    if constexpr (kPathSep != '\\') std::replace(path.begin(), path.end(), '\\', kPathSep);
    return path;
}

// The folder that holds the running executable, without a final separator
// unless it is a root.
std::string AppFolder();

// True when a file or a folder of that name exists.
bool PathExists(const std::string& path);

// True when a folder of that name exists (a file of that name is not one).
bool IsFolder(const std::string& path);

// --- Whole files

// Every byte of the file, or nothing when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(const std::string& path);

// The lines of an ANSI text file as UTF-8, without their line ends (CR LF or
// LF; a lone CR stays in its line). A last line without a line end counts; a
// final line end does not start another line. Empty lines are kept. nullopt
// when the file cannot be opened or read.
std::optional<std::vector<std::string>> ReadTextLines(const std::string& path);

// --- Lock test

// True when the file exists but another process holds it open in a way that
// would make replacing it fail. False for a missing file, a folder, and a file
// this user cannot write to. One final separator is ignored. Nothing is
// written and the file's times stay as they were.
bool IsFileLocked(const std::string& path);

// --- Directory listing, for the local file index

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

// Appends bytes to the file, creating it when missing; false when that failed.
bool AppendToFile(const std::string& path, std::string_view bytes);

}  // namespace kvu
