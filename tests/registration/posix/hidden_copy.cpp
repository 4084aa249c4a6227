#include "tests/registration/hidden_copy.h"

#include <filesystem>

namespace kvu::test {

// On Linux a leading dot hides a file.
void CopyHidden(const std::string& source, const std::string& folder, const std::string& name) {
    std::filesystem::copy_file(source, std::filesystem::path(folder) / ("." + name));
}

}  // namespace kvu::test
