// Our own profile-file engine for systems without the Windows profile API.
// It works on the raw ANSI bytes of a file and answers as the system functions
// do: the same line, section and key rules, quote stripping, value cuts and
// whole-number parsing. It is portable code so that the Windows tests can check
// it against the system functions.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kvu::ini {

// The value of key in section, or def when there is none; cut to bufferSize - 1
// characters as by a buffer of that size.
std::string ReadString(std::string_view text, std::string_view section, std::string_view key,
                       std::string_view def, std::size_t bufferSize = 1024);

// The value as a whole number; def when the key is missing or its value empty.
int ReadInt(std::string_view text, std::string_view section, std::string_view key, int def);

// The names of the keys that have a value in the first section of that name,
// in file order, without comment lines, up to the first empty name.
std::vector<std::string> KeyNames(std::string_view text, std::string_view section);

// The text with key in section set to value: an existing value is replaced in
// place, a missing key is added at the end of its section, a missing section at
// the end of the file. Every other line stays as it was.
std::string WriteString(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value);

}  // namespace kvu::ini
