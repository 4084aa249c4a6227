// Matching the repository's rows of one product against the installation: which
// files are offered, each as one record of the update list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/local_index.h"
#include "core/repository.h"
#include "core/update_list.h"
#include "platform/error.h"

namespace kvu {

// What a search matches with, fixed when it starts.
struct MatchSettings {
    int selectedProductNumber = 0;
    std::string productFolder;
    int onlyNewer = 0;      // 1 when only newer files are to be offered
    std::string appFolder;  // where FileInfoError.log goes
};

// Where a repository file is installed: the product folder, the target folder
// (left out when blank) and the file name, each joined by one separator unless
// the part before already ends with one.
std::string BuildLocalPath(const std::string& productFolder, std::string_view fileName,
                           std::string_view targetDir);

// The indexed files whose full path equals path without regard to case: at most
// one, as the index holds every path once.
int CountLocalFiles(const LocalIndex& index, std::string_view path);
std::vector<FileData> FindLocalFiles(const LocalIndex& index, std::string_view path);

// Whether an installed file is offered: never when restricted or when the row
// is for missing files only; otherwise when its score (2 for a remote version
// not lower than the local one, or a later remote date; 1 for the same date; 0
// else) exceeds onlyNewer. An unreadable remote date, needed for a file without
// a version, is an error.
Result<bool> IsUpdateCandidate(const clsRepoFiles& row, const FileData& local, int onlyNewer);

// Appends the record of one offered file; local is null for a file that is not
// installed.
void AddUpdateRecord(const clsRepoFiles& row, const FileData* local,
                     const std::string& productFolder, UpdateList& list);

// Appends a record for every row of the selected product that is to be
// offered, in row order. A row that fails is logged and left out.
void UpdateListFillup(const RepositoryRowList& rows, const LocalIndex& index,
                      const MatchSettings& settings, UpdateList& list);

}  // namespace kvu
