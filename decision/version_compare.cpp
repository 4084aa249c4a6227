#include "decision/version_compare.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/plain_text.h"

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

}  // namespace

bool IsLowerVersion(std::string_view first, std::string_view second) {
    std::vector<std::string_view> mine = Components(first);
    std::vector<std::string_view> theirs = Components(second);
    for (std::size_t i = 0; i < theirs.size(); ++i) {
        if (i >= mine.size())
            return true;
        std::optional<std::int32_t> a = ParseStrictWholeNumber(mine[i]);
        std::optional<std::int32_t> b = ParseStrictWholeNumber(theirs[i]);
        if (!a || !b)
            return true;
        if (*a != *b)
            return *a < *b;
    }
    return false;
}

}  // namespace kvu
