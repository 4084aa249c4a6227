#include <windows.h>

#include <cwchar>
#include <random>
#include <string>

#include "platform/files.h"
#include "platform/win32/wide.h"

namespace kvu {
namespace {

constexpr int kNameAttempts = 100;
// WriteFile takes a 32-bit count; larger pieces go in several calls.
constexpr std::size_t kMaxWrite = 1u << 30;

std::wstring FolderOf(const std::wstring& path) {
    std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return L".";
    return path.substr(0, slash);
}

std::wstring TemporaryName(const std::wstring& folder, std::random_device& random) {
    wchar_t name[32];
    std::swprintf(name, 32, L"\\kvu%08x.tmp", static_cast<unsigned>(random()));
    return folder + name;
}

}  // namespace

struct StagedFile::Handle {
    HANDLE file = INVALID_HANDLE_VALUE;
    std::wstring path;
};

StagedFile::StagedFile(const std::string& targetPath) : targetPath_(targetPath) {
    std::wstring folder = FolderOf(Utf8ToWide(targetPath));
    std::random_device random;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::wstring path = TemporaryName(folder, random);
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            handle_ = std::make_unique<Handle>(Handle{file, path});
            return;
        }
        if (GetLastError() != ERROR_FILE_EXISTS)
            return;
    }
}

StagedFile::~StagedFile() {
    if (!handle_)
        return;
    if (handle_->file != INVALID_HANDLE_VALUE)
        CloseHandle(handle_->file);
    DeleteFileW(handle_->path.c_str());
}

bool StagedFile::IsOpen() const {
    return handle_ && handle_->file != INVALID_HANDLE_VALUE;
}

bool StagedFile::Write(std::string_view bytes) {
    if (!IsOpen())
        return false;
    while (!bytes.empty()) {
        DWORD piece = static_cast<DWORD>(bytes.size() < kMaxWrite ? bytes.size() : kMaxWrite);
        DWORD written = 0;
        if (!WriteFile(handle_->file, bytes.data(), piece, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool StagedFile::Commit() {
    if (!IsOpen())
        return false;
    HANDLE file = handle_->file;
    handle_->file = INVALID_HANDLE_VALUE;
    if (!CloseHandle(file))
        return false;
    if (!MoveFileExW(handle_->path.c_str(), Utf8ToWide(targetPath_).c_str(),
                     MOVEFILE_REPLACE_EXISTING))
        return false;
    handle_.reset();
    return true;
}

}  // namespace kvu
