#include <gtest/gtest.h>

#include "core/radix64.h"
#include "core/repository.h"
#include "tests/support/base64.h"

namespace kvu {
namespace {

// The maker writes Windows-1250 text; file names keep their accents.
TEST(RepositoryText, DecodedLinesAreWindows1250) {
    EXPECT_EQ(Radix64Decode(test::Base64Encode("B\xE9rsz\xE1mfejt\xF5.dll")), "Bérszámfejtő.dll");
    std::vector<std::string> columns = DecodeRepositoryLine(
        test::Base64Encode("0\t0\tz\t\xC1rlista.dll\tDLL\t\t\t1\t\tS\xFAg\xF3"));
    ASSERT_EQ(columns.size(), 10u);
    EXPECT_EQ(columns[3], "Árlista.dll");
    EXPECT_EQ(columns[9], "Súgó");
}

}  // namespace
}  // namespace kvu
