// Staged files filled and committed on threads of their own: two files are
// filled at a time, one core each, while the flush of others waits on the
// disk. Each file still gets its own flush before it replaces its target; two
// flushes at a time let the file system write both in one go. The caller
// keeps two files for one target apart (Pending).
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
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
    // What filling a staged file came to: 0, or a code of the caller's for a
    // file that is then dropped; stop drops every file handed over after it.
    struct FillResult {
        int code = 0;
        bool stop = false;
    };
    // Creates and writes the staged file, on a fill thread.
    using Fill = std::function<FillResult(StagedFile&)>;

    struct Finished {
        std::string label;
        WriteResult result;  // of the commit, when fillCode is 0
        int fillCode;
        bool dropped;  // after a fill that stopped: not committed
    };

    // At most maxFiles files, or maxBytes bytes beyond the first file, wait
    // for their commit at any time; the disk holds them beside their targets.
    StagedCommits(std::size_t maxFiles, std::uint64_t maxBytes, std::size_t fillThreads,
                  std::size_t commitThreads)
        : maxFiles_(maxFiles),
          maxBytes_(maxBytes),
          fillThreads_(fillThreads),
          commitThreads_(commitThreads) {}
    // Waits for every file handed over.
    ~StagedCommits();
    StagedCommits(const StagedCommits&) = delete;
    StagedCommits& operator=(const StagedCommits&) = delete;

    // Hands over a file of about size bytes, to be filled and committed as
    // target; waits while too much is pending. label comes back with the result.
    // A file is committed only after every file handed over before it is
    // filled, so a stop leaves just what a run of one file at a time would.
    void Add(Fill fill, std::uint64_t size, const std::string& target,
             std::optional<std::int64_t> modified, std::string label);
    // Whether a file for target (letter case aside) still waits for its commit.
    bool Pending(const std::string& target);
    // The commits finished since the last call, in the order finished; with
    // waitAll, after every file handed over is committed.
    std::vector<Finished> Take(bool waitAll);

  private:
    struct Job {
        Fill fill;
        StagedFile file;
        std::uint64_t size;
        std::string target;
        std::optional<std::int64_t> modified;
        std::string label;
        std::uint64_t number;  // in the order handed over
        bool started = false;
        bool filled = false;
        bool committing = false;
        int fillCode = 0;
    };
    using Jobs = std::list<Job>;  // a list keeps the other jobs in place
    bool Full() const;
    Jobs::iterator ReadyToCommit();
    void FillPending();
    void CommitFilled();

    const std::size_t maxFiles_;
    const std::uint64_t maxBytes_;
    const std::size_t fillThreads_;
    const std::size_t commitThreads_;
    std::mutex mutex_;
    std::condition_variable changed_;
    Jobs pending_;  // in the order handed over
    std::uint64_t pendingBytes_ = 0;
    std::uint64_t added_ = 0;
    std::uint64_t stoppedAt_ = UINT64_MAX;  // the first file whose fill stopped
    std::vector<Finished> finished_;
    bool closing_ = false;
    std::vector<std::thread> fillers_;  // started with the first files
    std::vector<std::thread> committers_;
};

}  // namespace kvu
