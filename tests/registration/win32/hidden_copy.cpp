#include "tests/registration/hidden_copy.h"

#include <windows.h>

#include <filesystem>

namespace kvu::test {

void CopyHidden(const std::string& source, const std::string& folder, const std::string& name) {
    const std::filesystem::path target = std::filesystem::path(folder) / name;
    std::filesystem::copy_file(source, target);
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_HIDDEN);
}

}  // namespace kvu::test
