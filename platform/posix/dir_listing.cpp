#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <optional>

#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/posix/wildcard.h"

namespace kvu {
namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

DateTime LocalTime(std::time_t when) {
    std::tm local{};
    if (!localtime_r(&when, &local))
        return {};
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

// What the system would report for an entry, following links; nullopt when
// the entry vanished or its link leads nowhere.
std::optional<DirEntry> Describe(int dirFd, const dirent& item) {
    struct stat target {};
    if (fstatat(dirFd, item.d_name, &target, 0) != 0)
        return std::nullopt;
    DirEntry entry;
    entry.name = item.d_name;
    if (entry.name.front() == '.')
        entry.attributes |= kAttrHidden;
    if (S_ISDIR(target.st_mode))
        entry.attributes |= kAttrFolder;
    else if (!S_ISREG(target.st_mode))
        entry.attributes |= kAttrSystem;  // devices, pipes and sockets are no files to index
    if (item.d_type == DT_LNK)
        entry.attributes |= kAttrLink;
    else if (item.d_type == DT_UNKNOWN) {
        struct stat own {};
        if (fstatat(dirFd, item.d_name, &own, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(own.st_mode))
            entry.attributes |= kAttrLink;
    }
    entry.lastWrite = LocalTime(target.st_mtime);
    entry.size = static_cast<std::uint64_t>(target.st_size);
    return entry;
}

// A folder entry is known from its type alone unless it is a link.
bool MayBeFolder(const dirent& item) {
    return item.d_type == DT_DIR || item.d_type == DT_LNK || item.d_type == DT_UNKNOWN;
}

// Every visible entry of folder that wanted() lets through, in the order of
// their upper-cased names: a stable order, and the one the system's own file
// system gives.
template <typename Wanted>
std::vector<DirEntry> List(const std::string& folder, bool folders, Wanted wanted) {
    std::vector<DirEntry> entries;
    std::unique_ptr<DIR, DirCloser> dir(opendir(folder.empty() ? "." : folder.c_str()));
    if (!dir)
        return entries;
    const int dirFd = dirfd(dir.get());
    while (const dirent* item = readdir(dir.get())) {
        if (item->d_name[0] == '.' || !wanted(*item))
            continue;
        std::optional<DirEntry> entry = Describe(dirFd, *item);
        if (!entry || (entry->attributes & kAttrSystem))
            continue;
        if (((entry->attributes & kAttrFolder) != 0) == folders)
            entries.push_back(std::move(*entry));
    }
    std::vector<std::pair<std::string, std::size_t>> keys;
    for (std::size_t i = 0; i < entries.size(); ++i)
        keys.emplace_back(UpperCase(entries[i].name), i);
    std::sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first
                                  : entries[a.second].name < entries[b.second].name;
    });
    std::vector<DirEntry> sorted;
    sorted.reserve(entries.size());
    for (const auto& key : keys)
        sorted.push_back(std::move(entries[key.second]));
    return sorted;
}

}  // namespace

std::vector<DirEntry> ListFiles(const std::string& folder, const std::string& pattern) {
    return List(folder, false, [&](const dirent& item) {
        return item.d_type != DT_DIR && MatchesFilePattern(item.d_name, pattern);
    });
}

std::vector<DirEntry> ListFolders(const std::string& folder) {
    return List(folder, true, [](const dirent& item) { return MayBeFolder(item); });
}

bool AppendToFile(const std::string& path, std::string_view bytes) {
    const int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    bool ok = true;
    for (std::size_t done = 0; ok && done < bytes.size();) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        ok = n > 0;
        done += ok ? static_cast<std::size_t>(n) : 0;
    }
    return close(fd) == 0 && ok;
}

}  // namespace kvu
