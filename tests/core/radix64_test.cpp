#include "core/radix64.h"

#include <gtest/gtest.h>

#include "tests/support/base64.h"

namespace kvu {
namespace {

TEST(Radix64Decode, FollowsTheStandardAlphabetAndPadding) {
    struct Case {
        const char* encoded;
        const char* decoded;
    };
    for (const Case& c : {Case{"Zg==", "f"},
                          {"Zm8=", "fo"},
                          {"Zm9v", "foo"},
                          {"Zm9vYg", "foo"},            // an incomplete last group is ignored
                          {"Zm 9v\r\nYmFy", "foobar"},  // blanks and line breaks are skipped
                          {"Zg==Zm8=", "ffo"},          // each group stands alone
                          {"Zm9v!YmFy*", "foobar"}}) {
        EXPECT_EQ(Radix64Decode(c.encoded), c.decoded) << c.encoded;
    }
}

TEST(Radix64Decode, EveryByteValueSurvivesTheRoundTrip) {
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    EXPECT_EQ(Radix64DecodeBytes(test::Base64Encode(bytes)), bytes);
}

}  // namespace
}  // namespace kvu
