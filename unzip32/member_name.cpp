#include "unzip32/member_name.h"

#include <array>
#include <cctype>
#include <vector>

#include "platform/utf8_codec.h"

namespace kvu::unzip {
namespace {

// Code page 437's upper half.
constexpr std::array<char16_t, 128> kCodePage437 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4,
    0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

constexpr std::uint32_t kUnixHost = 3;
constexpr std::uint32_t kUnixTypeMask = 0170000;
constexpr std::uint32_t kUnixFolder = 0040000;
constexpr std::uint32_t kDosFolderAttribute = 0x10;

std::string FromCodePage437(std::string_view raw) {
    std::string out;
    out.reserve(raw.size() * 2);
    for (char ch : raw) {
        auto byte = static_cast<unsigned char>(ch);
        AppendUtf8(byte < 0x80 ? char32_t{byte} : char32_t{kCodePage437[byte - 0x80]}, out);
    }
    return out;
}

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
    return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
           base[3] >= '0' && base[3] <= '9';
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
    return FromCodePage437(entry.rawName);
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
