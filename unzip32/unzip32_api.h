// The extraction library's programming interface: the records and entry points
// of the UnZip 5.x Windows library interface, so that the program can load this
// library or a real 5.x unzip32.dll alike. Every integer field has a fixed width
// on every platform; on 32-bit Windows the entry points and the callbacks use
// the stdcall convention, as the Windows API does.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && defined(__i386__)
#define UZ_WINAPI __stdcall
#else
#define UZ_WINAPI
#endif

namespace kvu {

// Result codes of Wiz_SingleEntryUnzip.
enum UnzipResult : std::int32_t {
    kUnzipOk = 0,
    kUnzipWarning = 1,     // finished, but some members were skipped
    kUnzipError = 2,       // a damaged member (bad CRC, wrong size, bad data)
    kUnzipBadArchive = 3,  // the archive's structure is damaged
    kUnzipNoMemory = 4,
    kUnzipNotArchive = 9,  // missing, unreadable, or not a ZIP archive
    kUnzipBadParameter = 10,
    kUnzipNoMatch = 11,      // a name to extract matched no member
    kUnzipDiskFull = 50,     // an output file could not be written or put in place
    kUnzipInterrupted = 80,  // the service callback asked to stop
    kUnzipUnsupported = 81,  // every member used an unsupported method or encryption
    kUnzipBadPassword = 82,  // every member was encrypted and no password fitted
};

// Answers of the replace callback.
enum ReplaceAnswer : std::int32_t {
    kReplaceNo = 100,      // keep the existing file
    kReplaceText = 101,    // treated as kReplaceNo
    kReplaceYes = 102,     // overwrite this file
    kReplaceAll = 103,     // overwrite this and every later file
    kReplaceNone = 104,    // keep this and every later existing file
    kReplaceRename = 105,  // the callback wrote a new name into the buffer
};

// Answers of the password callback.
enum PasswordAnswer : std::int32_t {
    kPasswordEntered = 0,     // the buffer holds a password
    kPasswordCancel = -1,     // skip this member (any other answer does the same)
    kPasswordCancelAll = -2,  // skip every further encrypted member of this archive
};

// The extraction options: 15 flags, then the archive and the extraction folder
// as ANSI text (no structure-version field in front).
struct DCL {
    std::int32_t ExtractOnlyNewer;   // extract only members newer than the existing file
    std::int32_t SpaceToUnderscore;  // spaces in names become underscores
    std::int32_t PromptToOverwrite;  // ask the replace callback before overwriting
    std::int32_t fQuiet;             // messages: 0 all, 1 only problems, 2 none
    std::int32_t ncflag;             // send member data to the print callback
    std::int32_t ntflag;             // test the archive, write nothing
    std::int32_t nvflag;             // list the members, write nothing
    std::int32_t nfflag;             // freshen: replace existing files by newer members only
    std::int32_t nzflag;             // show the archive comment only
    std::int32_t ndflag;             // 0: every member flat into the folder; else its folders too
    std::int32_t noflag;             // overwrite existing files without asking
    std::int32_t naflag;             // text members get the platform's line ends
    std::int32_t nZIflag;            // list the members in the detailed form
    std::int32_t C_flag;             // names to extract or exclude match regardless of case
    std::int32_t fPrivilege;         // access-control lists: none are stored, so no effect
    char* lpszZipFN;
    char* lpszExtractDir;  // empty or null: the current folder
};

// Callbacks. Texts are ANSI and end with a NUL.
using DLLPRNT = std::int32_t(UZ_WINAPI*)(char* buffer, std::uint32_t size);
using DLLSND = void(UZ_WINAPI*)();
using DLLREPLACE = std::int32_t(UZ_WINAPI*)(char* fileName);
using DLLPASSWORD = std::int32_t(UZ_WINAPI*)(char* password, std::int32_t size, const char* prompt,
                                             const char* entryName);
using DLLMESSAGE = void(UZ_WINAPI*)(std::uint32_t uncompressedSize, std::uint32_t compressedSize,
                                    std::uint32_t compressionFactor, std::uint32_t month,
                                    std::uint32_t day, std::uint32_t year, std::uint32_t hour,
                                    std::uint32_t minute, char flag, char* entryName,
                                    char* methodName, std::uint32_t crc, char encrypted);
using DLLSERVICE = std::int32_t(UZ_WINAPI*)(const char* entryName, std::uint32_t size);

// The caller's callbacks, and the totals the library fills in.
struct USERFUNCTIONS {
    DLLPRNT print;                      // every message
    DLLSND sound;                       // once, when the archive is done; may be null
    DLLREPLACE replace;                 // whether to overwrite an existing file
    DLLPASSWORD password;               // the password of an encrypted member
    DLLMESSAGE SendApplicationMessage;  // one call per member when listing
    DLLSERVICE ServCallBk;              // after every member; non-zero stops the run
    std::uint32_t TotalSizeComp;        // compressed bytes of the selected members
    std::uint32_t TotalSize;            // their uncompressed bytes
    std::uint32_t CompFactor;           // percent saved, signed
    std::uint32_t NumMembers;           // how many members were selected
    std::uint16_t cchComment;           // length of the archive comment
};

struct UzpVersionPart {
    std::uint8_t major;
    std::uint8_t minor;
    std::uint8_t patchlevel;
    std::uint8_t not_used;
};

// zlib.h makes zlib_version a macro; the field keeps the published name.
#pragma push_macro("zlib_version")
#undef zlib_version

// The version record; the caller sets structlen to its size.
struct UzpVer2 {
    std::uint32_t structlen;
    std::uint32_t flag;  // bit 0: beta, bit 1: uses zlib
    char betalevel[10];
    char date[20];
    char zlib_version[10];
    UzpVersionPart unzip;
    UzpVersionPart zipinfo;
    UzpVersionPart os2dll;
    UzpVersionPart windll;
};
// The published layouts, on both Windows targets (and Linux alike): any field
// out of place breaks every caller of a real library.
constexpr std::size_t kPointer = sizeof(void*);
static_assert(offsetof(DCL, fPrivilege) == 56 && offsetof(DCL, lpszZipFN) == 60 + (kPointer - 4));
static_assert(offsetof(DCL, lpszExtractDir) == offsetof(DCL, lpszZipFN) + kPointer);
static_assert(sizeof(DCL) == (kPointer == 4 ? 68 : 80));
static_assert(offsetof(USERFUNCTIONS, ServCallBk) == 5 * kPointer);
static_assert(offsetof(USERFUNCTIONS, TotalSizeComp) == 6 * kPointer);
static_assert(offsetof(USERFUNCTIONS, NumMembers) == 6 * kPointer + 12);
static_assert(offsetof(USERFUNCTIONS, cchComment) == 6 * kPointer + 16);
static_assert(sizeof(USERFUNCTIONS) == (kPointer == 4 ? 44 : 72));
static_assert(offsetof(UzpVer2, betalevel) == 8 && offsetof(UzpVer2, date) == 18);
static_assert(offsetof(UzpVer2, zlib_version) == 38 && offsetof(UzpVer2, unzip) == 48);
static_assert(offsetof(UzpVer2, windll) == 60 && sizeof(UzpVer2) == 64);

#pragma pop_macro("zlib_version")

using UzpVersion2Function = void(UZ_WINAPI*)(UzpVer2* version);
using WizSingleEntryUnzipFunction = std::int32_t(UZ_WINAPI*)(std::int32_t includeCount,
                                                             char** includes,
                                                             std::int32_t excludeCount,
                                                             char** excludes, DCL* options,
                                                             USERFUNCTIONS* functions);

}  // namespace kvu

// The exported entry points, under these undecorated names.
extern "C" {
void UZ_WINAPI UzpVersion2(kvu::UzpVer2* version);
std::int32_t UZ_WINAPI Wiz_SingleEntryUnzip(std::int32_t includeCount, char** includes,
                                            std::int32_t excludeCount, char** excludes,
                                            kvu::DCL* options, kvu::USERFUNCTIONS* functions);
}
