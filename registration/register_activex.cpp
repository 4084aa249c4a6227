#include "registration/register_activex.h"

#include "platform/error.h"
#include "platform/loader.h"
#include "platform/worker.h"

namespace kvu {
namespace {

constexpr char kRegisterEntry[] = "DllRegisterServer";
constexpr char kUnregisterEntry[] = "DllUnregisterServer";

[[noreturn]] void RaiseLoadError(unsigned long systemCode) {
    const std::string code = std::to_string(systemCode);
    throw RaisedError(Error{static_cast<long>(systemCode) + kLoadErrorBase, "IsDLLActiveX",
                            "LoadLibrary-Hiba: " + code});
}

}  // namespace

bool IsDLLActiveX(const std::string& path, bool raiseLoadError) {
    LoadedLibrary library(path);
    if (!library.Loaded() && raiseLoadError)
        RaiseLoadError(library.LoadError());
    return library.Address(kRegisterEntry) != nullptr;
}

bool RegisterActiveX(const std::string& path, bool registering) {
    LoadedLibrary library(path);
    auto entry =
        library.Export<ResultCodeFunction>(registering ? kRegisterEntry : kUnregisterEntry);
    if (!entry)
        return false;
    const WorkerOutcome outcome = RunWithTimeLimit(entry, kRegistrationTimeLimit);
    // Code of the component that may still run must not be unloaded under it.
    if (!outcome.ended)
        library.KeepLoaded();
    // A failure code returned in time is a failed registration, not a success.
    return outcome.state == WorkerOutcome::State::kFinished && outcome.resultCode >= 0;
}

}  // namespace kvu
