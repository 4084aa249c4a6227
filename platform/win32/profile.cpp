#include <windows.h>

#include <string>

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

bool WriteProfileValue(const std::string& section, const std::string& key, const std::string& value,
                       const std::string& filePath) {
    return WritePrivateProfileStringW(Utf8ToWide(section).c_str(), Utf8ToWide(key).c_str(),
                                      Utf8ToWide(value).c_str(),
                                      Utf8ToWide(filePath).c_str()) != FALSE;
}

}  // namespace kvu
