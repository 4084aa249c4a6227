// File system operations.
#pragma once

#include <string>

namespace kvu {

#ifdef _WIN32
inline constexpr char kPathSep = '\\';
#else
inline constexpr char kPathSep = '/';
#endif

// The folder that holds the running executable, without a final separator
// unless it is a root.
std::string AppFolder();

// True when a file or a folder of that name exists.
bool PathExists(const std::string& path);

}  // namespace kvu
