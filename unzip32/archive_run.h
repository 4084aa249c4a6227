// One call of the library: one archive read, and its selected members listed,
// tested, printed or extracted.
#pragma once

#include <cstdint>

#include "unzip32/callbacks.h"
#include "unzip32/run_options.h"

namespace kvu::unzip {

// Runs the options over their archive and returns the result code.
std::int32_t RunArchive(const RunOptions& options, const Callbacks& callbacks);

}  // namespace kvu::unzip
