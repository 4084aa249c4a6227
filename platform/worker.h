// A worker thread that runs one function of a loaded library, waited for with
// a time limit.
#pragma once

#include <chrono>
#include <cstdint>

namespace kvu {

// Exports that take nothing and return a 32-bit result code (the COM
// self-registration entry points), in the system's calling convention.
#if defined(_WIN32) && !defined(_WIN64)
using ResultCodeFunction = std::int32_t(__stdcall*)();
#else
using ResultCodeFunction = std::int32_t (*)();
#endif

struct WorkerOutcome {
    enum class State {
        kNotStarted,  // no thread could be created
        kFinished,    // the function returned within the limit
        kTimedOut,    // still running at the limit (or the wait failed): ended
    };
    State state = State::kNotStarted;
    // What the function returned; only for kFinished.
    std::int32_t resultCode = 0;
    // False only when a timed-out worker could not be ended: the library's
    // code may still run and must stay loaded.
    bool ended = true;
};

// Starts a worker thread on function and waits for it at most limit; a worker
// still running then is ended. The worker runs the function and nothing of
// the caller's.
WorkerOutcome RunWithTimeLimit(ResultCodeFunction function, std::chrono::milliseconds limit);

}  // namespace kvu
