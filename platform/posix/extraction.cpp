#include <dlfcn.h>

#include "platform/extraction.h"
#include "platform/paths.h"

namespace kvu {
namespace {

constexpr char kSource[] = "unzip32";

[[noreturn]] void Fail(long number, std::string description) {
    throw ExtractionLibraryError(Error{number, kSource, std::move(description)});
}

}  // namespace

ExtractionLibrary::ExtractionLibrary(const std::string& path) {
    if (!PathExists(path))
        Fail(kErrorFileNotFound, "File not found: " + path);
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* reason = dlerror();
        Fail(kErrorLibraryLoad,
             "Error in loading DLL: " + path + (reason ? ": " + std::string(reason) : ""));
    }
    version_ = reinterpret_cast<UzpVersion2Function>(dlsym(handle_, "UzpVersion2"));
    unzip_ = reinterpret_cast<WizSingleEntryUnzipFunction>(dlsym(handle_, "Wiz_SingleEntryUnzip"));
    if (!version_ || !unzip_) {
        const char* missing = version_ ? "Wiz_SingleEntryUnzip" : "UzpVersion2";
        dlclose(handle_);
        handle_ = nullptr;
        Fail(kErrorEntryPoint,
             std::string("Can't find DLL entry point ") + missing + " in " + path);
    }
}

ExtractionLibrary::~ExtractionLibrary() {
    if (handle_)
        dlclose(handle_);
}

}  // namespace kvu
