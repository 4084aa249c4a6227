// File system operations.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace kvu {

#ifdef _WIN32
inline constexpr char kPathSep = '\\';
#else
inline constexpr char kPathSep = '/';
#endif

// The folder that holds the running executable, without a final separator
// unless it is a root.
std::string AppFolder();

// True when a file or a folder of that name exists.
bool PathExists(const std::string& path);

// --- Lock test

// True when the file exists but another process holds it open in a way that
// would make replacing it fail. False for a missing file, a folder, and a file
// this user cannot write to. One final separator is ignored. Nothing is
// written and the file's times stay as they were.
bool IsFileLocked(const std::string& path);

// --- Files written whole

// A file written in pieces under a temporary name of its own in the folder of
// its target path, which takes the target's place only when complete: until
// Commit succeeds the target stays exactly as it was, and a file that is never
// committed is removed.
class StagedFile {
  public:
    explicit StagedFile(const std::string& targetPath);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // False when the temporary file could not be created (no such folder, no rights).
    bool IsOpen() const;
    // Appends bytes; false on a write failure (disk full) or when not open.
    bool Write(std::string_view bytes);
    // Closes the file and moves it over the target, replacing a file of that
    // name; false leaves the target as it was.
    bool Commit();

  private:
    struct Handle;
    std::string targetPath_;
    std::unique_ptr<Handle> handle_;
};

}  // namespace kvu
