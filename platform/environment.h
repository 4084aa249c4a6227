// The process environment.
#pragma once

#include <string>

namespace kvu {

// The value of an environment variable, or the empty text when it is not set.
// Names are matched without regard to case on every platform, as Windows does;
// on Linux an exact match wins over one in other letter case.
std::string EnvironmentVariable(const std::string& name);

}  // namespace kvu
