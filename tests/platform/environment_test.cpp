#include "platform/environment.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace kvu {
namespace {

#ifdef _WIN32
void Set(const char* name, const char* value) {
    _putenv_s(name, value);
}
void Unset(const char* name) {
    _putenv_s(name, "");
}
#else
void Set(const char* name, const char* value) {
    setenv(name, value, 1);
}
void Unset(const char* name) {
    unsetenv(name);
}
#endif

TEST(EnvironmentVariable, ValuesByNameWithoutRegardToCase) {
    Set("KVU_TEST_Folder", "C:\\Temp\\kvu");
    EXPECT_EQ(EnvironmentVariable("KVU_TEST_Folder"), "C:\\Temp\\kvu");
    EXPECT_EQ(EnvironmentVariable("kvu_test_folder"), "C:\\Temp\\kvu");
    Unset("KVU_TEST_Folder");
    EXPECT_EQ(EnvironmentVariable("KVU_TEST_Folder"), "");
    EXPECT_EQ(EnvironmentVariable("KVU_TEST_NEVER_SET"), "");
}

TEST(EnvironmentVariable, LongValuesComeWhole) {
    const std::string value(5000, 'v');
    Set("KVU_TEST_LONG", value.c_str());
    EXPECT_EQ(EnvironmentVariable("KVU_TEST_LONG"), value);
    Unset("KVU_TEST_LONG");
}

}  // namespace
}  // namespace kvu
