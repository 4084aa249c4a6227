// The options of the archive extraction, kept for the program's run by the
// main window's state.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kvu {

// Entries of each name list the extraction library is given.
inline constexpr std::size_t kUnzipListSize = 100;

// The fifteen flags are in the order of the library's option record; every
// flag the installation does not set stays 0.
struct UnzipOptions {
    std::int16_t ExtractOnlyNewer = 0;
    std::int16_t SpaceToUnderscore = 0;
    std::int16_t PromptToOverwrite = 0;
    std::int16_t fQuiet = 0;
    std::int16_t ncflag = 0;
    std::int16_t ntflag = 0;
    std::int16_t uExtractList = 0;  // nvflag: list the contents instead of extracting
    std::int16_t nfflag = 0;
    std::int16_t nzflag = 0;
    std::int16_t ndflag = 0;
    std::int16_t noflag = 0;
    std::int16_t naflag = 0;
    std::int16_t nZIflag = 0;
    std::int16_t C_flag = 0;
    std::int16_t fPrivilege = 0;
    std::string ZipFileName;
    std::string ExtractDir;
    // Names to extract and to exclude; a count of 0 means every member and none.
    std::array<std::string, kUnzipListSize> IncludeList;
    std::int32_t IncludeCount = 0;
    std::array<std::string, kUnzipListSize> ExcludeList;
    std::int32_t ExcludeCount = 0;
    // Set when the user leaves the password prompt empty: encrypted members are
    // then skipped without asking again, in every later archive too.
    bool PasswordSkip = false;
};

}  // namespace kvu
