// Setting the process environment from a test; each platform has its own call.
#pragma once

namespace kvu::test {

void SetVariable(const char* name, const char* value);
void UnsetVariable(const char* name);

}  // namespace kvu::test
