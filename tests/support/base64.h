// A plain Base64 encoder, to write repository files the way the maker does.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace kvu::test {

inline std::string Base64Encode(std::string_view bytes) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t taken = std::min<std::size_t>(3, bytes.size() - i);
        unsigned group = 0;  // three bytes, zeros past the end
        for (std::size_t k = 0; k < 3; ++k)
            group = group << 8 | (k < taken ? static_cast<unsigned char>(bytes[i + k]) : 0U);
        // One character more than bytes taken; '=' pads the group to four.
        for (std::size_t k = 0; k < 4; ++k)
            out += k <= taken ? kAlphabet[(group >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

}  // namespace kvu::test
