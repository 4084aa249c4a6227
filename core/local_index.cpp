#include "core/local_index.h"

#include <algorithm>
#include <unordered_set>

#include "platform/encoding.h"
#include "platform/files.h"
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

void IndexFiles(const std::string& folder, const std::vector<std::string>& patterns,
                const std::vector<std::string>& restrictList, FileVersionInfo& versions,
                LocalIndex& index) {
    for (const std::string& pattern : patterns) {
        for (DirEntry& entry : ListFiles(folder, pattern)) {
            FileData record;
            record.File = folder + entry.name;
            if (index.Contains(record.File))
                continue;  // matched by an earlier pattern
            record.FileName = std::move(entry.name);
            record.FileDate = entry.lastWrite;
            record.filesize = static_cast<double>(entry.size);
            record.FileVersion = versions.GetFileVersion(record.File);
            std::string name = record.FileName;
            std::string path = record.File;
            record.FileRestricted =
                IsRestricted(name, restrictList) || IsRestricted(path, restrictList);
            index.Add(std::move(record));
        }
    }
}

// The subfolders to scan, in listing order, each path once.
std::vector<std::string> Subfolders(const std::string& folder) {
    std::vector<std::string> paths;
    std::unordered_set<std::string> keys;
    for (const DirEntry& entry : ListFolders(folder)) {
        if (entry.attributes & kAttrLink)
            continue;
        std::string path = folder + entry.name;
        if (!keys.insert(UpperCase(path)).second)
            continue;
        paths.push_back(WithSeparator(std::move(path)));
    }
    return paths;
}

}  // namespace

bool LocalIndex::Add(FileData record) {
    auto [position, added] = positions_.emplace(UpperCase(record.File), records_.size());
    if (added)
        records_.push_back(std::move(record));
    return added;
}

const FileData* LocalIndex::Find(std::string_view path) const {
    auto found = positions_.find(UpperCase(path));
    return found == positions_.end() ? nullptr : &records_[found->second];
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
        IndexFiles(current, parts, restrictList, versions, index);
        if (!recursive)
            break;
        std::vector<std::string> subfolders = Subfolders(current);
        pending.insert(pending.end(), std::make_move_iterator(subfolders.rbegin()),
                       std::make_move_iterator(subfolders.rend()));
    }
    return index;
}

}  // namespace kvu
