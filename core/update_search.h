// The window-free steps of an update search: its settings, the repository
// download, the fresh diagnostic log, and matching the repository against the
// installation.
#pragma once

#include <string>
#include <string_view>

#include "core/updater_state.h"
#include "platform/internet_transfer.h"

namespace kvu {

inline constexpr std::string_view kFolderMissingText =
    "A megadott terméktelepítési mappa nem elérhető: ";
inline constexpr std::string_view kFolderMissingTitle = "Tarvo Software Updater konfigurációs hiba";

// What the main window shows when a search starts.
struct SearchInput {
    std::string repositoryUrl;  // tbRepoFile
    std::string productFolder;  // tbAppPath
    int newerValue = 0;         // chkNewer
};

// Step 1: fresh lists, and the settings of the search from the window; the
// temporary folder is always the one found at start-up.
void BeginSearch(UpdaterState& state, const SearchInput& input);

// Whether the product folder names an existing file or folder. An empty name
// does not: the scan must never start at the current drive's root.
bool ProductFolderExists(const std::string& productFolder);

// Downloads the repository file into the temporary folder; its failure text is
// not for the user and is dropped.
bool FetchRepository(InternetTransfer& inet, const UpdaterState& state);

// Deletes the diagnostic log of an earlier search, so that the log holds only
// this search's lines.
void DeleteFileInfoLog(const std::string& appFolder);

// Indexes every file of the product folder.
void BuildLocalIndex(UpdaterState& state, const std::string& appFolder);

// Where the downloaded repository file lies: the temporary folder and the
// URL's last "/"-piece (empty for a URL that ends with "/").
std::string RepositoryFilePath(const UpdaterState& state);

// Reads the downloaded repository and fills the update list from the rows of
// the selected product.
void FillUpdateList(UpdaterState& state, const std::string& appFolder);

}  // namespace kvu
