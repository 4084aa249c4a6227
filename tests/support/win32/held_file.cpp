#include "tests/support/held_file.h"

#include <windows.h>

#include <filesystem>

namespace kvu::test {

struct HeldFile::Holder {
    HANDLE handle = INVALID_HANDLE_VALUE;
};

HeldFile::HeldFile(const std::string& path) : holder_(std::make_unique<Holder>()) {
    holder_->handle = CreateFileW(std::filesystem::path(path).wstring().c_str(), GENERIC_READ, 0,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}
HeldFile::~HeldFile() {
    if (held())
        CloseHandle(holder_->handle);
}
bool HeldFile::held() const {
    return holder_->handle != INVALID_HANDLE_VALUE;
}

}  // namespace kvu::test
