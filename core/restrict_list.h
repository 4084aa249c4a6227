// "restrict.txt" in the application folder: the files that are never offered.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvu {

inline constexpr std::string_view kRestrictFileName = "restrict.txt";

// Every line of the file upper-cased and otherwise as it is (no trimming, empty
// lines kept), in file order; empty when the file is missing or unreadable.
std::vector<std::string> LoadRestrictList(const std::string& appFolder);

}  // namespace kvu
