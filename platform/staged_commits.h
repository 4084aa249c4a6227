// Staged files committed on threads of their own, so that the flush of one
// file waits on the disk while the next ones are written. Each file still gets
// its own flush before it replaces its target; two flushes at a time let the
// file system write both in one go. The caller keeps two files for one target
// apart (Pending).
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <list>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/staged_file.h"

namespace kvu {

class StagedCommits {
  public:
    struct Finished {
        std::string label;
        WriteResult result;
    };

    // At most maxFiles files, or maxBytes bytes beyond the first file, wait
    // for their commit at any time; the disk holds them beside their targets.
    StagedCommits(std::size_t maxFiles, std::uint64_t maxBytes, std::size_t threads)
        : maxFiles_(maxFiles), maxBytes_(maxBytes), threads_(threads) {}
    // Waits for every file handed over.
    ~StagedCommits();
    StagedCommits(const StagedCommits&) = delete;
    StagedCommits& operator=(const StagedCommits&) = delete;

    // Hands over a complete file of size bytes, to be committed as target;
    // waits while too much is pending. label comes back with the result.
    void Add(StagedFile file, std::uint64_t size, const std::string& target,
             std::optional<std::int64_t> modified, std::string label);
    // Whether a file for target (letter case aside) still waits for its commit.
    bool Pending(const std::string& target);
    // The commits finished since the last call, in the order finished; with
    // waitAll, after every file handed over is committed.
    std::vector<Finished> Take(bool waitAll);

  private:
    struct Job {
        StagedFile file;
        std::uint64_t size;
        std::string target;
        std::optional<std::int64_t> modified;
        std::string label;
        bool started = false;
    };
    bool Full() const;
    void CommitPending();

    const std::size_t maxFiles_;
    const std::uint64_t maxBytes_;
    const std::size_t threads_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::list<Job> pending_;  // committed from the front
    std::uint64_t pendingBytes_ = 0;
    std::vector<Finished> finished_;
    bool closing_ = false;
    std::vector<std::thread> workers_;  // started with the first files
};

}  // namespace kvu
