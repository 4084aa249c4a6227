#include "platform/plain_text.h"

#include <algorithm>
#include <charconv>

namespace kvu {
namespace {

std::string_view TrimAny(std::string_view text, std::string_view blanks) {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return text.substr(text.size());  // empty, still pointing into the text
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace

std::string_view TrimSpaces(std::string_view text) {
    return TrimAny(text, " ");
}

std::string_view TrimBlanks(std::string_view text) {
    return TrimAny(text, " \t");
}

std::optional<std::int32_t> ParseStrictWholeNumber(std::string_view text) {
    text = TrimBlanks(text);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    std::int32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace kvu
