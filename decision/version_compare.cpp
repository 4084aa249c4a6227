#include "decision/version_compare.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <vector>

namespace kvu {
namespace {

// The pieces between the dots; an empty text has none, "1.2." has three.
std::vector<std::string_view> Components(std::string_view text) {
    std::vector<std::string_view> parts;
    if (text.empty())
        return parts;
    for (;;) {
        std::size_t dot = text.find('.');
        parts.push_back(text.substr(0, dot));
        if (dot == std::string_view::npos)
            return parts;
        text.remove_prefix(dot + 1);
    }
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// A signed 32-bit decimal number with optional blanks around it.
std::optional<std::int32_t> ReadComponent(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    std::int32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

}  // namespace

bool IsLowerVersion(std::string_view first, std::string_view second) {
    std::vector<std::string_view> mine = Components(first);
    std::vector<std::string_view> theirs = Components(second);
    for (std::size_t i = 0; i < theirs.size(); ++i) {
        if (i >= mine.size())
            return true;
        std::optional<std::int32_t> a = ReadComponent(mine[i]);
        std::optional<std::int32_t> b = ReadComponent(theirs[i]);
        if (!a || !b)
            return true;
        if (*a != *b)
            return *a < *b;
    }
    return false;
}

}  // namespace kvu
