// The lock test: whether another process holds a file open.
#pragma once

#include <string>

namespace kvu {

// True when the file exists but another process holds it open in a way that
// would make replacing it fail. False for a missing file, a folder, and a file
// this user cannot write to. One final separator is ignored. Nothing is
// written and the file's times stay as they were.
bool IsFileLocked(const std::string& path);

}  // namespace kvu
