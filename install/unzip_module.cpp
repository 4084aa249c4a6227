#include "install/unzip_module.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/encoding.h"
#include "platform/paths.h"
#include "platform/plain_text.h"
#include "platform/windowing/types.h"

namespace kvu {
namespace {

constexpr char kCrLf[] = "\r\n";
constexpr char kRule[] = "--------------";

// A text field of the version record as the library returns it: spaces up to
// the last byte, which holds the NUL.
template <std::size_t N>
void FillWithSpaces(char (&field)[N]) {
    std::memset(field, ' ', N - 1);
    field[N - 1] = '\0';
}

// The text up to the first NUL, never past the field, without the spaces
// around it.
template <std::size_t N>
std::string TrimmedField(const char (&field)[N]) {
    return std::string(TrimSpaces(std::string_view(field, strnlen(field, N))));
}

std::string Hex(std::uint8_t value) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    if (value >= 16)
        text += kDigits[value >> 4];
    return text + kDigits[value & 0xF];
}

// Major, a dot, then minor and patch level with nothing between them (5.52).
std::string VersionText(const UzpVersionPart& part) {
    return Hex(part.major) + "." + Hex(part.minor) + Hex(part.patchlevel);
}

std::string Signed(std::uint32_t total) {
    return std::to_string(static_cast<std::int32_t>(total));
}

// The library takes each name list as 100 ANSI texts.
struct AnsiList {
    std::vector<std::string> texts;
    std::vector<char*> pointers;

    explicit AnsiList(const std::array<std::string, kUnzipListSize>& names) {
        texts.reserve(names.size());
        for (const std::string& name : names)
            texts.push_back(Utf8ToAnsi(name));
        for (std::string& text : texts)
            pointers.push_back(text.data());
    }
};

// A count outside the list would make the library read past its 100 entries.
std::int32_t ListCount(std::int32_t count) {
    return std::clamp<std::int32_t>(count, 0, static_cast<std::int32_t>(kUnzipListSize));
}

DCL OptionRecord(const UnzipOptions& o, std::string& zipFileName, std::string& extractDir) {
    return DCL{o.ExtractOnlyNewer,
               o.SpaceToUnderscore,
               o.PromptToOverwrite,
               o.fQuiet,
               o.ncflag,
               o.ntflag,
               o.uExtractList,
               o.nfflag,
               o.nzflag,
               o.ndflag,
               o.noflag,
               o.naflag,
               o.nZIflag,
               o.C_flag,
               o.fPrivilege,
               zipFileName.data(),
               extractDir.data()};
}

std::int32_t Extract(const ExtractionLibrary& library, UnzipOptions& options, UnzipHost& host,
                     USERFUNCTIONS& functions) {
    std::string zipFileName = Utf8ToAnsi(options.ZipFileName);
    std::string extractDir = Utf8ToAnsi(options.ExtractDir);
    DCL record = OptionRecord(options, zipFileName, extractDir);
    AnsiList includes(options.IncludeList), excludes(options.ExcludeList);
    UnzipRun run{host, options.PasswordSkip};
    CurrentUnzipRun current(run);
    return library.SingleEntryUnzip(ListCount(options.IncludeCount), includes.pointers.data(),
                                    ListCount(options.ExcludeCount), excludes.pointers.data(),
                                    record, functions);
}

// The version lines the summary starts with.
std::string VersionSummary(const UzpVer2& version) {
    return "DLL Dátum: " + TrimmedField(version.date) + kCrLf +
           "Zip Info: " + VersionText(version.zipinfo) + kCrLf +
           "DLL Verzió: " + VersionText(version.windll) + kCrLf + kRule;
}

// The totals block the summary ends with, as the library filled them in.
std::string TotalsSummary(const USERFUNCTIONS& f) {
    return std::string(kCrLf) + "Only Shows If uExtractList = 1 List Contents" + kCrLf + kRule +
           kCrLf + "Megjegyzés        : " + std::to_string(f.cchComment) + kCrLf +
           "Teljes méret Comp : " + Signed(f.TotalSizeComp) + kCrLf +
           "Teljes méret      : " + Signed(f.TotalSize) + kCrLf + "Tömörítési factor : %" +
           Signed(f.CompFactor) + kCrLf + "Tagok száma       : " + Signed(f.NumMembers) + kCrLf +
           kRule;
}

}  // namespace

std::string ExtractionLibraryPath(const std::string& appFolder) {
    return JoinPath(appFolder, kExtractionLibraryName);
}

const ExtractionLibrary& UnzipModule::Library() {
    if (!library_)
        library_.emplace(libraryPath_);
    return *library_;
}

void UnzipModule::RunUnzip() {
    const ExtractionLibrary& library = Library();
    UzpVer2 version{};
    version.structlen = sizeof version;
    FillWithSpaces(version.betalevel);
    FillWithSpaces(version.date);
    FillWithSpaces(version.zlib_version);
    library.Version(version);
    std::string summary = VersionSummary(version);

    // Fresh totals for every archive: a library that fills none shows zeros
    // rather than the previous archive's.
    USERFUNCTIONS functions = UnzipCallbacks();
    std::int32_t result = Extract(library, options_, host_, functions);
    if (result != kUnzipOk)
        host_.MsgBox(std::to_string(result), ui::kMbOk);
    summary += TotalsSummary(functions);
    host_.SetInfoCaption(host_.InfoCaption() + summary + kCrLf);
}

}  // namespace kvu
