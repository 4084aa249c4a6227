// The per-user settings store of the Win32 backend: values in the registry.
#include <windows.h>

#include <memory>
#include <type_traits>

#include "platform/win32/wide.h"
#include "platform/win32/windowing/win32_backend.h"

namespace kvu::ui::win32 {
namespace {

// Values live under HKEY_CURRENT_USER\Software\<application>\<section>.
std::wstring SettingsKey(const std::string& app, const std::string& section) {
    return L"Software\\" + Utf8ToWide(app) + L"\\" + Utf8ToWide(section);
}

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
// An open registry key, closed on every way out.
using RegistryKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

}  // namespace

std::string Win32Backend::GetSetting(const std::string& app, const std::string& section,
                                     const std::string& key, const std::string& def) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SettingsKey(app, section).c_str(), 0, KEY_QUERY_VALUE,
                      &opened) != ERROR_SUCCESS)
        return def;
    const RegistryKey handle(opened);
    std::wstring name = Utf8ToWide(key);
    DWORD type = 0;
    DWORD size = 0;
    std::string value = def;
    if (RegQueryValueExW(handle.get(), name.c_str(), nullptr, &type, nullptr, &size) ==
            ERROR_SUCCESS &&
        type == REG_SZ) {
        std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(handle.get(), name.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(text.data()), &size) == ERROR_SUCCESS) {
            text.resize(wcsnlen(text.c_str(), size / sizeof(wchar_t)));
            value = WideToUtf8(text);
        }
    }
    return value;
}

void Win32Backend::SaveSetting(const std::string& app, const std::string& section,
                               const std::string& key, const std::string& value) {
    HKEY created = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, SettingsKey(app, section).c_str(), 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &created, nullptr) != ERROR_SUCCESS)
        return;
    const RegistryKey handle(created);
    std::wstring text = Utf8ToWide(value);
    RegSetValueExW(handle.get(), Utf8ToWide(key).c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

}  // namespace kvu::ui::win32
