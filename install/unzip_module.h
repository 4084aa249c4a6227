// One extraction with the archive extraction library: the options handed to
// the library, its version and totals written into the host's status label.
#pragma once

#include <optional>
#include <string>

#include "install/unzip_callbacks.h"
#include "install/unzip_options.h"
#include "platform/extraction.h"

namespace kvu {

// The library file in the application folder: never one found on the search
// path, which would let a stray copy in the current folder run.
std::string ExtractionLibraryPath(const std::string& appFolder);

// Connects the options, the host and the library, which is loaded on first
// use and kept for the program's run.
class UnzipModule {
  public:
    // options and host must outlive the module.
    UnzipModule(std::string libraryPath, UnzipOptions& options, UnzipHost& host)
        : libraryPath_(std::move(libraryPath)), options_(options), host_(host) {}

    UnzipOptions& options() { return options_; }
    UnzipHost& host() { return host_; }

    // Extracts options().ZipFileName into options().ExtractDir. A non-zero
    // result of the library is shown in a message box; the summary is appended
    // to the host's status label either way. Throws ExtractionLibraryError when
    // the library or one of its entry points cannot be loaded.
    void RunUnzip();

  private:
    const ExtractionLibrary& Library();

    std::string libraryPath_;
    UnzipOptions& options_;
    UnzipHost& host_;
    std::optional<ExtractionLibrary> library_;
};

}  // namespace kvu
