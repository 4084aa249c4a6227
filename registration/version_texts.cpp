#include "registration/version_texts.h"

#include <array>
#include <utility>

namespace kvu {
namespace {

constexpr std::uint32_t kTypeDriver = 3;
constexpr std::uint32_t kTypeFont = 4;

std::string Words(std::uint32_t value) {
    return std::to_string(value >> 16) + "." + std::to_string(value & 0xFFFF);
}

}  // namespace

std::string StructureVersionText(std::uint32_t value) {
    return Words(value);
}

std::string VersionNumberText(std::uint32_t mostSignificant, std::uint32_t leastSignificant) {
    return Words(mostSignificant) + "." + Words(leastSignificant);
}

std::string FileFlagsText(std::uint32_t flags) {
    static constexpr std::array<std::pair<std::uint32_t, const char*>, 6> kFlags = {{
        {0x01, "Debug "},
        {0x02, "PreRel "},
        {0x04, "Patched "},
        {0x08, "Private "},
        {0x10, "Info "},
        {0x20, "Special "},
    }};
    std::string text;
    for (const auto& [bit, name] : kFlags) {
        if (flags & bit)
            text += name;
    }
    return text;
}

std::string FileOsText(std::uint32_t os) {
    switch (os) {
        case 0x10001:
            return "DOS-Win16";
        case 0x10004:
            return "DOS-Win32";
        case 0x20002:
            return "OS/2-16 PM-16";
        case 0x30003:
            return "OS/2-16 PM-32";
        case 0x40004:
            return "NT-Win32";
        case 0:
            return "Unknown";
        default:
            return "";
    }
}

std::string FileTypeText(std::uint32_t type) {
    static constexpr std::array<const char*, 8> kTypes = {"Unknown", "App", "DLL",     "Driver",
                                                          "Font",    "VxD", "Unknown", "Lib"};
    return type < kTypes.size() ? kTypes[type] : "Unknown";
}

std::string FileSubTypeText(std::uint32_t type, std::uint32_t subType) {
    static constexpr std::array<const char*, 11> kDrivers = {
        "Unknown",     "Printer drv", "Keyboard drv", "Language drv", "Display drv", "Mouse drv",
        "Network drv", "System drv",  "Installable",  "Sound drv",    "Comm drv"};
    static constexpr std::array<const char*, 4> kFonts = {"", "Raster Font", "Vector Font",
                                                          "TrueType Font"};
    if (type == kTypeDriver)
        return subType < kDrivers.size() ? kDrivers[subType] : "";
    if (type == kTypeFont)
        return subType < kFonts.size() ? kFonts[subType] : "";
    return "";
}

}  // namespace kvu
