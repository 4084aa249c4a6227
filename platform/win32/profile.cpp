#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/profile.h"
#include "platform/win32/wide.h"

namespace kvu {

// The wide forms keep the file ANSI: the system converts with the ANSI code page.
std::string ReadProfileString(const std::string& section, const std::string& key,
                              const std::string& defaultValue, const std::string& filePath) {
    wchar_t buffer[kProfileValueMax + 1] = {};
    GetPrivateProfileStringW(Utf8ToWide(section).c_str(), Utf8ToWide(key).c_str(),
                             Utf8ToWide(defaultValue).c_str(), buffer, kProfileValueMax + 1,
                             Utf8ToWide(filePath).c_str());
    return WideToUtf8(buffer);
}

int ReadProfileInt(const std::string& section, const std::string& key, int defaultValue,
                   const std::string& filePath) {
    return static_cast<int>(GetPrivateProfileIntW(Utf8ToWide(section).c_str(),
                                                  Utf8ToWide(key).c_str(), defaultValue,
                                                  Utf8ToWide(filePath).c_str()));
}

std::vector<std::string> ReadProfileKeys(const std::string& section, const std::string& filePath) {
    // The names come as a list of NUL-terminated texts ending in an empty one;
    // a result of size - 2 means the buffer was too small.
    std::vector<wchar_t> buffer(4096);
    DWORD n = 0;
    for (;;) {
        n = GetPrivateProfileStringW(Utf8ToWide(section).c_str(), nullptr, L"", buffer.data(),
                                     static_cast<DWORD>(buffer.size()),
                                     Utf8ToWide(filePath).c_str());
        if (n + 2 < buffer.size())
            break;
        buffer.resize(buffer.size() * 2);
    }
    std::vector<std::string> names;
    for (const wchar_t* name = buffer.data(); name < buffer.data() + n && *name;) {
        std::wstring_view view(name);
        names.push_back(WideToUtf8(view));
        name += view.size() + 1;
    }
    return names;
}

bool WriteProfileValue(const std::string& section, const std::string& key, const std::string& value,
                       const std::string& filePath) {
    return WritePrivateProfileStringW(Utf8ToWide(section).c_str(), Utf8ToWide(key).c_str(),
                                      Utf8ToWide(value).c_str(),
                                      Utf8ToWide(filePath).c_str()) != FALSE;
}

}  // namespace kvu
