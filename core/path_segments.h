// Cutting the last piece off a URL or a path.
#pragma once

#include <string>
#include <string_view>

namespace kvu {

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

}  // namespace kvu
