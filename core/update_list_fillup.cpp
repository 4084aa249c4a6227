#include "core/update_list_fillup.h"

#include <optional>

#include "decision/date_text.h"
#include "decision/version_compare.h"
#include "platform/paths.h"
#include "platform/plain_text.h"
#include "registration/file_info_log.h"

namespace kvu {
namespace {

constexpr std::string_view kAlways = "ALLWAYS";
constexpr std::string_view kNotExist = "NOTEXIST";
constexpr std::string_view kFillupError = "UpdateListFillup error ->";
// A remote date that is no date reports the number of a type mismatch.
constexpr long kErrorTypeMismatch = 13;

Result<int> DateScore(const clsRepoFiles& row, const FileData& local) {
    std::optional<DateTime> remote = ParseDateText(row.datetime);
    if (!remote) {
        return Error{kErrorTypeMismatch, "IsUpdateCandidate",
                     "invalid remote date \"" + row.datetime + "\" of " + row.FileName};
    }
    if (*remote > local.FileDate)
        return 2;
    return *remote == local.FileDate ? 1 : 0;
}

// The row's file relative to the product folder, as BuildLocalPath joins it.
std::string RelativePath(const clsRepoFiles& row) {
    if (TrimSpaces(row.TargetDir).empty())
        return row.FileName;
    return row.TargetDir + '\\' + row.FileName;
}

int VersionScore(const clsRepoFiles& row, const FileData& local) {
    return IsLowerVersion(TrimSpaces(row.version), TrimSpaces(local.FileVersion)) ? 0 : 2;
}

}  // namespace

std::string BuildLocalPath(const std::string& productFolder, std::string_view fileName,
                           std::string_view targetDir) {
    std::string path = productFolder;
    if (!TrimSpaces(targetDir).empty())
        path = JoinPath(path, ToNativeSeparators(targetDir));
    return JoinPath(path, ToNativeSeparators(fileName));
}

int CountLocalFiles(const LocalIndex& index, std::string_view path) {
    return index.Contains(path) ? 1 : 0;
}

std::vector<FileData> FindLocalFiles(const LocalIndex& index, std::string_view path) {
    const FileData* found = index.Find(path);
    if (!found)
        return {};
    return {*found};
}

Result<bool> IsUpdateCandidate(const clsRepoFiles& row, const FileData& local, int onlyNewer) {
    if (local.FileRestricted || row.UpdateMode == kNotExist)
        return false;
    if (!TrimSpaces(local.FileVersion).empty())
        return VersionScore(row, local) > onlyNewer;
    Result<int> score = DateScore(row, local);
    if (!score)
        return score.error();
    return score.value() > onlyNewer;
}

void AddUpdateRecord(const clsRepoFiles& row, const FileData* local,
                     const std::string& productFolder, UpdateList& list) {
    clsUpdateInfo record;
    record.NetPath = row.zipname;
    record.appname = row.FileName;
    record.AppType = row.FileType;
    record.NetVersion = row.version;
    record.NetFileDate = row.datetime;
    record.NetFileSize = row.filesize;
    record.UpdateMode = row.UpdateMode;
    record.TargetDir = row.TargetDir;
    if (local) {
        record.LocalPath = local->File;
        record.LocalVersion = local->FileVersion;
        record.LocalFileDate = FormatDateText(local->FileDate);
        record.LocalFileSize = local->filesize;
    } else {
        record.LocalPath = BuildLocalPath(productFolder, row.FileName, row.TargetDir);
    }
    list.Add(std::move(record));
}

void UpdateListFillup(const RepositoryRowList& rows, const LocalIndex& index,
                      const MatchSettings& settings, UpdateList& list) {
    for (const clsRepoFiles& row : rows) {
        if (row.RID != settings.selectedProductNumber)
            continue;
        // The repository comes over plain HTTP: a row must not reach outside the
        // installation, as the unpack step writes into its path's folder.
        if (!StaysInsideFolder(RelativePath(row))) {
            LogFileInfoError(settings.appFolder, std::string(kFillupError) +
                                                     "path outside the product folder \"" +
                                                     RelativePath(row) + "\" of " + row.FileName);
            continue;
        }
        std::string path = BuildLocalPath(settings.productFolder, row.FileName, row.TargetDir);
        if (CountLocalFiles(index, path) < 1) {
            if (row.UpdateMode == kAlways || row.UpdateMode == kNotExist) {
                AddUpdateRecord(row, nullptr, settings.productFolder, list);
            }
            continue;
        }
        for (const FileData& local : FindLocalFiles(index, path)) {
            Result<bool> candidate = IsUpdateCandidate(row, local, settings.onlyNewer);
            if (!candidate) {
                LogFileInfoError(settings.appFolder,
                                 std::string(kFillupError) + candidate.error().description);
            } else if (candidate.value()) {
                AddUpdateRecord(row, &local, settings.productFolder, list);
            }
        }
    }
}

}  // namespace kvu
