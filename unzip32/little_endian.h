// Little-endian fields of ZIP records.
#pragma once

#include <cstdint>

namespace kvu::unzip {

inline std::uint16_t Read16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t Read32(const unsigned char* p) {
    return std::uint32_t{Read16(p)} | (std::uint32_t{Read16(p + 2)} << 16);
}

inline std::uint64_t Read64(const unsigned char* p) {
    return std::uint64_t{Read32(p)} | (std::uint64_t{Read32(p + 4)} << 32);
}

}  // namespace kvu::unzip
