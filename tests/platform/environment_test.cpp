#include "platform/environment.h"

#include <gtest/gtest.h>

#include "tests/platform/set_environment.h"

namespace kvu {
namespace {

using test::SetVariable;
using test::UnsetVariable;

TEST(EnvironmentVariable, ValuesByNameWithoutRegardToCase) {
    SetVariable("KVU_TEST_Folder", "C:\\Temp\\kvu");
    EXPECT_EQ(EnvironmentVariable("KVU_TEST_Folder"), "C:\\Temp\\kvu");
    EXPECT_EQ(EnvironmentVariable("kvu_test_folder"), "C:\\Temp\\kvu");
    UnsetVariable("KVU_TEST_Folder");
    EXPECT_EQ(EnvironmentVariable("KVU_TEST_Folder"), "");
    EXPECT_EQ(EnvironmentVariable("KVU_TEST_NEVER_SET"), "");
}

TEST(EnvironmentVariable, LongValuesComeWhole) {
    const std::string value(5000, 'v');
    SetVariable("KVU_TEST_LONG", value.c_str());
    EXPECT_EQ(EnvironmentVariable("KVU_TEST_LONG"), value);
    UnsetVariable("KVU_TEST_LONG");
}

}  // namespace
}  // namespace kvu
