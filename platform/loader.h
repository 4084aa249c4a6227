// Libraries loaded by path, and the addresses of their exports.
#pragma once

#include <string>

namespace kvu {

// A library loaded into the process; released when the object goes, so that
// every load is matched by exactly one release on every path.
class LoadedLibrary {
  public:
    LoadedLibrary() = default;
    // Loads the library at path (UTF-8). On failure the object holds nothing
    // and remembers why.
    explicit LoadedLibrary(const std::string& path);
    ~LoadedLibrary() { Release(); }
    LoadedLibrary(LoadedLibrary&& other) noexcept;
    LoadedLibrary& operator=(LoadedLibrary&& other) noexcept;
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    bool Loaded() const { return handle_ != nullptr; }
    // The system's error code of a failed load (Windows: the last error;
    // Linux: the errno of the file's opening, or ENOEXEC for a file that is
    // no library); 0 after a successful one.
    unsigned long LoadError() const { return loadError_; }
    // The system's own words for a failed load; empty after a successful one.
    const std::string& LoadErrorText() const { return loadErrorText_; }

    // The address of an export; nullptr when the name is not exported or
    // nothing is loaded.
    void* Address(const char* name) const;
    template <typename Function>
    Function Export(const char* name) const {
        return reinterpret_cast<Function>(Address(name));
    }

    void Release();
    // Gives up the release: the library stays loaded for the rest of the
    // process. For code of the library that may still be running.
    void KeepLoaded() { handle_ = nullptr; }

  private:
    void* handle_ = nullptr;
    unsigned long loadError_ = 0;
    std::string loadErrorText_;
};

// True when the library at path is loaded in this process now.
bool IsLibraryLoaded(const std::string& path);

}  // namespace kvu
