#include "unzip32/archive_run.h"

#include <vector>

#include "platform/staged_file.h"
#include "unzip32/central_directory.h"
#include "unzip32/listing.h"
#include "unzip32/member_action.h"
#include "unzip32/member_data.h"
#include "unzip32/member_name.h"

namespace kvu::unzip {
namespace {

// Members handed over ahead of their commits: enough to keep both threads and
// the disk busy, little extra room on the disk.
constexpr std::size_t kCommitsPending = 16;
constexpr std::uint64_t kCommitBytesPending = 64u << 20;
constexpr std::size_t kFillThreads = 2;
constexpr std::size_t kCommitThreads = 2;

// How messages show a name: its text, or its ASCII bytes when it has none.
std::string Shown(const MemberEntry& entry, const std::optional<std::string>& name) {
    if (name)
        return *name;
    std::string shown = entry.rawName;
    for (char& c : shown)
        c = static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F ? '?' : c;
    return shown;
}

struct Selection {
    std::vector<SelectedMember> members;
    std::vector<std::optional<std::string>> names;
    Totals totals;
    bool unmatched = false;
};

Selection Select(const RunOptions& options, const ArchiveIndex& index, const Callbacks& callbacks) {
    Selection selection;
    std::vector<bool> includeUsed;
    for (const MemberEntry& entry : index.members) {
        std::optional<std::string> name = MemberName(entry);
        std::string shown = Shown(entry, name);
        if (!IsSelected(options, name ? *name : shown, includeUsed))
            continue;
        selection.members.push_back(SelectedMember{&entry, shown});
        selection.names.push_back(std::move(name));
        selection.totals.compressed += entry.compressedSize;
        selection.totals.uncompressed += entry.uncompressedSize;
        selection.totals.members += 1;
    }
    includeUsed.resize(options.includes.size());
    for (std::size_t i = 0; i < includeUsed.size(); ++i) {
        if (!includeUsed[i]) {
            callbacks.Problem("caution: no member matches " + options.includes[i] + "\n");
            selection.unmatched = true;
        }
    }
    return selection;
}

std::int32_t Process(const RunOptions& options, const Callbacks& callbacks,
                     const ReadOnlyFile& file, const ArchiveIndex& index,
                     const Selection& selection) {
    bool writes = !options.test && !options.toPrint;
    if (writes && !selection.members.empty() && !CreateFolders(options.folder)) {
        callbacks.Problem("error: cannot create the folder " + options.folder + "\n");
        return kUnzipDiskFull;
    }
    MemberReader reader;
    if (!reader.Ready())
        return kUnzipNoMemory;
    StagedCommits commits(kCommitsPending, kCommitBytesPending, kFillThreads, kCommitThreads);
    RunState state{options, callbacks, file, index, reader, commits};
    for (std::size_t i = 0; i < selection.members.size() && !state.stop; ++i) {
        const SelectedMember& member = selection.members[i];
        ProcessMember(state, *member.entry, selection.names[i], member.shown);
        RecordCommits(state, false);
        if (!callbacks.Proceed(member.shown, member.entry->uncompressedSize)) {
            callbacks.Problem("stopped by the caller\n");
            return kUnzipInterrupted;
        }
    }
    RecordCommits(state, true);
    if (options.test && state.outcome.Result() == kUnzipOk)
        callbacks.Info("No errors detected in " + options.archive + "\n");
    return state.outcome.Result();
}

std::int32_t RunIndexed(const RunOptions& options, const Callbacks& callbacks,
                        const ReadOnlyFile& file, const ArchiveIndex& index) {
    if (options.commentOnly) {
        callbacks.Info(index.comment + "\n");
        return kUnzipOk;
    }
    if (index.prefixBytes > 0)
        callbacks.Problem("warning: " + std::to_string(index.prefixBytes) +
                          " extra bytes before the archive\n");
    Selection selection = Select(options, index, callbacks);
    callbacks.SetTotals(selection.totals);
    std::int32_t result = index.prefixBytes > 0 ? kUnzipWarning : kUnzipOk;
    if (index.members.empty()) {
        callbacks.Problem("warning: the archive is empty\n");
        result = kUnzipWarning;
    } else if (options.list) {
        ListMembers(selection.members, options.detailedList, callbacks);
    } else {
        result = std::max(result, Process(options, callbacks, file, index, selection));
    }
    return selection.unmatched ? std::max<std::int32_t>(result, kUnzipNoMatch) : result;
}

}  // namespace

std::int32_t RunArchive(const RunOptions& options, const Callbacks& callbacks) {
    ReadOnlyFile file;
    if (!file.Open(options.archive)) {
        callbacks.Problem("error: cannot find or open " + options.archive + "\n");
        return kUnzipNotArchive;
    }
    ArchiveIndex index;
    std::string problem;
    IndexStatus status = ReadArchiveIndex(file, index, problem);
    if (status != IndexStatus::kOk) {
        callbacks.Problem("error: " + options.archive + ": " + problem + "\n");
        return status == IndexStatus::kNotArchive ? kUnzipNotArchive : kUnzipBadArchive;
    }
    callbacks.SetCommentLength(index.comment.size());
    callbacks.Info("Archive:  " + options.archive + "\n");
    return RunIndexed(options, callbacks, file, index);
}

}  // namespace kvu::unzip
