// What happens to one selected member: extracted, tested or printed, with the
// overwrite rules, the password, and the result it adds to the run.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "platform/staged_commits.h"
#include "platform/staged_file.h"
#include "unzip32/callbacks.h"
#include "unzip32/central_directory.h"
#include "unzip32/member_data.h"
#include "unzip32/run_options.h"

namespace kvu::unzip {

// The result of a run, gathered member by member: the worst code met, except
// that a run where nothing could be done because of unsupported methods or
// missing passwords says so.
class RunResult {
  public:
    void Raise(std::int32_t code) { worst_ = std::max(worst_, code); }
    void Done() { ++done_; }
    void Unsupported() {
        ++unsupported_;
        Raise(kUnzipWarning);
    }
    void NoPassword() {
        ++noPassword_;
        Raise(kUnzipWarning);
    }
    std::int32_t Result() const;

  private:
    std::int32_t worst_ = kUnzipOk;
    int done_ = 0;
    int unsupported_ = 0;
    int noPassword_ = 0;
};

struct RunState {
    const RunOptions& options;
    const Callbacks& callbacks;
    const ReadOnlyFile& file;
    const ArchiveIndex& index;
    MemberReader& reader;
    StagedCommits& commits;  // members on their way to their targets
    RunResult outcome{};
    std::optional<std::string> password{};  // the last password that fitted
    bool askPasswords = true;
    bool overwriteAll = false;
    bool overwriteNone = false;
    bool stop = false;                       // a full disk: no point in going on
    std::set<std::string> cleanedFolders{};  // where stale staged files were removed
};

// Records the members whose commit has finished; with waitAll, every member
// handed over so far.
void RecordCommits(RunState& state, bool waitAll);

// The member's modification time in Unix seconds: the extended timestamp,
// else the DOS date and time as local time.
std::optional<std::int64_t> MemberTime(const MemberEntry& entry, const MemberData* data);

// Extracts, tests or prints one selected member; name is none when the stored
// name is not valid text, shown is how messages name the member.
void ProcessMember(RunState& state, const MemberEntry& entry,
                   const std::optional<std::string>& name, const std::string& shown);

}  // namespace kvu::unzip
