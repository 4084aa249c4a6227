// The extraction library: loaded by path, its two entry points resolved, and
// released again when the object goes.
#pragma once

#include <cstdint>
#include <string>

#include "platform/error.h"
#include "platform/loader.h"
#include "unzip32/unzip32_api.h"

namespace kvu {

// The library's file name beside the program.
#ifdef _WIN32
inline constexpr char kExtractionLibraryName[] = "unzip32.dll";
#else
inline constexpr char kExtractionLibraryName[] = "libunzip32.so";
#endif

// Error numbers of a library that cannot be used.
inline constexpr long kErrorLibraryLoad = 48;   // the file is there but does not load
inline constexpr long kErrorFileNotFound = 53;  // no such file
inline constexpr long kErrorEntryPoint = 453;   // an entry point is missing

// Raised when the library or one of its entry points cannot be loaded; it
// carries the error for the caller that records it.
class ExtractionLibraryError : public RaisedError {
  public:
    using RaisedError::RaisedError;
};

class ExtractionLibrary {
  public:
    // Loads the library at path (UTF-8) and resolves UzpVersion2 and
    // Wiz_SingleEntryUnzip; throws ExtractionLibraryError, having released
    // whatever it loaded.
    explicit ExtractionLibrary(const std::string& path);
    ~ExtractionLibrary();
    ExtractionLibrary(const ExtractionLibrary&) = delete;
    ExtractionLibrary& operator=(const ExtractionLibrary&) = delete;

    void Version(UzpVer2& version) const { version_(&version); }
    std::int32_t SingleEntryUnzip(std::int32_t includeCount, char** includes,
                                  std::int32_t excludeCount, char** excludes, DCL& options,
                                  USERFUNCTIONS& functions) const {
        return unzip_(includeCount, includes, excludeCount, excludes, &options, &functions);
    }

  private:
    LoadedLibrary library_;
    UzpVersion2Function version_ = nullptr;
    WizSingleEntryUnzipFunction unzip_ = nullptr;
};

}  // namespace kvu
