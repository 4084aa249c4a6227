#include <windows.h>

#include <string>

#include "platform/file_lock.h"
#include "platform/paths.h"
#include "platform/win32/wide.h"

namespace kvu {

// Asks for the access an installer needs to replace the file: writing, with
// no sharing. Only a sharing violation means someone else has it open; access
// denied (read-only, a folder) or a missing file is not a lock.
bool IsFileLocked(const std::string& path) {
    std::string file = path;
    if (!file.empty() && file.back() == kPathSep)
        file.pop_back();
    HANDLE handle = CreateFileW(Utf8ToWide(file).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    bool locked = false;
    if (handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
    else
        locked = GetLastError() == ERROR_SHARING_VIOLATION;
    SetLastError(ERROR_SUCCESS);
    return locked;
}

}  // namespace kvu
