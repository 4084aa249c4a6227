#include <windows.h>

#include "platform/extraction.h"
#include "platform/paths.h"
#include "platform/win32/wide.h"

namespace kvu {
namespace {

constexpr char kSource[] = "unzip32";

[[noreturn]] void Fail(long number, std::string description) {
    throw ExtractionLibraryError(Error{number, kSource, std::move(description)});
}

template <typename Function>
Function Resolve(HMODULE module, const char* name) {
    // The cast between function pointer types is how GetProcAddress is used.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

ExtractionLibrary::ExtractionLibrary(const std::string& path) {
    if (!PathExists(path))
        Fail(kErrorFileNotFound, "File not found: " + path);
    // The library's own folder is searched for what it needs, not the program's.
    HMODULE module =
        LoadLibraryExW(Utf8ToWide(path).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module)
        Fail(kErrorLibraryLoad, "Error in loading DLL: " + path + " (system error " +
                                    std::to_string(GetLastError()) + ")");
    handle_ = module;
    version_ = Resolve<UzpVersion2Function>(module, "UzpVersion2");
    unzip_ = Resolve<WizSingleEntryUnzipFunction>(module, "Wiz_SingleEntryUnzip");
    if (!version_ || !unzip_) {
        const char* missing = version_ ? "Wiz_SingleEntryUnzip" : "UzpVersion2";
        FreeLibrary(module);
        handle_ = nullptr;
        Fail(kErrorEntryPoint,
             std::string("Can't find DLL entry point ") + missing + " in " + path);
    }
}

ExtractionLibrary::~ExtractionLibrary() {
    if (handle_)
        FreeLibrary(static_cast<HMODULE>(handle_));
}

}  // namespace kvu
