// Reading and writing one code point as UTF-8, shared by the portable text
// conversions and the extraction library.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kvu {

inline void AppendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

struct Utf8Sequence {
    char32_t codePoint = 0;  // the lead byte itself when the sequence is not valid
    std::size_t length = 1;
    bool valid = false;
};

// The sequence at text[at], its length taken from the lead byte and its
// continuation bytes checked. A stray continuation byte, a cut or broken
// sequence is one invalid byte. Longer forms, overlong forms and surrogates are
// left for the caller to judge.
inline Utf8Sequence DecodeUtf8(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    const Utf8Sequence invalid{lead, 1, false};
    if (length == 1)
        return {lead, 1, lead < 0x80};
    if (length > text.size() - at)
        return invalid;
    char32_t c = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80)
            return invalid;
        c = (c << 6) | (next & 0x3F);
    }
    return {c, length, true};
}

}  // namespace kvu
