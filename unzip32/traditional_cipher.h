// The traditional PKWARE encryption of ZIP members (a stream cipher keyed by
// the password), as far as reading needs it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kvu::unzip {

inline constexpr std::size_t kCipherHeaderSize = 12;

class TraditionalCipher {
  public:
    explicit TraditionalCipher(std::string_view password);

    void Decrypt(unsigned char* data, std::size_t size);

  private:
    void Update(unsigned char plain);

    std::uint32_t keys_[3];
};

// Decrypts a member's 12-byte encryption header with cipher and tells whether
// its last byte is the check byte the member expects: the CRC's high byte, or,
// for members with a data descriptor, the high byte of the DOS time. A wrong
// password passes this check once in 256 tries; the CRC catches it later.
bool HeaderFits(TraditionalCipher& cipher, unsigned char header[kCipherHeaderSize],
                unsigned char expected);

}  // namespace kvu::unzip
