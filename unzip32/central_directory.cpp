#include "unzip32/central_directory.h"

#include <zlib.h>

#include <algorithm>
#include <vector>

#include "unzip32/little_endian.h"

namespace kvu::unzip {
namespace {

constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kZip64EndSignature = 0x06064b50;
constexpr std::uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::size_t kEndSize = 22;
constexpr std::size_t kZip64EndSize = 56;
constexpr std::size_t kLocatorSize = 20;
constexpr std::size_t kCentralSize = 46;
constexpr std::size_t kLocalSize = 30;
constexpr std::size_t kLocalNameLength = 26;  // then the extra field's length
constexpr std::uint32_t kAllOnes32 = 0xFFFFFFFF;

constexpr std::uint16_t kZip64Field = 0x0001;
constexpr std::uint16_t kTimestampField = 0x5455;
constexpr std::uint16_t kUnicodePathField = 0x7075;

// Where the central directory is, as the end records describe it.
struct DirectoryPlace {
    std::uint64_t entries = 0;
    std::uint64_t size = 0;
    std::uint64_t offset = 0;
    std::uint64_t recordsStart = 0;  // where the end records begin in the file
};

bool Read(const ReadOnlyFile& file, std::uint64_t offset, std::size_t size,
          std::vector<unsigned char>& out) {
    out.resize(size);
    return file.ReadAt(offset, out.data(), size);
}

// The last end record whose comment fits in the file.
std::optional<std::uint64_t> FindEndRecord(const ReadOnlyFile& file,
                                           std::vector<unsigned char>& tail) {
    if (file.Size() < kEndSize)
        return std::nullopt;
    std::uint64_t tailSize = std::min<std::uint64_t>(file.Size(), kEndSize + 0xFFFF);
    std::uint64_t tailStart = file.Size() - tailSize;
    if (!Read(file, tailStart, static_cast<std::size_t>(tailSize), tail))
        return std::nullopt;
    for (std::size_t i = tail.size() - kEndSize + 1; i-- > 0;) {
        if (Read32(&tail[i]) == kEndSignature &&
            i + kEndSize + Read16(&tail[i + 20]) <= tail.size())
            return tailStart + i;
    }
    return std::nullopt;
}

// Replaces the 32-bit values by those of the ZIP64 end record, when there is one.
bool ReadZip64End(const ReadOnlyFile& file, std::uint64_t endOffset, DirectoryPlace& place,
                  std::string& problem) {
    std::vector<unsigned char> locator;
    if (endOffset < kLocatorSize || !Read(file, endOffset - kLocatorSize, kLocatorSize, locator) ||
        Read32(locator.data()) != kZip64LocatorSignature)
        return true;
    // The record normally sits right before its locator; its stated offset
    // does not count bytes put in front of the archive.
    std::uint64_t candidates[] = {Read64(&locator[8]), endOffset - kLocatorSize - kZip64EndSize};
    std::vector<unsigned char> record;
    for (std::uint64_t at : candidates) {
        if (at <= endOffset && Read(file, at, kZip64EndSize, record) &&
            Read32(record.data()) == kZip64EndSignature) {
            if (Read32(&record[16]) != 0 || Read32(&record[20]) != 0) {
                problem = "archives on several disks are not supported";
                return false;
            }
            place.entries = Read64(&record[32]);
            place.size = Read64(&record[40]);
            place.offset = Read64(&record[48]);
            place.recordsStart = at;
            return true;
        }
    }
    problem = "the ZIP64 end record is missing";
    return false;
}

std::optional<DirectoryPlace> ReadEnd(const ReadOnlyFile& file, ArchiveIndex& index,
                                      IndexStatus& status, std::string& problem) {
    std::vector<unsigned char> tail;
    std::optional<std::uint64_t> end = FindEndRecord(file, tail);
    if (!end) {
        status = IndexStatus::kNotArchive;
        problem = "not a ZIP archive, or a truncated one";
        return std::nullopt;
    }
    const unsigned char* record =
        &tail[static_cast<std::size_t>(*end - (file.Size() - tail.size()))];
    index.comment.assign(reinterpret_cast<const char*>(record + kEndSize), Read16(record + 20));
    status = IndexStatus::kDamaged;
    DirectoryPlace place{Read16(record + 10), Read32(record + 12), Read32(record + 16), *end};
    if ((Read16(record + 4) != 0 || Read16(record + 6) != 0) && Read16(record + 4) != 0xFFFF) {
        problem = "archives on several disks are not supported";
        return std::nullopt;
    }
    if (!ReadZip64End(file, *end, place, problem))
        return std::nullopt;
    return place;
}

// Finds the central directory, allowing for bytes in front of the archive.
bool PlaceDirectory(const ReadOnlyFile& file, const DirectoryPlace& place, ArchiveIndex& index,
                    std::string& problem) {
    if (place.size > place.recordsStart || place.offset > place.recordsStart - place.size ||
        place.entries > place.size / kCentralSize) {
        problem = "the central directory does not fit in the file";
        return false;
    }
    std::uint64_t prefix = place.recordsStart - place.size - place.offset;
    std::vector<unsigned char> signature;
    for (std::uint64_t candidate : {prefix, std::uint64_t{0}}) {
        std::uint64_t start = place.offset + candidate;
        if (place.entries == 0 ||
            (Read(file, start, 4, signature) && Read32(signature.data()) == kCentralSignature)) {
            index.prefixBytes = candidate;
            index.directoryStart = start;
            return true;
        }
    }
    problem = "the central directory is missing";
    return false;
}

// One central entry at data[at]; returns its length, or 0 when it is damaged.
std::size_t ReadEntry(const std::vector<unsigned char>& data, std::size_t at, MemberEntry& entry) {
    if (data.size() - at < kCentralSize || Read32(&data[at]) != kCentralSignature)
        return 0;
    const unsigned char* p = &data[at];
    std::size_t nameSize = Read16(p + 28), extraSize = Read16(p + 30), commentSize = Read16(p + 32);
    std::size_t total = kCentralSize + nameSize + extraSize + commentSize;
    if (data.size() - at < total || (Read16(p + 34) != 0 && Read16(p + 34) != 0xFFFF))
        return 0;
    entry.versionMadeBy = Read16(p + 4);
    entry.flags = Read16(p + 8);
    entry.method = Read16(p + 10);
    entry.dosTime = Read16(p + 12);
    entry.dosDate = Read16(p + 14);
    entry.crc = Read32(p + 16);
    entry.compressedSize = Read32(p + 20);
    entry.uncompressedSize = Read32(p + 24);
    entry.internalAttributes = Read16(p + 36);
    entry.externalAttributes = Read32(p + 38);
    entry.localOffset = Read32(p + 42);
    entry.rawName.assign(reinterpret_cast<const char*>(p + kCentralSize), nameSize);
    if (!ApplyExtraFields(p + kCentralSize + nameSize, extraSize, true, entry))
        return 0;
    return total;
}

bool ReadEntries(const ReadOnlyFile& file, const DirectoryPlace& place, ArchiveIndex& index,
                 std::string& problem) {
    std::vector<unsigned char> data;
    if (!Read(file, index.directoryStart, static_cast<std::size_t>(place.size), data)) {
        problem = "the central directory cannot be read";
        return false;
    }
    index.members.resize(static_cast<std::size_t>(place.entries));
    std::size_t at = 0;
    for (MemberEntry& entry : index.members) {
        std::size_t length = ReadEntry(data, at, entry);
        if (length == 0) {
            problem = "a central directory entry is damaged";
            return false;
        }
        entry.localOffset += index.prefixBytes;
        at += length;
    }
    return true;
}

// Each member's whole local record (header, name, extra field and data) must
// end before the next member and before the central directory, so that no two
// members read the same bytes.
bool CheckSpans(const ReadOnlyFile& file, const ArchiveIndex& index, std::string& problem) {
    std::vector<std::pair<std::uint64_t, std::uint64_t>> spans;
    spans.reserve(index.members.size());
    for (const MemberEntry& entry : index.members) {
        const std::uint64_t room = index.directoryStart;
        unsigned char lengths[4];
        if (entry.localOffset > room || room - entry.localOffset < kLocalSize ||
            !file.ReadAt(entry.localOffset + kLocalNameLength, lengths, sizeof lengths)) {
            problem = "a member's data lies beyond the archive";
            return false;
        }
        const std::uint64_t header = kLocalSize + Read16(lengths) + Read16(lengths + 2);
        if (header > room - entry.localOffset ||
            entry.compressedSize > room - entry.localOffset - header) {
            problem = "a member's data lies beyond the archive";
            return false;
        }
        spans.emplace_back(entry.localOffset, entry.localOffset + header + entry.compressedSize);
    }
    std::sort(spans.begin(), spans.end());
    for (std::size_t i = 1; i < spans.size(); ++i) {
        if (spans[i].first < spans[i - 1].second) {
            problem = "members overlap (an archive bomb)";
            return false;
        }
    }
    return true;
}

bool ApplyZip64(const unsigned char* p, std::size_t size, MemberEntry& entry) {
    for (std::uint64_t* field :
         {&entry.uncompressedSize, &entry.compressedSize, &entry.localOffset}) {
        if (*field != kAllOnes32)
            continue;
        if (size < 8)
            return false;
        *field = Read64(p);
        p += 8;
        size -= 8;
    }
    return true;
}

void ApplyUnicodePath(const unsigned char* p, std::size_t size, MemberEntry& entry) {
    if (size < 5 || p[0] != 1)
        return;
    auto nameCrc = crc32(0, reinterpret_cast<const Bytef*>(entry.rawName.data()),
                         static_cast<uInt>(entry.rawName.size()));
    if (nameCrc == Read32(p + 1))
        entry.unicodeName.assign(reinterpret_cast<const char*>(p + 5), size - 5);
}

}  // namespace

bool ApplyExtraFields(const unsigned char* extra, std::size_t size, bool central,
                      MemberEntry& entry) {
    while (size >= 4) {
        std::uint16_t id = Read16(extra);
        std::size_t length = Read16(extra + 2);
        if (length > size - 4)
            return !central;  // local headers' extra fields are only read for the time
        const unsigned char* body = extra + 4;
        if (id == kZip64Field && central && !ApplyZip64(body, length, entry))
            return false;
        if (id == kTimestampField && length >= 5 && (body[0] & 1))
            entry.unixModified = static_cast<std::int32_t>(Read32(body + 1));
        if (id == kUnicodePathField && central)
            ApplyUnicodePath(body, length, entry);
        extra += 4 + length;
        size -= 4 + length;
    }
    return true;
}

IndexStatus ReadArchiveIndex(const ReadOnlyFile& file, ArchiveIndex& index, std::string& problem) {
    IndexStatus status = IndexStatus::kNotArchive;
    std::optional<DirectoryPlace> place = ReadEnd(file, index, status, problem);
    if (!place)
        return status;
    if (!PlaceDirectory(file, *place, index, problem) ||
        !ReadEntries(file, *place, index, problem) || !CheckSpans(file, index, problem))
        return IndexStatus::kDamaged;
    return IndexStatus::kOk;
}

}  // namespace kvu::unzip
