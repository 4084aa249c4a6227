// The user's choice in the update list, without the window: which checked
// files are in use, and handing the confirmed choice to the records. Records
// are named by their index in the list, from 0.
#pragma once

#include <span>
#include <vector>

#include "decision/update_info.h"

namespace kvu {

// Of the checked records, those whose file was found locked when the list was
// loaded, in the order given; every one is looked at.
std::vector<int> LockedAmong(std::span<const clsUpdateInfo> records,
                             const std::vector<int>& checked);

// Unchooses every record.
void ClearDownloads(std::span<clsUpdateInfo> records);

// Download ends true for exactly the checked records.
void ConfirmDownloads(std::span<clsUpdateInfo> records, const std::vector<int>& checked);

}  // namespace kvu
