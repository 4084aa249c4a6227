#include <windows.h>

#include "platform/environment.h"
#include "platform/win32/wide.h"

namespace kvu {

std::string EnvironmentVariable(const std::string& name) {
    std::wstring wideName = Utf8ToWide(name);
    std::wstring value(256, L'\0');
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        DWORD n = GetEnvironmentVariableW(wideName.c_str(), value.data(),
                                          static_cast<DWORD>(value.size()));
        if (n == 0)
            return {};
        if (n < value.size()) {
            value.resize(n);
            return WideToUtf8(value);
        }
        value.resize(n);  // n counts the terminating NUL when the buffer was too small
    }
}

}  // namespace kvu
