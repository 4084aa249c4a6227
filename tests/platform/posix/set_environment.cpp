#include <cstdlib>

#include "tests/platform/set_environment.h"

namespace kvu::test {

void SetVariable(const char* name, const char* value) {
    setenv(name, value, 1);
}

void UnsetVariable(const char* name) {
    unsetenv(name);
}

}  // namespace kvu::test
