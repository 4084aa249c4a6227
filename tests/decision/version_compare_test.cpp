#include "decision/version_compare.h"

#include <gtest/gtest.h>

#include <span>
#include <utility>

namespace kvu {
namespace {

using Pair = std::pair<const char*, const char*>;

// IsLowerVersion(first, second) is true for the lower pairs, false for the others.
void ExpectLower(std::span<const Pair> lower, std::span<const Pair> notLower) {
    for (const auto& [first, second] : lower)
        EXPECT_TRUE(IsLowerVersion(first, second)) << '"' << first << "\" < \"" << second << '"';
    for (const auto& [first, second] : notLower)
        EXPECT_FALSE(IsLowerVersion(first, second)) << '"' << first << "\" < \"" << second << '"';
}

TEST(IsLowerVersion, ComparesPartByPartAsNumbers) {
    const Pair lower[] = {{"1.2", "1.2.1"}, {"1.9", "1.10"}, {"2.0.0.5", "2.0.1.0"}, {"-1", "0"}};
    const Pair notLower[] = {
        {"1.10", "1.9"},        {"1.2.3", "1.2"},   {"1.2", "1.2"}, {"2.0.0.5", "2.0.0.4"},
        {"2.0.0.5", "2.0.0.5"}, {"1.2.3.4", "1.2"}, {"3", "2.9.9"}, {"0", "-1"}};
    ExpectLower(lower, notLower);
}

// A first version that ends early is lower, even when what it lacks is zero.
TEST(IsLowerVersion, AShorterFirstVersionIsLower) {
    const Pair lower[] = {{"1", "1.0"}, {"", "1"}, {"", "0"}, {"1.2", "1.2.x"}};
    const Pair notLower[] = {{"1.2.3", ""}, {"", ""}};
    ExpectLower(lower, notLower);
}

TEST(IsLowerVersion, SpellingsOfTheSameNumberAreEqual) {
    const Pair lower[] = {{"1.2", "1.3 "}};
    const Pair notLower[] = {
        {"01.2", "1.2"},    {"1.2", "01.2"},    {"1.0002", "1.2"}, {"000000000000001", "1"},
        {" 1 . 2 ", "1.2"}, {"1.2", "\t1.2\t"}, {"+1", "1"}};
    ExpectLower(lower, notLower);
}

// What cannot be read as a 32-bit signed number makes the first version lower,
// from either side, as soon as its position is reached.
TEST(IsLowerVersion, AnUnreadablePartMakesTheFirstLower) {
    const Pair lower[] = {{"1.2.3", "1.2."}, {"1.2.", "1.2."}, {"1..2", "1..2"}, {"1.x", "1.2"},
                          {"1.5", "1.x"},    {"1 2", "12"},    {"1e3", "1000"},  {"0x10", "16"},
                          {"+-1", "0"},      {"2.5", "3.x"}};
    const Pair notLower[] = {{"3.x", "2.5"}};
    ExpectLower(lower, notLower);
}

TEST(IsLowerVersion, PartsOutsideThirtyTwoBitsAreUnreadable) {
    const Pair lower[] = {{"1.2147483646", "1.2147483647"},
                          {"1.2147483647", "1.2147483648"},
                          {"1.2147483648", "1.2147483647"},
                          {"-2147483648", "-2147483647"},
                          {"-2147483649", "-2147483648"}};
    const Pair notLower[] = {{"1.2147483647", "1.2147483646"}};
    ExpectLower(lower, notLower);
}

}  // namespace
}  // namespace kvu
