// Decoding of the repository's Base64 lines.
#pragma once

#include <string>
#include <string_view>

namespace kvu {

// The bytes of one encoded line. Characters outside the alphabet (line breaks,
// blanks, anything else) are skipped; every complete group of four values gives
// three bytes, less one for each of its last two values that is the padding
// "="; an incomplete last group is ignored; a text under four characters gives
// nothing.
std::string Radix64DecodeBytes(std::string_view encoded);

// The decoded line as text: its bytes read as ANSI text.
std::string Radix64Decode(std::string_view encoded);

}  // namespace kvu
