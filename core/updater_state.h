// The updater's process-wide values, owned by the main window and passed by
// reference to the operations that read or write them.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "core/local_index.h"
#include "core/repository.h"
#include "core/update_list.h"
#include "install/unzip_options.h"

namespace kvu {

inline constexpr std::int16_t kElapsedSecondsMax = std::numeric_limits<std::int16_t>::max();

struct UpdaterState {
    // Product number of the selector's selected entry; 0 when none is selected.
    int SelectedProductNumber = 0;
    // The temporary folder every search works in.
    std::string DefaultTempFolder;
    // Shown in the status bar while a transfer runs.
    std::string StatusText;
    // Seconds since the search started; stops counting at kElapsedSecondsMax.
    std::int16_t ElapsedSeconds = 0;
    // Upper-cased lines of restrict.txt: files that are never offered.
    std::vector<std::string> RestrictList;
    // Repository URL of the running search.
    std::string RepositoryUrl;
    // DELETE_TMP of the selected product; kept, acted on by nothing.
    bool DeleteTempFlag = true;
    // The temporary folder of the running search, without a final separator.
    std::string TempFolder;
    // The installation folder of the running search.
    std::string ProductFolder;
    // 1 when the running search offers only newer files, else 0.
    int OnlyNewer = 0;
    // The repository's rows, the installed files, and the files the running
    // search offers; each search starts them afresh.
    RepositoryRowList RepositoryRows;
    kvu::LocalIndex LocalIndex;
    kvu::UpdateList UpdateList;
    UnzipOptions Unzip;
};

}  // namespace kvu
