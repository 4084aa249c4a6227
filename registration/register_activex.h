// COM self-registration: whether a library file is a self-registering
// component, and calling its registration entry point on a worker thread
// with a time limit.
#pragma once

#include <chrono>
#include <string>

namespace kvu {

// How long a component's entry point may run before it counts as failed.
inline constexpr std::chrono::milliseconds kRegistrationTimeLimit{10000};

// Added to the system's error code of a load that is raised.
inline constexpr long kLoadErrorBase = 10000;

// True when the file loads as a library and exports DllRegisterServer. With
// raiseLoadError, a load failure throws RaisedError (number: system code +
// kLoadErrorBase, source "IsDLLActiveX"); otherwise it gives false. The
// library is released again on every path.
bool IsDLLActiveX(const std::string& path, bool raiseLoadError);

// Calls DllRegisterServer (registering true) or DllUnregisterServer on a worker
// thread and waits for it at most kRegistrationTimeLimit. True only when the
// entry point returned a success code (S_OK, S_FALSE) in time; a worker still
// running at the limit is ended. The library is released again afterwards.
bool RegisterActiveX(const std::string& path, bool registering);

}  // namespace kvu
