#include <windows.h>

#include <string>

#include "platform/paths.h"
#include "platform/win32/wide.h"

namespace kvu {

std::string AppFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return ".";
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return ".";
    // A drive root keeps its separator: C:\ rather than C:
    bool root = slash == 2 && path[1] == L':';
    return WideToUtf8(path.substr(0, root ? slash + 1 : slash));
}

bool PathExists(const std::string& path) {
    return !path.empty() && GetFileAttributesW(Utf8ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool DeleteFileAt(const std::string& path) {
    return !path.empty() && DeleteFileW(Utf8ToWide(path).c_str()) != 0;
}

bool IsFolder(const std::string& path) {
    if (path.empty())
        return false;
    DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace kvu
