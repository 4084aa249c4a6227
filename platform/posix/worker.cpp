#include "platform/worker.h"

#include <pthread.h>
#include <time.h>

#include <cstdint>

namespace kvu {
namespace {

// How long an ended worker may take to be gone.
constexpr std::chrono::milliseconds kEndLimit{2000};

void* RunFunction(void* function) {
    // The worker may be ended wherever it is, as the system ends a thread on
    // Windows: the function may never reach a cancellation point.
    pthread_setcanceltype(PTHREAD_CANCEL_ASYNCHRONOUS, nullptr);
    const std::int32_t code = reinterpret_cast<ResultCodeFunction>(function)();
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(code));
}

timespec DeadlineAfter(std::chrono::milliseconds limit) {
    timespec deadline{};
    clock_gettime(CLOCK_REALTIME, &deadline);
    const long long nanoseconds = deadline.tv_nsec + (limit.count() % 1000) * 1000000LL;
    deadline.tv_sec += static_cast<time_t>(limit.count() / 1000 + nanoseconds / 1000000000LL);
    deadline.tv_nsec = static_cast<long>(nanoseconds % 1000000000LL);
    return deadline;
}

}  // namespace

WorkerOutcome RunWithTimeLimit(ResultCodeFunction function, std::chrono::milliseconds limit) {
    pthread_t thread{};
    if (pthread_create(&thread, nullptr, &RunFunction, reinterpret_cast<void*>(function)) != 0)
        return {};
    void* result = nullptr;
    timespec deadline = DeadlineAfter(limit);
    if (pthread_timedjoin_np(thread, &result, &deadline) == 0) {
        const auto code = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(result));
        return {WorkerOutcome::State::kFinished, code, true};
    }
    pthread_cancel(thread);
    deadline = DeadlineAfter(kEndLimit);
    const bool ended = pthread_timedjoin_np(thread, &result, &deadline) == 0;
    if (!ended)
        pthread_detach(thread);
    return {WorkerOutcome::State::kTimedOut, 0, ended};
}

}  // namespace kvu
