#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <optional>

#include "platform/dir_listing.h"
#include "platform/encoding.h"
#include "platform/wildcard.h"

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

// Case-insensitive name order, as the system's own file system keeps it;
// names equal but for case in the order of their bytes.
bool NameOrder(const DirEntry& a, const DirEntry& b) {
    const std::string& x = a.name;
    const std::string& y = b.name;
    auto upper = [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 0x20 : c; };
    for (std::size_t i = 0;; ++i) {
        // Names in one folder tend to share a prefix written the same way.
        const auto at = std::mismatch(x.begin() + static_cast<std::ptrdiff_t>(i), x.end(),
                                      y.begin() + static_cast<std::ptrdiff_t>(i), y.end());
        i = static_cast<std::size_t>(at.first - x.begin());
        if (i == x.size() || i == y.size())
            return x.size() != y.size() ? x.size() < y.size() : x < y;
        const auto cx = static_cast<unsigned char>(x[i]);
        const auto cy = static_cast<unsigned char>(y[i]);
        if (cx >= 0x80 || cy >= 0x80) {
            const std::string ux = UpperCase(x), uy = UpperCase(y);
            return ux != uy ? ux < uy : x < y;
        }
        if (upper(cx) != upper(cy))
            return upper(cx) < upper(cy);
    }
}

// Sorts the entries through their positions: moving each entry once is
// cheaper than moving entries around while sorting.
void SortByName(std::vector<DirEntry>& entries) {
    std::vector<std::size_t> order(entries.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return NameOrder(entries[a], entries[b]); });
    std::vector<DirEntry> sorted;
    sorted.reserve(entries.size());
    for (std::size_t i : order)
        sorted.push_back(std::move(entries[i]));
    entries = std::move(sorted);
}

// One pass over a folder: the visible files that wanted() lets through and,
// when asked, the visible folders, each sorted by name.
template <typename Wanted>
FolderListing List(const std::string& folder, bool withFiles, bool withFolders, Wanted wanted) {
    FolderListing listing;
    std::unique_ptr<DIR, DirCloser> dir(opendir(folder.empty() ? "." : folder.c_str()));
    if (!dir)
        return listing;
    const int dirFd = dirfd(dir.get());
    while (const dirent* item = readdir(dir.get())) {
        if (item->d_name[0] == '.')
            continue;
        if (item->d_type == DT_DIR) {  // a folder needs no further question
            if (withFolders)
                listing.folders.push_back({item->d_name, kAttrFolder, {}, 0});
            continue;
        }
        const bool mayBeFolder = item->d_type == DT_LNK || item->d_type == DT_UNKNOWN;
        const bool fileWanted = withFiles && wanted(item->d_name);
        if (!fileWanted && !(withFolders && mayBeFolder))
            continue;
        std::optional<DirEntry> entry = Describe(dirFd, *item);
        if (!entry || (entry->attributes & kAttrSystem))
            continue;
        if (entry->attributes & kAttrFolder) {
            if (withFolders)
                listing.folders.push_back(std::move(*entry));
        } else if (fileWanted) {
            listing.files.push_back(std::move(*entry));
        }
    }
    SortByName(listing.files);
    SortByName(listing.folders);
    return listing;
}

}  // namespace

std::vector<DirEntry> ListFiles(const std::string& folder, const std::string& pattern) {
    return List(folder, true, false,
                [&](const char* name) { return MatchesFilePattern(name, pattern); })
        .files;
}

std::vector<DirEntry> ListFolders(const std::string& folder) {
    return List(folder, false, true, [](const char*) { return false; }).folders;
}

FolderListing ListFolder(const std::string& folder, const std::string& pattern) {
    return List(folder, true, true,
                [&](const char* name) { return MatchesFilePattern(name, pattern); });
}

}  // namespace kvu
