// A copy of a file that the system's listing treats as hidden.
#pragma once

#include <string>

namespace kvu::test {

// Copies source into folder as a hidden file whose name starts with name.
void CopyHidden(const std::string& source, const std::string& folder, const std::string& name);

}  // namespace kvu::test
