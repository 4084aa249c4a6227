// The exported functions.
#include <cstring>
#include <new>

#include "unzip32/archive_run.h"
#include "unzip32/callbacks.h"
#include "unzip32/member_data.h"
#include "unzip32/run_options.h"
#include "unzip32/unzip32_api.h"

namespace {

constexpr char kReleaseDate[] = "2026-12-06";

void CopyText(char* field, std::size_t size, const char* text) {
    std::memset(field, 0, size);
    std::strncpy(field, text, size - 1);
}

}  // namespace

extern "C" {

void UZ_WINAPI UzpVersion2(kvu::UzpVer2* version) {
    if (!version || version->structlen < sizeof(kvu::UzpVer2))
        return;
    version->flag = 2;  // uses zlib
    CopyText(version->betalevel, sizeof version->betalevel, "");
    CopyText(version->date, sizeof version->date, kReleaseDate);
    CopyText(version->zlib_version, sizeof version->zlib_version, kvu::unzip::ZlibVersion());
    const kvu::UzpVersionPart own{KVU_VERSION_MAJOR, KVU_VERSION_MINOR, KVU_VERSION_PATCH, 0};
    version->unzip = own;
    version->zipinfo = own;
    version->os2dll = kvu::UzpVersionPart{0, 0, 0, 0};
    version->windll = own;
}

std::int32_t UZ_WINAPI Wiz_SingleEntryUnzip(std::int32_t includeCount, char** includes,
                                            std::int32_t excludeCount, char** excludes,
                                            kvu::DCL* options, kvu::USERFUNCTIONS* functions) {
    // Nothing may escape into the caller, which may not even be C++.
    try {
        kvu::unzip::RunOptions run;
        if (!kvu::unzip::ReadOptions(options, includeCount, includes, excludeCount, excludes, run))
            return kvu::kUnzipBadParameter;
        kvu::unzip::Callbacks callbacks(functions, run.quiet);
        callbacks.SetTotals({});
        callbacks.SetCommentLength(0);
        std::int32_t result = kvu::unzip::RunArchive(run, callbacks);
        callbacks.Finished();
        return result;
    } catch (const std::bad_alloc&) {
        return kvu::kUnzipNoMemory;
    } catch (...) {
        return kvu::kUnzipError;
    }
}

}  // extern "C"
