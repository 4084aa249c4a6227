#include "platform/staged_commits.h"

#include <algorithm>
#include <utility>

#include "platform/encoding.h"

namespace kvu {

StagedCommits::~StagedCommits() {
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    for (std::thread& worker : workers_)
        worker.join();
}

bool StagedCommits::Full() const {
    return !pending_.empty() && (pending_.size() >= maxFiles_ || pendingBytes_ > maxBytes_);
}

void StagedCommits::Add(StagedFile file, std::uint64_t size, const std::string& target,
                        std::optional<std::int64_t> modified, std::string label) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !Full(); });
    pending_.push_back(Job{std::move(file), size, target, modified, std::move(label)});
    pendingBytes_ += size;
    lock.unlock();
    changed_.notify_all();
    if (workers_.size() < threads_)
        workers_.emplace_back([this] { CommitPending(); });
}

bool StagedCommits::Pending(const std::string& target) {
    std::string key = UpperCase(target);
    std::lock_guard lock(mutex_);
    return std::any_of(pending_.begin(), pending_.end(),
                       [&](const Job& job) { return UpperCase(job.target) == key; });
}

std::vector<StagedCommits::Finished> StagedCommits::Take(bool waitAll) {
    std::unique_lock lock(mutex_);
    if (waitAll)
        changed_.wait(lock, [this] { return pending_.empty(); });
    return std::exchange(finished_, {});
}

void StagedCommits::CommitPending() {
    auto unstarted = [this] {
        return std::find_if(pending_.begin(), pending_.end(),
                            [](const Job& job) { return !job.started; });
    };
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return closing_ || unstarted() != pending_.end(); });
        auto job = unstarted();
        if (job == pending_.end())
            return;
        job->started = true;
        lock.unlock();
        WriteResult result = job->file.Commit(job->target, job->modified);
        lock.lock();
        finished_.push_back(Finished{std::move(job->label), result});
        pendingBytes_ -= job->size;
        pending_.erase(job);  // a list keeps the other jobs in place
        changed_.notify_all();
    }
}

}  // namespace kvu
