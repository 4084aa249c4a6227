// The archive's table of contents: the end-of-central-directory record (with
// the archive comment), its ZIP64 form, and one entry per member.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/staged_file.h"

namespace kvu::unzip {

inline constexpr std::uint16_t kFlagEncrypted = 0x0001;
inline constexpr std::uint16_t kFlagDataDescriptor = 0x0008;
inline constexpr std::uint16_t kFlagStrongEncryption = 0x0040;
inline constexpr std::uint16_t kFlagUtf8 = 0x0800;
inline constexpr std::uint16_t kMethodStored = 0;
inline constexpr std::uint16_t kMethodDeflated = 8;

struct MemberEntry {
    std::string rawName;      // the name's bytes as stored
    std::string unicodeName;  // from the Unicode path field when it belongs to rawName
    std::uint16_t versionMadeBy = 0;
    std::uint16_t flags = 0;
    std::uint16_t method = 0;
    std::uint16_t dosTime = 0;
    std::uint16_t dosDate = 0;
    std::uint16_t internalAttributes = 0;
    std::uint32_t externalAttributes = 0;
    std::uint32_t crc = 0;
    std::uint64_t compressedSize = 0;
    std::uint64_t uncompressedSize = 0;
    std::uint64_t localOffset = 0;             // from the start of the file
    std::optional<std::int64_t> unixModified;  // the extended timestamp, UTC

    bool Encrypted() const { return (flags & kFlagEncrypted) != 0; }
};

struct ArchiveIndex {
    std::vector<MemberEntry> members;
    std::string comment;
    std::uint64_t prefixBytes = 0;     // bytes in front of the archive (a program stub)
    std::uint64_t directoryStart = 0;  // member data ends before this offset
};

enum class IndexStatus { kOk, kNotArchive, kDamaged };

// Reads the table of contents. Every member's local header and data must lie
// between the file's start and the central directory, and no two members may
// share bytes (one compressed stream listed many times is an archive bomb).
// problem says what is wrong when the result is not kOk.
IndexStatus ReadArchiveIndex(const ReadOnlyFile& file, ArchiveIndex& index, std::string& problem);

// Reads the extra fields this library uses (ZIP64 sizes, extended timestamp,
// Unicode path) into entry. The ZIP64 fields are those whose 32-bit values are
// all ones; false when a field is cut short.
bool ApplyExtraFields(const unsigned char* extra, std::size_t size, bool central,
                      MemberEntry& entry);

}  // namespace kvu::unzip
