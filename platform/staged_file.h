// File operations of the extraction library and the downloads: an archive read
// at any offset, and files written under a temporary name that take the target's
// place in one step only once they are complete, so that a failure never leaves
// a half-written file. Paths are UTF-8 with platform separators.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/date_time.h"

namespace kvu {

// The line end that text members get when line ends are converted.
#ifdef _WIN32
inline constexpr std::string_view kTextLineEnd = "\r\n";
#else
inline constexpr std::string_view kTextLineEnd = "\n";
#endif

// A file opened for reading only.
class ReadOnlyFile {
  public:
    ReadOnlyFile() = default;
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // False when the path is missing, a folder, or cannot be read.
    bool Open(const std::string& path);
    std::uint64_t Size() const { return size_; }
    // Reads exactly size bytes at offset; false past the end or on a read error.
    bool ReadAt(std::uint64_t offset, void* buffer, std::size_t size) const;

  private:
    std::intptr_t handle_ = -1;
    std::uint64_t size_ = 0;
};

enum class WriteResult { kOk, kDiskFull, kFailed };

// Whether a commit waits for the file to reach the disk. An installed file must
// survive a power loss whole; a download into the temporary folder, which the
// same run reads back at once and a later run fetches again, need not pay for it.
enum class Durability { kFlushed, kCached };

// A new file under a temporary name in a folder. It is removed again unless it
// is committed. While it is open, no other process can take it for a stale one.
class StagedFile {
  public:
    StagedFile() = default;
    ~StagedFile() { Discard(); }
    StagedFile(StagedFile&& other) noexcept
        : handle_(std::exchange(other.handle_, -1)),
          path_(std::exchange(other.path_, {})),
          unstarted_(other.unstarted_) {}
    StagedFile& operator=(StagedFile&&) = delete;

    // Creates an empty file under a fresh name in an existing folder.
    bool Create(const std::string& folder);
    // Where the system allows, the data starts for the disk as it comes, so
    // that the flush at the commit finds little left to write.
    WriteResult Write(const void* data, std::size_t size);
    // Gives the file its modification time (Unix seconds; none: left as written),
    // flushes it to the disk unless kCached (a power loss never leaves a short
    // installed file), closes it and moves it over target in one step. On failure
    // the temporary file is removed and whatever target was stays as it was.
    WriteResult Commit(const std::string& target, std::optional<std::int64_t> modified,
                       Durability durability = Durability::kFlushed);
    void Discard();

  private:
    std::intptr_t handle_ = -1;
    std::string path_;
    std::size_t unstarted_ = 0;  // bytes written since write-back was last started
};

// Removes the staged files that a crashed run left in folder; those of a run
// still writing are left alone.
void RemoveStaleStagedFiles(const std::string& folder);

enum class PathKind { kNone, kFile, kFolder };

// What a path leads to. (Committing replaces a symbolic link itself, never what it
// points to.)
PathKind KindOfPath(const std::string& path);

// The last modification time of a file, in Unix seconds.
std::optional<std::int64_t> ModifiedTime(const std::string& path);

// Creates a folder and the missing folders above it; true when it exists afterwards.
bool CreateFolders(const std::string& path);

// A local calendar time in Unix seconds, by the system's time zone rules.
std::optional<std::int64_t> LocalToUnixTime(const DateTime& local);

}  // namespace kvu
