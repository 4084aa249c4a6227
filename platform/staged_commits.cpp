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
    for (std::vector<std::thread>* threads : {&fillers_, &committers_}) {
        for (std::thread& thread : *threads)
            thread.join();
    }
}

bool StagedCommits::Full() const {
    return !pending_.empty() && (pending_.size() >= maxFiles_ || pendingBytes_ > maxBytes_);
}

void StagedCommits::Add(Fill fill, std::uint64_t size, const std::string& target,
                        std::optional<std::int64_t> modified, std::string label) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !Full(); });
    pending_.push_back(
        Job{std::move(fill), {}, size, target, modified, std::move(label), added_++});
    pendingBytes_ += size;
    lock.unlock();
    changed_.notify_all();
    if (fillers_.size() < fillThreads_)
        fillers_.emplace_back([this] { FillPending(); });
    if (committers_.size() < commitThreads_)
        committers_.emplace_back([this] { CommitFilled(); });
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

void StagedCommits::FillPending() {
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
        if (job->number < stoppedAt_) {
            lock.unlock();
            FillResult filled = job->fill(job->file);
            lock.lock();
            job->fillCode = filled.code;
            if (filled.stop)
                stoppedAt_ = std::min(stoppedAt_, job->number);
        }
        job->filled = true;
        changed_.notify_all();
    }
}

// A filled file whose earlier files are all filled too: whether a fill before
// it stopped is known.
StagedCommits::Jobs::iterator StagedCommits::ReadyToCommit() {
    bool earlierFilled = true;
    for (auto job = pending_.begin(); job != pending_.end() && earlierFilled; ++job) {
        if (job->filled && !job->committing)
            return job;
        earlierFilled = job->filled;
    }
    return pending_.end();
}

void StagedCommits::CommitFilled() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] {
            return ReadyToCommit() != pending_.end() || (closing_ && pending_.empty());
        });
        auto job = ReadyToCommit();
        if (job == pending_.end())
            return;
        job->committing = true;
        Finished done{std::move(job->label), WriteResult::kFailed, job->fillCode,
                      job->number > stoppedAt_};
        lock.unlock();
        if (!done.dropped && done.fillCode == 0)
            done.result = job->file.Commit(job->target, job->modified);
        job->file.Discard();
        lock.lock();
        finished_.push_back(std::move(done));
        pendingBytes_ -= job->size;
        pending_.erase(job);
        changed_.notify_all();
    }
}

}  // namespace kvu
