#include <cstdint>

#include "platform/encoding.h"
#include "platform/utf8_codec.h"

namespace kvu {
namespace {

char32_t UpperCodePoint(char32_t c) {
    if (c >= U'a' && c <= U'z')
        return c - 0x20;
    if (c < 0xE0)
        return c;
    if (c <= 0xFE)
        return c == 0xF7 ? c : c - 0x20;  // Latin-1, but the division sign
    if (c == 0xFF)
        return 0x178;  // ÿ
    // Latin Extended-A: pairs of capital and small letter, the capital first
    // on even code points in these two runs and on odd ones in the other two.
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return c & ~char32_t{1};
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c & 1) ? c : c - 1;
    return c;
}

}  // namespace

std::string UpperCase(std::string_view utf8) {
    // Paths and names are mostly ASCII, and the local index upper-cases
    // thousands of them.
    std::string out(utf8);
    bool ascii = true;
    for (char& ch : out) {
        if (static_cast<unsigned char>(ch) >= 0x80) {
            ascii = false;
            break;
        }
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 0x20);
    }
    if (ascii)
        return out;
    out.clear();
    for (std::size_t i = 0; i < utf8.size();) {
        // Single bytes, valid or not, pass through with ASCII upper-cased.
        const Utf8Sequence sequence = DecodeUtf8(utf8, i);
        if (!sequence.valid || sequence.length == 1) {
            char ch = utf8[i];
            out += (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 0x20) : ch;
        } else {
            AppendUtf8(UpperCodePoint(sequence.codePoint), out);
        }
        i += sequence.length;
    }
    return out;
}

char UpperAnsiChar(char c) {
    auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z')
        return static_cast<char>(b - 0x20);
    switch (b) {
        case 0x9A:
            return static_cast<char>(0x8A);  // š
        case 0x9C:
            return static_cast<char>(0x8C);  // ś
        case 0x9D:
            return static_cast<char>(0x8D);  // ť
        case 0x9E:
            return static_cast<char>(0x8E);  // ž
        case 0x9F:
            return static_cast<char>(0x8F);  // ź
        case 0xB3:
            return static_cast<char>(0xA3);  // ł
        case 0xB9:
            return static_cast<char>(0xA5);  // ą
        case 0xBA:
            return static_cast<char>(0xAA);  // ş
        case 0xBE:
            return static_cast<char>(0xBC);  // ľ
        case 0xBF:
            return static_cast<char>(0xAF);  // ż
        default:
            break;
    }
    if (b >= 0xE0 && b != 0xF7 && b != 0xFF)
        return static_cast<char>(b - 0x20);
    return c;
}

}  // namespace kvu
