// One archive extracted flat into a folder by the extraction library called
// directly, with the updater's options: the anchor that the program's own
// extraction path is measured against.
#pragma once

#include <cstdint>
#include <string>

#include "platform/extraction.h"

namespace kvu::bench {

inline std::int32_t UZ_WINAPI SilentPrint(char*, std::uint32_t) {
    return 0;
}

inline bool ExtractDirectly(const ExtractionLibrary& library, std::string archive,
                            std::string folder) {
    DCL options{};
    options.noflag = 1;
    options.lpszZipFN = archive.data();
    options.lpszExtractDir = folder.data();
    USERFUNCTIONS functions{SilentPrint, nullptr, nullptr, nullptr, nullptr, nullptr,
                            0,           0,       0,       0,       0};
    return library.SingleEntryUnzip(0, nullptr, 0, nullptr, options, functions) == 0;
}

}  // namespace kvu::bench
