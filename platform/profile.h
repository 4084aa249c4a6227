// Profile (INI) files: per-product settings in kvu.ini.
// Names are matched without regard to case; the file is ANSI text.
#pragma once

#include <string>
#include <vector>

namespace kvu {

// Values longer than this are cut, as by the system's 1024-character buffer.
inline constexpr std::size_t kProfileValueMax = 1023;

// The value of key in section, or defaultValue when the file, the section or the
// key is missing.
std::string ReadProfileString(const std::string& section, const std::string& key,
                              const std::string& defaultValue, const std::string& filePath);

// The value read as a whole number, or defaultValue when the key is missing.
int ReadProfileInt(const std::string& section, const std::string& key, int defaultValue,
                   const std::string& filePath);

// The names of the keys of a section that have a value ("name=..."), in file
// order, up to a key with an empty name; comment lines (";...") are not keys.
// Empty when the file or the section is missing.
std::vector<std::string> ReadProfileKeys(const std::string& section, const std::string& filePath);

// Creates the file, the section and the key as needed and replaces an existing
// value; false when the file could not be written.
bool WriteProfileValue(const std::string& section, const std::string& key, const std::string& value,
                       const std::string& filePath);

}  // namespace kvu
