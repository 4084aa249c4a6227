// File system operations.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

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

// --- Whole files

// Every byte of the file, or nothing when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(const std::string& path);

// --- Lock test

// True when the file exists but another process holds it open in a way that
// would make replacing it fail. False for a missing file, a folder, and a file
// this user cannot write to. One final separator is ignored. Nothing is
// written and the file's times stay as they were.
bool IsFileLocked(const std::string& path);

}  // namespace kvu
