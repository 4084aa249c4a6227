// Wildcard patterns for the names to extract or exclude.
#pragma once

#include <string_view>

namespace kvu::unzip {

// Whether a member name matches a pattern, both UTF-8: "*" matches any run of
// characters (separators too), "?" any one character, "[set]" one character of
// the set (ranges such as a-z; "[!set]" or "[^set]": one character not in it).
// "\" counts as "/" in both. ignoreCase compares upper-cased letters.
bool WildcardMatch(std::string_view name, std::string_view pattern, bool ignoreCase);

}  // namespace kvu::unzip
