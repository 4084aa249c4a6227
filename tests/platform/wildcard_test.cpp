// The file-name matcher of our Linux listing. It runs in the Windows tests as
// well, where the system's own listing checks it.
#include "platform/wildcard.h"

#include <gtest/gtest.h>

#include "tests/platform/wildcard_cases.h"

namespace kvu {
namespace {

TEST(FilePattern, MatchesAsTheSystemDoes) {
    for (const test::PatternCase& c : test::kPatternCases) {
        for (const char* name : c.matching)
            EXPECT_TRUE(MatchesFilePattern(name, c.pattern)) << c.pattern << " " << name;
        for (const char* name : c.other)
            EXPECT_FALSE(MatchesFilePattern(name, c.pattern)) << c.pattern << " " << name;
    }
}

TEST(FilePattern, LettersOfAnyCase) {
    EXPECT_TRUE(MatchesFilePattern("árvíz.DLL", "ÁRVÍZ.dll"));
    EXPECT_TRUE(MatchesFilePattern("Ő.txt", "?.TXT")) << "one character, not one byte";
    EXPECT_FALSE(MatchesFilePattern("ab.txt", "?.TXT"));
}

}  // namespace
}  // namespace kvu
