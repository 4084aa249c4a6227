// Whole files: reading every byte, reading ANSI text lines, appending.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvu {

// Every byte of the file, or nothing when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(const std::string& path);

// The lines of an ANSI text file as UTF-8, without their line ends (CR LF or
// LF; a lone CR stays in its line). A last line without a line end counts; a
// final line end does not start another line. Empty lines are kept. nullopt
// when the file cannot be opened or read.
std::optional<std::vector<std::string>> ReadTextLines(const std::string& path);

// Appends bytes to the file, creating it when missing; false when that failed.
bool AppendToFile(const std::string& path, std::string_view bytes);

}  // namespace kvu
