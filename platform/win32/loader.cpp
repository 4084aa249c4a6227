#include "platform/loader.h"

#include <windows.h>

#include <utility>

#include "platform/win32/wide.h"

namespace kvu {
namespace {

std::string SystemMessage(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return WideToUtf8(text);
}

}  // namespace

LoadedLibrary::LoadedLibrary(const std::string& path) {
    // The library's own folder is searched for what it needs, not the program's.
    handle_ = LoadLibraryExW(Utf8ToWide(path).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (handle_)
        return;
    loadError_ = GetLastError();
    loadErrorText_ = SystemMessage(loadError_);
}

void* LoadedLibrary::Address(const char* name) const {
    if (!handle_)
        return nullptr;
    // The cast between function and object pointers is how GetProcAddress is used.
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

void LoadedLibrary::Release() {
    if (handle_)
        FreeLibrary(static_cast<HMODULE>(std::exchange(handle_, nullptr)));
}

bool IsLibraryLoaded(const std::string& path) {
    return GetModuleHandleW(Utf8ToWide(path).c_str()) != nullptr;
}

}  // namespace kvu
