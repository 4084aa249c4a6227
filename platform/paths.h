// Paths: the separator, the program's folder, what a path names.
#pragma once

#include <algorithm>
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
    if constexpr (kPathSep != '\\')
        std::replace(path.begin(), path.end(), '\\', kPathSep);
    return path;
}

// The folder that holds the running executable, without a final separator
// unless it is a root.
std::string AppFolder();

// True when a file or a folder of that name exists.
bool PathExists(const std::string& path);

// True when a folder of that name exists (a file of that name is not one).
bool IsFolder(const std::string& path);

// Deletes the file; false when it could not be deleted or was not there.
bool DeleteFileAt(const std::string& path);

// --- Path text

// The piece after the last separator: the whole text when there is none, the
// empty text when the text ends with the separator.
std::string LastSegment(std::string_view text, char separator);

// The text without its last piece, the final separator kept (C:\a\ from
// C:\a\b.dll). Only the final piece goes, so a folder of the same name as the
// file stays in the path.
std::string WithoutLastSegment(std::string_view text, char separator);

// A file in a folder: folder, the platform separator, name; the separator is
// not doubled when the folder already ends with it (a drive root).
std::string JoinPath(std::string_view folder, std::string_view name);

// Whether a relative path that comes from outside (a repository row) stays
// inside the folder it is joined to: not rooted, no drive, UNC or stream
// prefix (no ":" at all), and no ".." that climbs above the folder. Both "\"
// and "/" separate.
bool StaysInsideFolder(std::string_view relative);

}  // namespace kvu
