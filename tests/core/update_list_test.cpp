#include "core/update_list.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace kvu {
namespace {

TEST(UpdateList, PositionsAreOneBasedInTheOrderAdded) {
    const char* names[] = {"c.exe", "a.dll", "b.ocx"};
    UpdateList list;
    for (const char* name : names) {
        clsUpdateInfo record;
        record.appname = name;
        list.Add(record);
    }
    ASSERT_EQ(list.Count(), 3);
    for (int position = 1; position <= 3; ++position)
        EXPECT_EQ(GetUpdateInfo(list, position)->appname, names[position - 1]);
    for (int position : {0, -1, 4, INT_MIN, INT_MAX})
        EXPECT_EQ(GetUpdateInfo(list, position), nullptr) << position;
    EXPECT_EQ(GetUpdateInfo(UpdateList{}, 1), nullptr);
}

}  // namespace
}  // namespace kvu
