// Ordering of dotted version texts such as 2.1.0.15.
#pragma once

#include <string_view>

namespace kvu {

// True when the first version is lower than the second. Components are compared
// as 32-bit signed numbers, position by position, over the second version's
// length: a shorter first version is lower, a component that is not such a
// number (empty, text, out of range) makes the first version lower, and
// components of the first version beyond the second's length are ignored.
// So 1.2 < 1.2.1, 1.9 < 1.10, 01.2 == 1.2, "" < anything non-empty, and
// nothing is lower than "".
bool IsLowerVersion(std::string_view first, std::string_view second);

}  // namespace kvu
