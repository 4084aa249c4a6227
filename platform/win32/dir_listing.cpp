#include <windows.h>

#include "platform/dir_listing.h"
#include "platform/win32/wide.h"

namespace kvu {
namespace {

DateTime LocalTime(const FILETIME& when) {
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    if (!FileTimeToSystemTime(&when, &utc) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return {};
    return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

std::wstring SearchSpec(const std::string& folder, const std::string& pattern) {
    std::string path = folder;
    if (!path.empty() && path.back() != '\\' && path.back() != '/')
        path += '\\';
    return Utf8ToWide(path + pattern);
}

std::vector<DirEntry> List(const std::string& folder, const std::string& pattern, bool folders) {
    std::vector<DirEntry> entries;
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileExW(SearchSpec(folder, pattern).c_str(), FindExInfoBasic, &data,
                                   folders ? FindExSearchLimitToDirectories : FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return entries;
    do {
        const std::wstring_view name = data.cFileName;
        const DWORD attributes = data.dwFileAttributes;
        if (name == L"." || name == L".." ||
            (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) ||
            ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) != folders)
            continue;
        DirEntry entry;
        entry.name = WideToUtf8(name);
        entry.attributes = attributes;
        entry.lastWrite = LocalTime(data.ftLastWriteTime);
        entry.size = static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
        entries.push_back(std::move(entry));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return entries;
}

}  // namespace

std::vector<DirEntry> ListFiles(const std::string& folder, const std::string& pattern) {
    return List(folder, pattern, false);
}

std::vector<DirEntry> ListFolders(const std::string& folder) {
    return List(folder, "*.*", true);
}

FolderListing ListFolder(const std::string& folder, const std::string& pattern) {
    return {List(folder, pattern, false), List(folder, "*.*", true)};
}

}  // namespace kvu
