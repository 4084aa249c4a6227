#include "platform/environment.h"

#include <gtest/gtest.h>

#include "tests/platform/set_environment.h"

namespace kvu {
namespace {

// Names without regard to case; long values come whole.
TEST(EnvironmentVariable, ValuesByNameWithoutRegardToCase) {
    const std::string value(5000, 'v');
    test::SetVariable("KVU_TEST_Folder", value.c_str());
    EXPECT_EQ(EnvironmentVariable("KVU_TEST_Folder"), value);
    EXPECT_EQ(EnvironmentVariable("kvu_test_folder"), value);
    test::UnsetVariable("KVU_TEST_Folder");
    EXPECT_EQ(EnvironmentVariable("KVU_TEST_Folder"), "");
}

}  // namespace
}  // namespace kvu
