#include "platform/paths.h"

#include <gtest/gtest.h>

namespace kvu {
namespace {

TEST(LastSegment, UrlsAndPaths) {
    EXPECT_EQ(LastSegment("http://h/pelt/vmlx32.zip", '/'), "vmlx32.zip");
    EXPECT_EQ(LastSegment("vmlx32.zip", '/'), "vmlx32.zip");
    EXPECT_EQ(LastSegment("http://h/pelt/", '/'), "");
    EXPECT_EQ(LastSegment("C:\\a\\b.dll", '\\'), "b.dll");
    EXPECT_EQ(LastSegment("", '\\'), "");
}

TEST(WithoutLastSegment, KeepsTheFolderWithItsSeparator) {
    EXPECT_EQ(WithoutLastSegment("C:\\a\\b.dll", '\\'), "C:\\a\\");
    EXPECT_EQ(WithoutLastSegment("b.dll", '\\'), "");
    EXPECT_EQ(WithoutLastSegment("C:\\a\\", '\\'), "C:\\a\\");
}

// A folder named like the file must stay: removing every occurrence of the name
// would unpack the update into C:\ instead of C:\b.dll\.
TEST(WithoutLastSegment, AFolderNamedLikeTheFileStays) {
    EXPECT_EQ(WithoutLastSegment("C:\\b.dll\\b.dll", '\\'), "C:\\b.dll\\");
    EXPECT_EQ(WithoutLastSegment("/opt/x/x", '/'), "/opt/x/");
}

}  // namespace
}  // namespace kvu
