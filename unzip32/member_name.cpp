#include "unzip32/member_name.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <vector>

#include "platform/encoding.h"

namespace kvu::unzip {
namespace {

constexpr std::uint32_t kUnixHost = 3;
constexpr std::uint32_t kUnixTypeMask = 0170000;
constexpr std::uint32_t kUnixFolder = 0040000;
constexpr std::uint32_t kDosFolderAttribute = 0x10;

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
        unsigned char lead = byte(0);
        std::size_t length = lead < 0x80   ? 1
                             : lead < 0xC2 ? 0
                             : lead < 0xE0 ? 2
                             : lead < 0xF0 ? 3
                             : lead < 0xF5 ? 4
                                           : 0;
        if (length == 0 || text.size() - i < length)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((byte(k) & 0xC0) != 0x80)
                return false;
        }
        if ((lead == 0xE0 && byte(1) < 0xA0) || (lead == 0xED && byte(1) >= 0xA0) ||
            (lead == 0xF0 && byte(1) < 0x90) || (lead == 0xF4 && byte(1) >= 0x90))
            return false;
        i += length;
    }
    return true;
}

bool IsDeviceName(std::string_view part) {
    std::string base(part.substr(0, part.find('.')));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    for (char& c : base)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" ||
        base == "CONOUT$")
        return true;
    if (!base.starts_with("COM") && !base.starts_with("LPT"))
        return false;
    // Windows takes the superscript digits for device numbers too.
    static constexpr std::string_view kDigits[] = {"0",      "1",      "2",      "3",      "4",
                                                   "5",      "6",      "7",      "8",      "9",
                                                   "\u00B9", "\u00B2", "\u00B3", "\u2074", "\u2075",
                                                   "\u2076", "\u2077", "\u2078", "\u2079"};
    const std::string_view number = std::string_view(base).substr(3);
    return std::find(std::begin(kDigits), std::end(kDigits), number) != std::end(kDigits);
}

bool HasForbiddenCharacter(std::string_view part) {
    for (std::size_t i = 0; i < part.size(); ++i) {
        auto c = static_cast<unsigned char>(part[i]);
        if (c < 0x20 || c == 0x7F ||
            std::string_view(":<>\"|?*").find(static_cast<char>(c)) != std::string_view::npos)
            return true;
        // C1 control characters, U+0080 to U+009F.
        if (c == 0xC2 && i + 1 < part.size() && static_cast<unsigned char>(part[i + 1]) < 0xA0)
            return true;
    }
    return false;
}

std::vector<std::string_view> SplitParts(std::string_view name) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || name[i] == '/' || name[i] == '\\') {
            parts.push_back(name.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

}  // namespace

std::optional<std::string> MemberName(const MemberEntry& entry) {
    if (!entry.unicodeName.empty() && IsValidUtf8(entry.unicodeName))
        return entry.unicodeName;
    if (entry.flags & kFlagUtf8) {
        if (!IsValidUtf8(entry.rawName))
            return std::nullopt;
        return entry.rawName;
    }
    return OemToUtf8(entry.rawName);
}

bool IsFolderEntry(const MemberEntry& entry, std::string_view name) {
    if (!name.empty() && (name.back() == '/' || name.back() == '\\'))
        return true;
    if ((entry.versionMadeBy >> 8) == kUnixHost &&
        ((entry.externalAttributes >> 16) & kUnixTypeMask) == kUnixFolder)
        return true;
    return (entry.externalAttributes & kDosFolderAttribute) && entry.uncompressedSize == 0;
}

std::string_view LastPart(std::string_view name) {
    std::size_t separator = name.find_last_of("/\\");
    return separator == std::string_view::npos ? name : name.substr(separator + 1);
}

bool IsSafePart(std::string_view part) {
    if (part.empty() || part == "." || part == ".." || HasForbiddenCharacter(part))
        return false;
    if (part.back() == '.' || part.back() == ' ')
        return false;
    return !IsDeviceName(part);
}

std::optional<std::string> OutputPath(std::string_view name, bool keepFolders,
                                      bool spaceToUnderscore, char separator) {
    std::vector<std::string_view> parts = SplitParts(name);
    if (!keepFolders)
        parts = {parts.back()};
    std::string path;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::string part(parts[i]);
        bool last = i + 1 == parts.size();
        if (!last && (part.empty() || part == "."))
            continue;
        if (spaceToUnderscore) {
            for (char& c : part)
                c = c == ' ' ? '_' : c;
        }
        if (!IsSafePart(part))
            return std::nullopt;
        if (!path.empty())
            path += separator;
        path += part;
    }
    return path;
}

}  // namespace kvu::unzip
