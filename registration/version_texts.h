// The texts the version record shows for the numbers of a fixed version block.
#pragma once

#include <cstdint>
#include <string>

namespace kvu {

// High word, ".", low word, in decimal: "1.0".
std::string StructureVersionText(std::uint32_t value);

// The four 16-bit words of a version, unsigned, joined by ".": 5.1.2600.65535.
std::string VersionNumberText(std::uint32_t mostSignificant, std::uint32_t leastSignificant);

// "Debug ", "PreRel ", "Patched ", "Private ", "Info ", "Special " for each set
// bit, in that order; the flags mask is not applied.
std::string FileFlagsText(std::uint32_t flags);

// "NT-Win32" and the like; "Unknown" for 0; empty for a value not in the table.
std::string FileOsText(std::uint32_t os);

// "App", "DLL", "Driver", "Font", "VxD", "Lib"; "Unknown" for every other value.
std::string FileTypeText(std::uint32_t type);

// The sub-type of a driver or a font; empty for every other type.
std::string FileSubTypeText(std::uint32_t type, std::uint32_t subType);

}  // namespace kvu
