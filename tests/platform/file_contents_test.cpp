#include <gtest/gtest.h>

#include "platform/file_contents.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

using Lines = std::vector<std::string>;

TEST(ReadTextLines, LineEndsAndEmptyLines) {
    struct Case {
        const char* name;
        std::string bytes;
        Lines lines;
    };
    const std::vector<Case> cases = {
        {"lf, blanks kept", "  a \t\nb\n", {"  a \t", "b"}},
        {"no final end", "a\r\nb", {"a", "b"}},
        {"empty lines kept", "\r\na\r\n\r\n\r\nb\r\n", {"", "a", "", "", "b"}},
        {"lone cr stays", "a\rb\r\n", {"a\rb"}},
        {"cr cr lf", "a\r\r\n", {"a\r"}},
        {"empty file", "", {}},
        {"one line end", "\r\n", {""}},
        {"nul inside", std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        const std::string file = dir.file("lines.txt");
        test::WriteBytes(file, c.bytes);
        std::optional<Lines> lines = ReadTextLines(file);
        ASSERT_TRUE(lines) << c.name;
        EXPECT_EQ(*lines, c.lines) << c.name;
    }
}

TEST(ReadTextLines, NothingWhenTheFileCannotBeRead) {
    test::TempDir dir;
    EXPECT_EQ(ReadTextLines(dir.file("missing.txt")), std::nullopt);
    EXPECT_EQ(ReadTextLines(dir.str()), std::nullopt) << "a folder is no text file";
    EXPECT_EQ(ReadTextLines(""), std::nullopt);
}

}  // namespace
}  // namespace kvu
