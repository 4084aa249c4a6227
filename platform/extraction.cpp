#include "platform/extraction.h"

#include "platform/paths.h"

namespace kvu {
namespace {

constexpr char kSource[] = "unzip32";

[[noreturn]] void Fail(long number, std::string description) {
    throw ExtractionLibraryError(Error{number, kSource, std::move(description)});
}

std::string LoadFailure(const std::string& path, const LoadedLibrary& library) {
    std::string description =
        "Error in loading DLL: " + path + " (system error " + std::to_string(library.LoadError());
    if (!library.LoadErrorText().empty())
        description += ": " + library.LoadErrorText();
    return description + ")";
}

}  // namespace

ExtractionLibrary::ExtractionLibrary(const std::string& path) {
    if (!PathExists(path))
        Fail(kErrorFileNotFound, "File not found: " + path);
    LoadedLibrary library(path);
    if (!library.Loaded())
        Fail(kErrorLibraryLoad, LoadFailure(path, library));
    version_ = library.Export<UzpVersion2Function>("UzpVersion2");
    unzip_ = library.Export<WizSingleEntryUnzipFunction>("Wiz_SingleEntryUnzip");
    if (!version_ || !unzip_) {
        const char* missing = version_ ? "Wiz_SingleEntryUnzip" : "UzpVersion2";
        Fail(kErrorEntryPoint,
             std::string("Can't find DLL entry point ") + missing + " in " + path);
    }
    library_ = std::move(library);
}

ExtractionLibrary::~ExtractionLibrary() = default;

}  // namespace kvu
