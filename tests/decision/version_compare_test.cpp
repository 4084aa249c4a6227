#include "decision/version_compare.h"

#include <gtest/gtest.h>

#include <string>

namespace kvu {
namespace {

struct VersionCase {
    const char* first;
    const char* second;
    bool lower;
};

void PrintTo(const VersionCase& c, std::ostream* os) {
    *os << '"' << c.first << "\" < \"" << c.second << '"';
}

class IsLowerVersionTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(IsLowerVersionTest, Compares) {
    const VersionCase& c = GetParam();
    EXPECT_EQ(IsLowerVersion(c.first, c.second), c.lower);
}

INSTANTIATE_TEST_SUITE_P(
    Ordering, IsLowerVersionTest,
    ::testing::Values(VersionCase{"1.2", "1.2.1", true}, VersionCase{"1.9", "1.10", true},
                      VersionCase{"1.10", "1.9", false}, VersionCase{"1.2.3", "1.2", false},
                      VersionCase{"1.2", "1.2", false}, VersionCase{"2.0.0.5", "2.0.1.0", true},
                      VersionCase{"2.0.0.5", "2.0.0.4", false},
                      VersionCase{"2.0.0.5", "2.0.0.5", false},
                      VersionCase{"1.2.3.4", "1.2", false}, VersionCase{"3", "2.9.9", false},
                      VersionCase{"-1", "0", true}, VersionCase{"0", "-1", false}));

// A first version that ends early is lower, even when what it lacks is zero.
INSTANTIATE_TEST_SUITE_P(Lengths, IsLowerVersionTest,
                         ::testing::Values(VersionCase{"1", "1.0", true},
                                           VersionCase{"", "1", true}, VersionCase{"", "0", true},
                                           VersionCase{"1.2.3", "", false},
                                           VersionCase{"", "", false},
                                           VersionCase{"1.2", "1.2.x", true}));

INSTANTIATE_TEST_SUITE_P(
    Spelling, IsLowerVersionTest,
    ::testing::Values(VersionCase{"01.2", "1.2", false}, VersionCase{"1.2", "01.2", false},
                      VersionCase{"1.0002", "1.2", false},
                      VersionCase{"000000000000001", "1", false},
                      VersionCase{" 1 . 2 ", "1.2", false}, VersionCase{"1.2", "\t1.2\t", false},
                      VersionCase{"+1", "1", false}, VersionCase{"1.2", "1.3 ", true}));

// What cannot be read as a 32-bit signed number makes the first version lower,
// from either side, as soon as its position is reached.
INSTANTIATE_TEST_SUITE_P(
    Unreadable, IsLowerVersionTest,
    ::testing::Values(VersionCase{"1.2.3", "1.2.", true}, VersionCase{"1.2.", "1.2.", true},
                      VersionCase{"1..2", "1..2", true}, VersionCase{"1.x", "1.2", true},
                      VersionCase{"1.5", "1.x", true}, VersionCase{"1 2", "12", true},
                      VersionCase{"1e3", "1000", true}, VersionCase{"0x10", "16", true},
                      VersionCase{"+-1", "0", true}, VersionCase{"3.x", "2.5", false},
                      VersionCase{"2.5", "3.x", true}));

INSTANTIATE_TEST_SUITE_P(ThirtyTwoBitRange, IsLowerVersionTest,
                         ::testing::Values(VersionCase{"1.2147483647", "1.2147483646", false},
                                           VersionCase{"1.2147483646", "1.2147483647", true},
                                           VersionCase{"1.2147483647", "1.2147483648", true},
                                           VersionCase{"1.2147483648", "1.2147483647", true},
                                           VersionCase{"1.2147483648", "1.2147483648", true},
                                           VersionCase{"-2147483648", "-2147483647", true},
                                           VersionCase{"-2147483649", "-2147483648", true},
                                           VersionCase{"99999999999", "1", true}));

}  // namespace
}  // namespace kvu
