#include "unzip32/member_action.h"

#include <new>
#include <utility>

#include "platform/paths.h"
#include "unzip32/member_name.h"
#include "unzip32/member_output.h"

namespace kvu::unzip {
namespace {

constexpr int kPasswordTries = 3;
constexpr std::uint16_t kMethodAes = 99;

std::string Joined(const std::string& folder, const std::string& relative) {
    bool separated = !folder.empty() && (folder.back() == kPathSep || folder.back() == '/');
    return separated ? folder + relative : folder + kPathSep + relative;
}

std::string ParentOf(const std::string& path) {
    std::size_t separator = path.find_last_of(std::string("/") + kPathSep);
    return separator == std::string::npos ? "." : path.substr(0, separator);
}

std::optional<std::string> UnsupportedFeature(const MemberEntry& entry) {
    if (entry.flags & kFlagStrongEncryption || entry.method == kMethodAes)
        return "an unsupported encryption";
    if (entry.method != kMethodStored && entry.method != kMethodDeflated)
        return "unsupported compression method " + std::to_string(entry.method);
    return std::nullopt;
}

// A file of an earlier member may still be on its way to where a folder is to
// be made: it is put in place first, so the folder meets what a run of one
// member at a time would have left there.
bool CreateFoldersAfterCommits(RunState& state, const std::string& path) {
    if (KindOfPath(path) != PathKind::kFolder)
        RecordCommits(state, true);
    return CreateFolders(path);
}

void MakeFolder(RunState& state, const std::string& name, const std::string& shown) {
    std::string path = name;
    while (!path.empty() && (path.back() == '/' || path.back() == '\\'))
        path.pop_back();
    std::optional<std::string> relative =
        OutputPath(path, true, state.options.spaceToUnderscore, kPathSep);
    if (!relative) {
        state.callbacks.Problem("  skipping: " + shown + "  (unsafe name)\n");
        state.outcome.Raise(kUnzipWarning);
    } else if (!CreateFoldersAfterCommits(state, Joined(state.options.folder, *relative))) {
        state.callbacks.Problem("  error: cannot create folder " + shown + "\n");
        state.outcome.Raise(kUnzipDiskFull);
    } else {
        state.callbacks.Info("   creating: " + shown + "\n");
        state.outcome.Done();
    }
}

// A target that an earlier member of the run is still on its way to is looked
// at only once it is there.
void WaitForCommitOf(RunState& state, const std::string& target) {
    if (state.commits.Pending(target))
        RecordCommits(state, true);
}

bool IsNotNewer(const MemberEntry& entry, const std::string& target) {
    std::optional<std::int64_t> existing = ModifiedTime(target);
    std::optional<std::int64_t> member = MemberTime(entry, nullptr);
    return existing && member && *existing >= *member;
}

// Whether an existing target may be replaced: the overwrite options and the
// replace callback's answer. A rename answer changes target.
bool MayReplace(RunState& state, std::string& target, const std::string& shown, int depth) {
    if (state.overwriteAll || (state.options.overwrite && !state.options.prompt))
        return true;
    if (state.overwriteNone || !state.options.prompt || depth > 3) {
        state.callbacks.Info("  skipping: " + shown + "  (the file exists)\n");
        return false;
    }
    std::string asked = target;
    switch (state.callbacks.AskReplace(asked)) {
        case kReplaceYes:
            return true;
        case kReplaceAll:
            state.overwriteAll = true;
            return true;
        case kReplaceNone:
            state.overwriteNone = true;
            return false;
        case kReplaceRename: {
            std::string part(LastPart(asked));
            if (!IsSafePart(part))
                return false;
            target = Joined(ParentOf(target), part);
            WaitForCommitOf(state, target);
            return KindOfPath(target) == PathKind::kNone ||
                   MayReplace(state, target, shown, depth + 1);
        }
        default:
            return false;
    }
}

// Whether the member is to be written to target at all.
bool ShouldWrite(RunState& state, const MemberEntry& entry, std::string& target,
                 const std::string& shown) {
    WaitForCommitOf(state, target);
    PathKind kind = KindOfPath(target);
    if (kind == PathKind::kFolder) {
        state.callbacks.Problem("  error: " + shown + ": a folder of that name is in the way\n");
        state.outcome.Raise(kUnzipDiskFull);
        return false;
    }
    if (kind == PathKind::kNone)
        return !state.options.freshen;
    if ((state.options.onlyNewer || state.options.freshen) && IsNotNewer(entry, target)) {
        state.callbacks.Info("  skipping: " + shown + "  (the file is not older)\n");
        return false;
    }
    return MayReplace(state, target, shown, 0);
}

// Finds a password that opens the member: the last one that fitted, else the
// password callback's answers.
bool FindPassword(RunState& state, const MemberEntry& entry, const MemberData& data,
                  const std::string& shown) {
    if (state.password && PasswordFits(state.file, entry, data, *state.password))
        return true;
    for (int attempt = 0; attempt < kPasswordTries && state.askPasswords; ++attempt) {
        bool cancelAll = false;
        std::optional<std::string> answer = state.callbacks.AskPassword(shown, cancelAll);
        state.askPasswords = !cancelAll;
        if (!answer)
            break;
        if (PasswordFits(state.file, entry, data, *answer)) {
            state.password = std::move(answer);
            return true;
        }
        state.callbacks.Problem("  " + shown + ": incorrect password\n");
    }
    state.callbacks.Problem("  skipping: " + shown + "  (no fitting password)\n");
    return false;
}

DataStatus StatusOf(WriteResult result) {
    switch (result) {
        case WriteResult::kOk:
            return DataStatus::kOk;
        case WriteResult::kDiskFull:
            return DataStatus::kDiskFull;
        case WriteResult::kFailed:
            return DataStatus::kWriteFailed;
    }
    return DataStatus::kWriteFailed;
}

// Inflates and checks the member into staged, a new file in folder.
DataStatus ExtractInto(StagedFile& staged, const ReadOnlyFile& file, const MemberEntry& entry,
                       const MemberData& data, const std::optional<std::string>& password,
                       const std::string& folder, bool convertText) {
    MemberReader reader;
    FileSink sink(staged, convertText);
    if (!reader.Ready() || !sink.Create(folder))
        return DataStatus::kWriteFailed;
    DataStatus status = reader.Extract(file, entry, data, password ? &*password : nullptr, sink);
    return status == DataStatus::kOk ? StatusOf(sink.Finish()) : status;
}

// Hands the member over to be extracted into a staged file beside target and
// committed there, on a thread of the run; RecordCommits tells how it went.
DataStatus WriteMember(RunState& state, const MemberEntry& entry, const MemberData& data,
                       const std::string* password, const std::string& target,
                       const std::string& shown) {
    std::string folder = ParentOf(target);
    if (state.options.keepFolders && !CreateFoldersAfterCommits(state, folder))
        return DataStatus::kWriteFailed;
    // Once per folder and run: what a crashed run left there goes first.
    if (state.cleanedFolders.insert(folder).second)
        RemoveStaleStagedFiles(folder);
    bool convertText = state.options.convertText && (entry.internalAttributes & 1);
    std::optional<std::string> key = password ? std::optional(*password) : std::nullopt;
    // A full disk stops the run: the members after it are not written.
    auto fill = [&file = state.file, entry, data, key, folder, convertText](StagedFile& staged) {
        DataStatus status = DataStatus::kWriteFailed;
        try {
            status = ExtractInto(staged, file, entry, data, key, folder, convertText);
        } catch (const std::bad_alloc&) {
        }
        return StagedCommits::FillResult{static_cast<int>(status), status == DataStatus::kDiskFull};
    };
    state.commits.Add(std::move(fill), entry.uncompressedSize, target, MemberTime(entry, &data),
                      shown);
    return DataStatus::kOk;
}

void Record(RunState& state, DataStatus status, const std::string& shown) {
    if (status == DataStatus::kOk) {
        state.outcome.Done();
        if (state.options.test)
            state.callbacks.Info("    testing: " + shown + "   OK\n");
        return;
    }
    state.callbacks.Problem("  error: " + shown + ": " + Describe(status) + "\n");
    switch (status) {
        case DataStatus::kReadError:
            state.outcome.Raise(kUnzipBadArchive);
            break;
        case DataStatus::kWriteFailed:
            state.outcome.Raise(kUnzipDiskFull);
            break;
        case DataStatus::kDiskFull:
            state.outcome.Raise(kUnzipDiskFull);
            state.stop = true;
            break;
        default:
            state.outcome.Raise(kUnzipError);
            break;
    }
}

// The file a member is written to; false when it is not to be written.
bool FindTarget(RunState& state, const MemberEntry& entry, const std::string& name,
                const std::string& shown, std::string& target) {
    std::optional<std::string> relative =
        OutputPath(name, state.options.keepFolders, state.options.spaceToUnderscore, kPathSep);
    if (!relative) {
        state.callbacks.Problem("  skipping: " + shown + "  (unsafe name)\n");
        state.outcome.Raise(kUnzipWarning);
        return false;
    }
    target = Joined(state.options.folder, *relative);
    return ShouldWrite(state, entry, target, shown);
}

// Reads the member and sends it to target, or, without one, through the test
// or the print callback.
void Transfer(RunState& state, const MemberEntry& entry, const std::string& target,
              const std::string& shown) {
    MemberData data;
    std::string problem;
    if (!LocateData(state.file, state.index, entry, data, problem)) {
        state.callbacks.Problem("  error: " + shown + ": " + problem + "\n");
        state.outcome.Raise(kUnzipBadArchive);
        return;
    }
    if (entry.Encrypted() && !FindPassword(state, entry, data, shown)) {
        state.outcome.NoPassword();
        return;
    }
    const std::string* password = entry.Encrypted() ? &*state.password : nullptr;
    if (!target.empty()) {
        state.callbacks.Info((entry.method == kMethodStored ? " extracting: " : "  inflating: ") +
                             shown + "\n");
        if (DataStatus status = WriteMember(state, entry, data, password, target, shown);
            status != DataStatus::kOk)
            Record(state, status, shown);
    } else if (state.options.test) {
        DiscardSink sink;
        Record(state, state.reader.Extract(state.file, entry, data, password, sink), shown);
    } else {
        PrintSink sink(state.callbacks);
        Record(state, state.reader.Extract(state.file, entry, data, password, sink), shown);
    }
}

}  // namespace

void RecordCommits(RunState& state, bool waitAll) {
    for (StagedCommits::Finished& finished : state.commits.Take(waitAll)) {
        if (finished.dropped)
            continue;
        DataStatus status = finished.fillCode != 0 ? static_cast<DataStatus>(finished.fillCode)
                                                   : StatusOf(finished.result);
        Record(state, status, finished.label);
    }
}

std::int32_t RunResult::Result() const {
    if (worst_ > kUnzipWarning || done_ > 0 || unsupported_ + noPassword_ == 0)
        return worst_;
    return unsupported_ > 0 ? kUnzipUnsupported : kUnzipBadPassword;
}

std::optional<std::int64_t> MemberTime(const MemberEntry& entry, const MemberData* data) {
    if (entry.unixModified)
        return entry.unixModified;
    if (data && data->unixModified)
        return data->unixModified;
    DateTime local{(entry.dosDate >> 9) + 1980, (entry.dosDate >> 5) & 0x0F,
                   entry.dosDate & 0x1F,        entry.dosTime >> 11,
                   (entry.dosTime >> 5) & 0x3F, (entry.dosTime & 0x1F) * 2};
    if (local.month < 1 || local.month > 12 || local.day < 1 || local.hour > 23 ||
        local.minute > 59 || local.second > 59)
        return std::nullopt;
    return LocalToUnixTime(local);
}

void ProcessMember(RunState& state, const MemberEntry& entry,
                   const std::optional<std::string>& name, const std::string& shown) {
    bool writes = !state.options.test && !state.options.toPrint;
    if (!name) {
        state.callbacks.Problem("  skipping: " + shown + "  (the name is not valid UTF-8)\n");
        state.outcome.Raise(kUnzipWarning);
        return;
    }
    if (IsFolderEntry(entry, *name)) {
        if (writes && state.options.keepFolders)
            MakeFolder(state, *name, shown);
        return;
    }
    if (std::optional<std::string> feature = UnsupportedFeature(entry)) {
        state.callbacks.Problem("  skipping: " + shown + "  (" + *feature + ")\n");
        state.outcome.Unsupported();
        return;
    }
    std::string target;
    if (writes && !FindTarget(state, entry, *name, shown, target))
        return;
    Transfer(state, entry, target, shown);
}

}  // namespace kvu::unzip
