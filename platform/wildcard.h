// File name patterns matched the way the system's directory listing matches
// them: "*" any run of characters, "?" one character or none before a dot or
// the end, "*." followed by more matching up to the last dot, and a final
// ".", ".*" or ".?" also matching a name without a dot ("*.*" matches every
// name). Letters are compared without regard to case. Plain C++, so that the
// Windows tests can check it against the system.
#pragma once

#include <string_view>

namespace kvu {

bool MatchesFilePattern(std::string_view name, std::string_view pattern);

}  // namespace kvu
