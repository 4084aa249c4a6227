#include "core/update_list.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace kvu {
namespace {

UpdateList ListOf(std::initializer_list<const char*> names) {
    UpdateList list;
    for (const char* name : names) {
        clsUpdateInfo record;
        record.appname = name;
        list.Add(record);
    }
    return list;
}

TEST(UpdateList, PositionsAreOneBasedInTheOrderAdded) {
    const char* names[] = {"c.exe", "a.dll", "b.ocx"};
    UpdateList list = ListOf({names[0], names[1], names[2]});
    ASSERT_EQ(list.Count(), 3);
    for (int position = 1; position <= 3; ++position) {
        const clsUpdateInfo* record = GetUpdateInfo(list, position);
        ASSERT_NE(record, nullptr) << position;
        EXPECT_EQ(record->appname, names[position - 1]);
    }
}

TEST(UpdateList, NothingOutsideOneToCount) {
    UpdateList list = ListOf({"a.dll", "b.dll"});
    for (int position : {0, -1, 3, INT_MIN, INT_MAX})
        EXPECT_EQ(GetUpdateInfo(list, position), nullptr) << position;
    const UpdateList empty;
    EXPECT_EQ(GetUpdateInfo(empty, 1), nullptr);
    EXPECT_EQ(GetUpdateInfo(empty, 0), nullptr);
    EXPECT_EQ(empty.Count(), 0);
}

// Choices are written through the records the list hands out.
TEST(UpdateList, CountsAndClearsDownloads) {
    UpdateList empty;
    EXPECT_EQ(CountDownloads(empty), 0);
    ClearDownloads(empty);
    EXPECT_EQ(empty.Count(), 0);

    UpdateList list = ListOf({"a", "b", "c", "d", "e"});
    EXPECT_EQ(CountDownloads(list), 0);
    for (int position : {1, 3, 5})
        GetUpdateInfo(list, position)->Download = true;
    GetUpdateInfo(list, 3)->IsFileInUse = true;
    EXPECT_EQ(CountDownloads(list), 3);

    ClearDownloads(list);
    EXPECT_EQ(CountDownloads(list), 0);
    EXPECT_EQ(list.Count(), 5) << "clearing the choices keeps the records";
    EXPECT_EQ(GetUpdateInfo(list, 5)->appname, "e");
    EXPECT_TRUE(GetUpdateInfo(list, 3)->IsFileInUse) << "only the choice is cleared";
}

}  // namespace
}  // namespace kvu
