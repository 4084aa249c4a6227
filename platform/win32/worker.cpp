#include "platform/worker.h"

#include <windows.h>

namespace kvu {
namespace {

// How long an ended worker may take to be gone.
constexpr DWORD kEndLimitMs = 2000;

// A thread routine takes an argument and the entry point none: calling the
// entry point from here keeps the stack balanced under __stdcall.
DWORD WINAPI RunFunction(LPVOID function) {
    return static_cast<DWORD>(reinterpret_cast<ResultCodeFunction>(function)());
}

}  // namespace

WorkerOutcome RunWithTimeLimit(ResultCodeFunction function, std::chrono::milliseconds limit) {
    HANDLE thread =
        CreateThread(nullptr, 0, &RunFunction, reinterpret_cast<LPVOID>(function), 0, nullptr);
    if (!thread)
        return {};
    WorkerOutcome outcome;
    DWORD code = 0;
    if (WaitForSingleObject(thread, static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0) {
        GetExitCodeThread(thread, &code);
        outcome = {WorkerOutcome::State::kFinished, static_cast<std::int32_t>(code), true};
    } else {
        GetExitCodeThread(thread, &code);
        TerminateThread(thread, code);
        // Ending is asynchronous: the thread is gone once its handle is signalled.
        const bool ended = WaitForSingleObject(thread, kEndLimitMs) == WAIT_OBJECT_0;
        outcome = {WorkerOutcome::State::kTimedOut, 0, ended};
    }
    CloseHandle(thread);
    return outcome;
}

}  // namespace kvu
