// The extraction options of one call, read from the caller's records.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "unzip32/unzip32_api.h"

namespace kvu::unzip {

struct RunOptions {
    bool onlyNewer = false;
    bool spaceToUnderscore = false;
    bool prompt = false;
    int quiet = 0;
    bool toPrint = false;
    bool test = false;
    bool list = false;
    bool freshen = false;
    bool commentOnly = false;
    bool keepFolders = false;
    bool overwrite = false;
    bool convertText = false;
    bool detailedList = false;
    bool ignoreCase = false;
    std::string archive;  // UTF-8
    std::string folder;   // UTF-8, without a final separator; "." when none was given
    std::vector<std::string> includes;
    std::vector<std::string> excludes;
};

// Reads the options and the two name lists (ANSI) into UTF-8; false when there
// is no option record or no archive name.
bool ReadOptions(const DCL* dcl, std::int32_t includeCount, char** includes,
                 std::int32_t excludeCount, char** excludes, RunOptions& options);

// Whether a member name is selected by the lists: it matches an include
// pattern (or there are none) and no exclude pattern.
bool IsSelected(const RunOptions& options, const std::string& name, std::vector<bool>& includeUsed);

}  // namespace kvu::unzip
