// The records that one update search offers, in the order the repository
// produced them. Part of the search's state: a search starts with a new empty
// list, and windows reach a record by its 1-based position.
#pragma once

#include <utility>
#include <vector>

#include "decision/update_info.h"

namespace kvu {

class UpdateList {
  public:
    void Add(clsUpdateInfo record) { records_.push_back(std::move(record)); }
    int Count() const { return static_cast<int>(records_.size()); }

    auto begin() { return records_.begin(); }
    auto end() { return records_.end(); }
    auto begin() const { return records_.begin(); }
    auto end() const { return records_.end(); }

  private:
    std::vector<clsUpdateInfo> records_;
};

// The record at a 1-based position, or none outside 1..Count(). Valid until the
// list is next added to or replaced.
clsUpdateInfo* GetUpdateInfo(UpdateList& list, int position);
const clsUpdateInfo* GetUpdateInfo(const UpdateList& list, int position);

// How many records are chosen for download.
int CountDownloads(const UpdateList& list);

}  // namespace kvu
