// A stand-in extraction library that reports chosen version values and totals
// (picked by KVU_REPORT at build time), for the summary's formatting.
#include <cstring>

#include "unzip32/unzip32_api.h"

namespace {

struct Report {
    const char* date;  // null: the date field is left as the caller gave it
    kvu::UzpVersionPart zipinfo;
    kvu::UzpVersionPart windll;
    std::int32_t result;
    std::uint32_t totals[4];  // compressed, uncompressed, factor, members
    std::uint16_t commentLength;
};

constexpr Report kReports[] = {
    {"  06 Dec 2026 ",
     {0x0A, 0x1F, 0x00, 0},
     {0xFF, 0x10, 0x0B, 0},
     0,
     {7, 0xFFFFFFFF, 0xFFFFFFF6, 3},
     65535},
    {nullptr, {5, 5, 2, 0}, {0, 0, 0, 0}, 9, {0, 0, 0, 0}, 0},
};
constexpr const Report& kReport = kReports[KVU_REPORT];

}  // namespace

extern "C" void UZ_WINAPI UzpVersion2(kvu::UzpVer2* version) {
    if (kReport.date)
        std::strcpy(version->date, kReport.date);
    version->zipinfo = kReport.zipinfo;
    version->windll = kReport.windll;
}

extern "C" std::int32_t UZ_WINAPI Wiz_SingleEntryUnzip(std::int32_t, char**, std::int32_t, char**,
                                                       kvu::DCL*, kvu::USERFUNCTIONS* functions) {
    functions->TotalSizeComp = kReport.totals[0];
    functions->TotalSize = kReport.totals[1];
    functions->CompFactor = kReport.totals[2];
    functions->NumMembers = kReport.totals[3];
    functions->cchComment = kReport.commentLength;
    return kReport.result;
}
