#include "decision/selection.h"

#include <gtest/gtest.h>

namespace kvu {
namespace {

TEST(Selection, LockedAmongTheCheckedAndTheConfirmedChoice) {
    std::vector<clsUpdateInfo> records(4);
    for (std::size_t i = 0; i < records.size(); ++i) {
        records[i].IsFileInUse = i % 2 == 0;
        records[i].Download = true;
    }
    EXPECT_EQ(LockedAmong(records, {3, 2, 0, 9, -1}), (std::vector<int>{2, 0}));
    EXPECT_TRUE(LockedAmong(records, {1, 3}).empty());
    ConfirmDownloads(records, {1, 3, 4});
    std::vector<bool> chosen;
    for (const clsUpdateInfo& r : records)
        chosen.push_back(r.Download);
    EXPECT_EQ(chosen, (std::vector<bool>{false, true, false, true}));
}

}  // namespace
}  // namespace kvu
