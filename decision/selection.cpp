#include "decision/selection.h"

namespace kvu {
namespace {

bool Holds(std::size_t count, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < count;
}

}  // namespace

std::vector<int> LockedAmong(std::span<const clsUpdateInfo> records,
                             const std::vector<int>& checked) {
    std::vector<int> locked;
    for (int index : checked) {
        if (Holds(records.size(), index) && records[static_cast<std::size_t>(index)].IsFileInUse)
            locked.push_back(index);
    }
    return locked;
}

void ClearDownloads(std::span<clsUpdateInfo> records) {
    for (clsUpdateInfo& record : records)
        record.Download = false;
}

void ConfirmDownloads(std::span<clsUpdateInfo> records, const std::vector<int>& checked) {
    ClearDownloads(records);
    for (int index : checked) {
        if (Holds(records.size(), index))
            records[static_cast<std::size_t>(index)].Download = true;
    }
}

}  // namespace kvu
