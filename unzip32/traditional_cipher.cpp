#include "unzip32/traditional_cipher.h"

#include <array>

namespace kvu::unzip {
namespace {

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

std::uint32_t CrcStep(std::uint32_t crc, unsigned char byte) {
    return kCrcTable[(crc ^ byte) & 0xFF] ^ (crc >> 8);
}

}  // namespace

TraditionalCipher::TraditionalCipher(std::string_view password)
    : keys_{0x12345678u, 0x23456789u, 0x34567890u} {
    for (char c : password)
        Update(static_cast<unsigned char>(c));
}

void TraditionalCipher::Update(unsigned char plain) {
    keys_[0] = CrcStep(keys_[0], plain);
    keys_[1] = (keys_[1] + (keys_[0] & 0xFF)) * 134775813u + 1;
    keys_[2] = CrcStep(keys_[2], static_cast<unsigned char>(keys_[1] >> 24));
}

void TraditionalCipher::Decrypt(unsigned char* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        std::uint32_t temp = (keys_[2] & 0xFFFF) | 2;
        auto plain = static_cast<unsigned char>(data[i] ^ ((temp * (temp ^ 1)) >> 8));
        data[i] = plain;
        Update(plain);
    }
}

bool HeaderFits(TraditionalCipher& cipher, unsigned char header[kCipherHeaderSize],
                unsigned char expected) {
    cipher.Decrypt(header, kCipherHeaderSize);
    return header[kCipherHeaderSize - 1] == expected;
}

}  // namespace kvu::unzip
