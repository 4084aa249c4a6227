// The local file index: every file of the product folder with its date, size,
// version and whether the restrict list names it. A search builds it once and
// matches the repository against it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/date_time.h"

namespace kvu {

class FileVersionInfo;

// One indexed file.
struct FileData {
    std::string File;         // the scanned folder with its final separator, and the name
    std::string FileName;     // as the directory listing gives it
    DateTime FileDate;        // last modified, local time
    double filesize = 0;      // bytes
    std::string FileVersion;  // dotted file version; empty without a readable version resource
    bool FileRestricted = false;
};

// FileData records keyed by File without regard to case, in the order they
// were added: one path occurs at most once.
class LocalIndex {
  public:
    // False, and nothing added, when the path is there already.
    bool Add(FileData record);
    const FileData* Find(std::string_view path) const;
    bool Contains(std::string_view path) const { return Find(path) != nullptr; }

    std::size_t Size() const { return records_.size(); }
    bool Empty() const { return records_.empty(); }
    void Clear();
    std::vector<FileData>::const_iterator begin() const { return records_.begin(); }
    std::vector<FileData>::const_iterator end() const { return records_.end(); }

  private:
    const FileData* FindHashed(std::uint64_t hash, std::string_view path) const;

    std::vector<FileData> records_;
    // Positions of the records by a hash of their upper-cased paths.
    std::unordered_multimap<std::uint64_t, std::size_t> positions_;
};

// Upper-cases text in place and tells whether restrictList (upper-cased lines
// of restrict.txt) holds exactly that text.
bool IsRestricted(std::string& text, const std::vector<std::string>& restrictList);

// Indexes the normal files of folder that match one of the ";"-separated
// patterns and, when recursive, those of every visible subfolder below it:
// first the folder's own files, pattern by pattern, then each subfolder in
// listing order, every subfolder's listing finished before any is scanned.
// Folders that are links are not followed, so a link cannot lead the walk in
// circles. A file that fails at some step is skipped.
LocalIndex ScanFolder(const std::string& folder, const std::string& patterns, bool recursive,
                      const std::vector<std::string>& restrictList, FileVersionInfo& versions);

}  // namespace kvu
