// A stand-in extraction library that reports chosen version values, totals
// and a failure, for the summary's formatting.
#include <cstring>

#include "unzip32/unzip32_api.h"

// One- and two-digit parts, in hexadecimal, with spaces around the date.
extern "C" void UZ_WINAPI UzpVersion2(kvu::UzpVer2* version) {
    std::strcpy(version->date, "  06 Dec 2026 ");
    version->zipinfo = {0x0A, 0x1F, 0x00, 0};
    version->windll = {0xFF, 0x10, 0x0B, 0};
}

// Totals past the signed range, and the code of an archive that is none.
extern "C" std::int32_t UZ_WINAPI Wiz_SingleEntryUnzip(std::int32_t, char**, std::int32_t, char**,
                                                       kvu::DCL*, kvu::USERFUNCTIONS* functions) {
    functions->TotalSizeComp = 7;
    functions->TotalSize = 0xFFFFFFFF;
    functions->CompFactor = 0xFFFFFFF6;
    functions->NumMembers = 3;
    functions->cchComment = 65535;
    return kvu::kUnzipNotArchive;
}
