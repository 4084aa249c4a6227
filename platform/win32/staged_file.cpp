#include <windows.h>

#include <random>
#include <string>

#include "platform/staged_file.h"
#include "platform/win32/wide.h"

namespace kvu {
namespace {

// Unix seconds and FILETIME's 100-ns ticks since 1601.
constexpr std::int64_t kUnixEpochTicks = 116444736000000000LL;
constexpr std::int64_t kTicksPerSecond = 10000000LL;

HANDLE AsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

std::intptr_t FromHandle(HANDLE handle) {
    return reinterpret_cast<std::intptr_t>(handle);
}

WriteResult WriteFailure() {
    DWORD error = GetLastError();
    return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL ? WriteResult::kDiskFull
                                                                       : WriteResult::kFailed;
}

constexpr std::wstring_view kStagedPrefix = L".unzip32-";
constexpr std::wstring_view kStagedPattern = L"\\.unzip32-????????????.tmp";

std::wstring TemporaryName(std::mt19937_64& random) {
    static constexpr wchar_t kHex[] = L"0123456789abcdef";
    std::wstring name(kStagedPrefix);
    std::uint64_t value = random();
    for (int i = 0; i < 12; ++i, value >>= 4)
        name += kHex[value & 15];
    return name + L".tmp";
}

std::int64_t ToUnix(const FILETIME& time) {
    std::int64_t ticks =
        static_cast<std::int64_t>((std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime);
    return (ticks - kUnixEpochTicks) / kTicksPerSecond;
}

FILETIME FromUnix(std::int64_t seconds) {
    auto ticks = static_cast<std::uint64_t>(seconds * kTicksPerSecond + kUnixEpochTicks);
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

// Virus scanners hold a new file briefly: a replace refused for access or
// sharing is tried again for about a second.
constexpr int kReplaceTries = 6;
constexpr DWORD kReplacePauseMs = 200;

bool MayRetryReplace(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
}

// Windows refuses to replace a read-only file: its attribute is cleared just
// before and restored when the replace fails after all.
bool ReplaceTarget(const std::wstring& staged, const std::wstring& target) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES &&
                          (attributes & FILE_ATTRIBUTE_READONLY) &&
                          !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (readOnly)
        SetFileAttributesW(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(staged.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING))
            return true;
        const DWORD error = GetLastError();
        const bool folder =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
        if (folder || !MayRetryReplace(error) || attempt == kReplaceTries) {
            if (readOnly)
                SetFileAttributesW(target.c_str(), attributes);
            SetLastError(error);
            return false;
        }
        Sleep(kReplacePauseMs);
    }
}

}  // namespace

ReadOnlyFile::~ReadOnlyFile() {
    if (handle_ != -1)
        CloseHandle(AsHandle(handle_));
}

bool ReadOnlyFile::Open(const std::string& path) {
    HANDLE file = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
        CloseHandle(file);
        return false;
    }
    handle_ = FromHandle(file);
    size_ = static_cast<std::uint64_t>(size.QuadPart);
    return true;
}

bool ReadOnlyFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t size) const {
    if (handle_ == -1 || offset > size_ || size > size_ - offset)
        return false;
    auto* out = static_cast<char*>(buffer);
    while (size > 0) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
        DWORD n = 0;
        if (!ReadFile(AsHandle(handle_), out, chunk, &n, &at) || n == 0)
            return false;
        out += n;
        offset += n;
        size -= n;
    }
    return true;
}

bool StagedFile::Create(const std::string& folder) {
    Discard();
    std::random_device seed;
    std::mt19937_64 random((std::uint64_t{seed()} << 32) ^ seed());
    std::wstring wideFolder = Utf8ToWide(folder);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring path = wideFolder + L"\\" + TemporaryName(random);
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            handle_ = FromHandle(file);
            path_ = WideToUtf8(path);
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS)
            return false;
    }
    return false;
}

WriteResult StagedFile::Write(const void* data, std::size_t size) {
    if (handle_ == -1)
        return WriteResult::kFailed;
    const auto* in = static_cast<const char*>(data);
    while (size > 0) {
        DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
        DWORD n = 0;
        if (!WriteFile(AsHandle(handle_), in, chunk, &n, nullptr))
            return WriteFailure();
        if (n == 0)
            return WriteResult::kFailed;
        in += n;
        size -= n;
    }
    return WriteResult::kOk;
}

WriteResult StagedFile::Commit(const std::string& target, std::optional<std::int64_t> modified,
                               Durability durability) {
    if (handle_ == -1)
        return WriteResult::kFailed;
    HANDLE file = AsHandle(handle_);
    handle_ = -1;
    WriteResult result = WriteResult::kOk;
    if (modified) {
        FILETIME time = FromUnix(*modified);
        if (!SetFileTime(file, nullptr, nullptr, &time))
            result = WriteResult::kFailed;
    }
    if (result == WriteResult::kOk && durability == Durability::kFlushed && !FlushFileBuffers(file))
        result = WriteFailure();
    if (!CloseHandle(file) && result == WriteResult::kOk)
        result = WriteFailure();
    std::wstring temporary = Utf8ToWide(path_);
    if (result == WriteResult::kOk && !ReplaceTarget(temporary, Utf8ToWide(target)))
        result = WriteFailure();
    if (result != WriteResult::kOk)
        DeleteFileW(temporary.c_str());
    path_.clear();
    return result;
}

void StagedFile::Discard() {
    if (handle_ != -1)
        CloseHandle(AsHandle(handle_));
    handle_ = -1;
    if (!path_.empty())
        DeleteFileW(Utf8ToWide(path_).c_str());
    path_.clear();
}

void RemoveStaleStagedFiles(const std::string& folder) {
    const std::wstring wideFolder = Utf8ToWide(folder);
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((wideFolder + std::wstring(kStagedPattern)).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        // A staged file still being written is open without sharing: the
        // deletion fails for it.
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileW((wideFolder + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

PathKind KindOfPath(const std::string& path) {
    if (path.empty())
        return PathKind::kNone;
    DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return PathKind::kNone;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::kFolder : PathKind::kFile;
}

std::optional<std::int64_t> ModifiedTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Utf8ToWide(path).c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return ToUnix(data.ftLastWriteTime);
}

bool CreateFolders(const std::string& path) {
    // A level that cannot be made may exist already or be out of reach (a
    // drive or a share); only the result counts.
    std::wstring wide = Utf8ToWide(path);
    for (std::size_t slash = wide.find_first_of(L"\\/", 1);;
         slash = wide.find_first_of(L"\\/", slash + 1)) {
        CreateDirectoryW(wide.substr(0, slash).c_str(), nullptr);
        if (slash == std::wstring::npos)
            break;
    }
    return KindOfPath(path) == PathKind::kFolder;
}

std::optional<std::int64_t> LocalToUnixTime(const DateTime& local) {
    SYSTEMTIME parts{};
    parts.wYear = static_cast<WORD>(local.year);
    parts.wMonth = static_cast<WORD>(local.month);
    parts.wDay = static_cast<WORD>(local.day);
    parts.wHour = static_cast<WORD>(local.hour);
    parts.wMinute = static_cast<WORD>(local.minute);
    parts.wSecond = static_cast<WORD>(local.second);
    SYSTEMTIME utc{};
    FILETIME time{};
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &parts, &utc) ||
        !SystemTimeToFileTime(&utc, &time))
        return std::nullopt;
    return ToUnix(time);
}

}  // namespace kvu
