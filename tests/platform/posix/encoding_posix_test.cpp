#include <gtest/gtest.h>

#include "platform/encoding.h"

namespace kvu {
namespace {

// Files written on a Hungarian Windows are Windows-1250 text; what that code
// page cannot hold becomes a question mark.
TEST(AnsiText, IsWindows1250) {
    EXPECT_EQ(AnsiToUtf8("\xE1rv\xEDzt\xFBr\xF5 \xC1RV\xCDZT\xDBR\xD5"), "árvíztűrő ÁRVÍZTŰRŐ");
    EXPECT_EQ(Utf8ToAnsi("tükörfúrógép Ő"), "t\xFCk\xF6rf\xFAr\xF3g\xE9p \xD5");
    EXPECT_EQ(Utf8ToAnsi("a€z"), "a\x80z");  // the euro sign is in Windows-1250
    EXPECT_EQ(Utf8ToAnsi("a日z"), "a?z");
    EXPECT_EQ(Utf8ToAnsi("a\xFFz"), "a?z");  // broken UTF-8
    EXPECT_EQ(AnsiToUtf8("a\x98z"), "a?z");  // a byte Windows-1250 leaves undefined
}

// Names in archives made on a Hungarian Windows are code page 852 text.
TEST(OemText, IsCodePage852) {
    EXPECT_EQ(OemToUtf8("\xA0rv\xA1zt\xFBr\x8B \xB5RV\xD6ZT\xEBR\x8A"), "árvíztűrő ÁRVÍZTŰRŐ");
}

}  // namespace
}  // namespace kvu
