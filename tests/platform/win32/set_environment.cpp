#include <cstdlib>

#include "tests/platform/set_environment.h"

namespace kvu::test {

void SetVariable(const char* name, const char* value) {
    _putenv_s(name, value);
}

// An empty value removes the variable.
void UnsetVariable(const char* name) {
    _putenv_s(name, "");
}

}  // namespace kvu::test
