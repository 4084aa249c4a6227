#include "core/radix64.h"

#include <array>
#include <cstdint>

#include "platform/encoding.h"

namespace kvu {
namespace {

constexpr std::int16_t kSkip = -1;
constexpr std::int16_t kPad = 64;

constexpr std::array<std::int16_t, 256> BuildDecodeTable() {
    std::array<std::int16_t, 256> table{};
    for (auto& entry : table)
        entry = kSkip;
    for (int i = 0; i < 26; ++i) {
        table['A' + i] = static_cast<std::int16_t>(i);
        table['a' + i] = static_cast<std::int16_t>(26 + i);
    }
    for (int i = 0; i < 10; ++i)
        table['0' + i] = static_cast<std::int16_t>(52 + i);
    table['+'] = 62;
    table['/'] = 63;
    table['='] = kPad;
    return table;
}

constexpr std::array<std::int16_t, 256> kDecodeTable = BuildDecodeTable();

}  // namespace

std::string Radix64DecodeBytes(std::string_view encoded) {
    std::string out;
    if (encoded.size() < 4)
        return out;
    out.reserve(encoded.size() / 4 * 3);
    unsigned group[4];
    int filled = 0;
    for (char c : encoded) {
        std::int16_t value = kDecodeTable[static_cast<unsigned char>(c)];
        if (value == kSkip)
            continue;
        group[filled++] = static_cast<unsigned>(value);
        if (filled < 4)
            continue;
        filled = 0;
        auto [a, b, c2, d] = group;
        out += static_cast<char>((a * 4 + b / 16) % 256);
        out += static_cast<char>(((b % 16) * 16 + c2 / 4) % 256);
        out += static_cast<char>(((c2 % 4) * 64 + d) % 256);
        if (d == kPad)
            out.pop_back();
        if (c2 == kPad)
            out.pop_back();
    }
    return out;
}

std::string Radix64Decode(std::string_view encoded) {
    return AnsiToUtf8(Radix64DecodeBytes(encoded));
}

}  // namespace kvu
