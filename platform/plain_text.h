// Small text helpers shared by the parsers of the repository, the settings and
// version texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kvu {

// The text without the spaces at either end (tabs stay).
std::string_view TrimSpaces(std::string_view text);

// The text without the spaces and tabs at either end.
std::string_view TrimBlanks(std::string_view text);

// A decimal whole number with an optional sign, spaces and tabs around it
// allowed, within the signed 32-bit range; nothing for anything else.
std::optional<std::int32_t> ParseStrictWholeNumber(std::string_view text);

// True when every byte is below 0x80.
bool IsAscii(std::string_view text);

}  // namespace kvu
