#include <gtest/gtest.h>

#include "platform/file_contents.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

// Files are Windows-1250 text on Linux, the Hungarian letters included.
TEST(ReadTextLinesPosix, Windows1250Letters) {
    test::TempDir dir;
    const std::string file = dir.file("restrict.txt");
    test::WriteBytes(file, "\xE1rv\xEDzt\xFBr\xF5\r\n\xD5\xDB\r\n");
    EXPECT_EQ(ReadTextLines(file), (std::vector<std::string>{"árvíztűrő", "ŐŰ"}));
}

}  // namespace
}  // namespace kvu
