#include "core/local_index.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "platform/dir_listing.h"
#include "platform/encoding.h"
#include "platform/paths.h"
#include "platform/plain_text.h"
#include "registration/version_info.h"

namespace kvu {
namespace {

std::string WithSeparator(std::string folder) {
    if (folder.empty() || folder.back() != kPathSep)
        folder += kPathSep;
    return folder;
}

std::vector<std::string> SplitPatterns(const std::string& patterns) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = patterns.find(';', start);
        std::string part = patterns.substr(start, end - start);
        if (!part.empty())  // an empty pattern names no file
            parts.push_back(std::move(part));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

void IndexFiles(const std::string& folder, std::vector<DirEntry> files,
                const std::vector<std::string>& restrictList, FileVersionInfo& versions,
                bool earlierPatterns, LocalIndex& index) {
    for (DirEntry& entry : files) {
        FileData record;
        record.File = folder + entry.name;
        if (earlierPatterns && index.Contains(record.File))
            continue;  // matched by an earlier pattern: its version is known
        record.FileName = std::move(entry.name);
        record.FileDate = entry.lastWrite;
        record.filesize = static_cast<double>(entry.size);
        record.FileVersion = versions.ReadFileVersionOnly(record.File);
        if (!restrictList.empty()) {  // on copies, so that the fields keep their case
            std::string name = record.FileName;
            std::string path = record.File;
            record.FileRestricted =
                IsRestricted(name, restrictList) || IsRestricted(path, restrictList);
        }
        index.Add(std::move(record));
    }
}

// The subfolders to scan, in listing order, each path once.
std::vector<std::string> Subfolders(const std::string& folder,
                                    const std::vector<DirEntry>& listed) {
    std::vector<std::string> paths;
    std::unordered_set<std::string> keys;
    for (const DirEntry& entry : listed) {
        if (entry.attributes & kAttrLink)
            continue;
        std::string path = folder + entry.name;
        if (!keys.insert(UpperCase(path)).second)
            continue;
        paths.push_back(WithSeparator(std::move(path)));
    }
    return paths;
}

// One folder: its files, pattern by pattern, and (when asked) its subfolders.
// The first pattern's listing brings the folders along where the platform
// can list both in one pass.
std::vector<std::string> ScanOne(const std::string& folder,
                                 const std::vector<std::string>& patterns, bool recursive,
                                 const std::vector<std::string>& restrictList,
                                 FileVersionInfo& versions, LocalIndex& index) {
    std::vector<DirEntry> folders;
    for (std::size_t p = 0; p < patterns.size(); ++p) {
        if (p == 0 && recursive) {
            FolderListing listing = ListFolder(folder, patterns[p]);
            folders = std::move(listing.folders);
            IndexFiles(folder, std::move(listing.files), restrictList, versions, false, index);
        } else {
            IndexFiles(folder, ListFiles(folder, patterns[p]), restrictList, versions, p > 0,
                       index);
        }
    }
    if (!recursive)
        return {};
    if (patterns.empty())
        folders = ListFolders(folder);
    return Subfolders(folder, folders);
}

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : c;
}

// Paths are compared as UpperCase compares them, without copying the ASCII
// ones (nearly all), which the index meets thousands of times: eight letters
// at a time are upper-cased in a register and mixed into the hash.
std::uint64_t CaseBlindHash(std::string_view path) {
    std::string upper;
    if (!IsAscii(path)) {
        upper = UpperCase(path);
        path = upper;
    }
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL, kHigh = 0x8080808080808080ULL;
    std::uint64_t hash = 14695981039346656037ULL ^ path.size();
    for (std::size_t i = 0; i < path.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, path.data() + i, std::min<std::size_t>(8, path.size() - i));
        const std::uint64_t seven = word & kLow7;
        const std::uint64_t atLeastA = (seven + 0x1F1F1F1F1F1F1F1FULL) & kHigh;  // >= 'a'
        const std::uint64_t aboveZ = (seven + 0x0505050505050505ULL) & kHigh;    // > 'z'
        word ^= ((atLeastA & ~aboveZ & ~word) >> 2);  // the case bit of each small letter
        hash = (hash ^ word) * 0x9E3779B97F4A7C15ULL;
        hash ^= hash >> 29;
    }
    return hash;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (IsAscii(a) && IsAscii(b)) {
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(),
                          [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
    }
    return UpperCase(a) == UpperCase(b);
}

}  // namespace

bool LocalIndex::Add(FileData record) {
    const std::uint64_t hash = CaseBlindHash(record.File);
    if (FindHashed(hash, record.File))
        return false;
    positions_.emplace(hash, records_.size());
    records_.push_back(std::move(record));
    return true;
}

const FileData* LocalIndex::Find(std::string_view path) const {
    return FindHashed(CaseBlindHash(path), path);
}

const FileData* LocalIndex::FindHashed(std::uint64_t hash, std::string_view path) const {
    auto [first, last] = positions_.equal_range(hash);
    for (auto it = first; it != last; ++it) {
        if (SameIgnoringCase(records_[it->second].File, path))
            return &records_[it->second];
    }
    return nullptr;
}

void LocalIndex::Clear() {
    records_.clear();
    positions_.clear();
}

bool IsRestricted(std::string& text, const std::vector<std::string>& restrictList) {
    text = UpperCase(text);
    return std::find(restrictList.begin(), restrictList.end(), text) != restrictList.end();
}

LocalIndex ScanFolder(const std::string& folder, const std::string& patterns, bool recursive,
                      const std::vector<std::string>& restrictList, FileVersionInfo& versions) {
    LocalIndex index;
    const std::vector<std::string> parts = SplitPatterns(patterns);
    // Depth first, in listing order, without recursion: a deep tree cannot
    // exhaust the stack.
    std::vector<std::string> pending = {WithSeparator(folder)};
    while (!pending.empty()) {
        const std::string current = std::move(pending.back());
        pending.pop_back();
        std::vector<std::string> subfolders =
            ScanOne(current, parts, recursive, restrictList, versions, index);
        pending.insert(pending.end(), std::make_move_iterator(subfolders.rbegin()),
                       std::make_move_iterator(subfolders.rend()));
    }
    return index;
}

}  // namespace kvu
