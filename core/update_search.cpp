#include "core/update_search.h"

#include "core/update_list_fillup.h"
#include "install/download_file.h"
#include "platform/paths.h"
#include "registration/file_info_log.h"
#include "registration/version_info.h"

namespace kvu {

void BeginSearch(UpdaterState& state, const SearchInput& input) {
    state.UpdateList = {};
    state.RepositoryRows.clear();
    state.LocalIndex.Clear();
    state.TempFolder = state.DefaultTempFolder;
    state.RepositoryUrl = input.repositoryUrl;
    state.ProductFolder = input.productFolder;
    state.OnlyNewer = input.newerValue > 0 ? 1 : 0;
}

bool ProductFolderExists(const std::string& productFolder) {
    return !productFolder.empty() && PathExists(productFolder);
}

bool FetchRepository(InternetTransfer& inet, const UpdaterState& state) {
    std::string discarded;
    return DownloadFile(inet, state.RepositoryUrl, state.TempFolder, discarded);
}

void DeleteFileInfoLog(const std::string& appFolder) {
    const std::string path = FileInfoLogPath(appFolder);
    if (PathExists(path))
        DeleteFileAt(path);
}

void BuildLocalIndex(UpdaterState& state, const std::string& appFolder) {
    FileVersionInfo versions(appFolder);
    state.LocalIndex = ScanFolder(state.ProductFolder, "*.*", true, state.RestrictList, versions);
}

std::string RepositoryFilePath(const UpdaterState& state) {
    return state.TempFolder + kPathSep + LastSegment(state.RepositoryUrl, '/');
}

void FillUpdateList(UpdaterState& state, const std::string& appFolder) {
    ReadRepositoryFile(RepositoryFilePath(state), state.RepositoryRows);
    MatchSettings settings{state.SelectedProductNumber, state.ProductFolder, state.OnlyNewer,
                           appFolder};
    UpdateListFillup(state.RepositoryRows, state.LocalIndex, settings, state.UpdateList);
}

}  // namespace kvu
