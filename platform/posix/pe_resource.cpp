// Finding and copying the version resource of a PE image. Only the headers,
// the resource directory entries on the way and the resource itself are read.
#include <algorithm>
#include <array>
#include <cstring>

#include "platform/posix/pe_version.h"

namespace kvu::pe {
namespace {

constexpr std::uint16_t kVersionType = 16;
constexpr std::uint16_t kVersionName = 1;
// The order a Hungarian Windows tries the languages of a resource in before it
// takes the first one.
constexpr std::array<std::uint16_t, 3> kPreferredLanguages = {0x0000, 0x040E, 0x0409};

constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::uint32_t kResourceDirectory = 2;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kDirectoryHeaderSize = 16;
constexpr std::size_t kDirectoryEntrySize = 8;

std::uint16_t U16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
std::uint32_t U32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

struct Section {
    std::uint32_t virtualAddress = 0;
    std::uint32_t rawSize = 0;
    std::uint32_t rawOffset = 0;
};

struct Headers {
    std::uint32_t resourceRva = 0;
    std::vector<Section> sections;
};

std::optional<std::uint32_t> ReadU32(ByteSource& source, std::uint64_t offset) {
    std::uint8_t b[4];
    if (!source.Read(offset, sizeof b, b))
        return std::nullopt;
    return U32(b);
}

// Where the data directory table starts and how many entries it has.
std::optional<std::uint32_t> ResourceRva(ByteSource& source, std::uint64_t optionalHeader) {
    std::uint8_t magic[2];
    if (!source.Read(optionalHeader, sizeof magic, magic))
        return std::nullopt;
    std::uint64_t countAt = 0;
    if (U16(magic) == kPe32Magic)
        countAt = optionalHeader + 92;
    else if (U16(magic) == kPe32PlusMagic)
        countAt = optionalHeader + 108;
    else
        return std::nullopt;
    std::optional<std::uint32_t> count = ReadU32(source, countAt);
    if (!count || *count <= kResourceDirectory)
        return std::nullopt;
    std::uint8_t entry[8];
    if (!source.Read(countAt + 4 + 8 * kResourceDirectory, sizeof entry, entry))
        return std::nullopt;
    if (U32(entry) == 0 || U32(entry + 4) == 0)
        return std::nullopt;
    return U32(entry);
}

std::optional<Headers> ReadHeaders(ByteSource& source) {
    std::uint8_t dos[64];
    if (!source.Read(0, sizeof dos, dos) || dos[0] != 'M' || dos[1] != 'Z')
        return std::nullopt;
    const std::uint64_t nt = U32(dos + 0x3C);
    std::uint8_t head[24];  // the signature and the file header
    if (!source.Read(nt, sizeof head, head) || U32(head) != 0x00004550)
        return std::nullopt;
    const std::uint16_t sectionCount = U16(head + 6);
    const std::uint64_t optionalHeader = nt + sizeof head;
    Headers headers;
    std::optional<std::uint32_t> rva = ResourceRva(source, optionalHeader);
    if (!rva)
        return std::nullopt;
    headers.resourceRva = *rva;
    const std::uint64_t tableAt = optionalHeader + U16(head + 20);
    const std::uint64_t tableSize = sectionCount * kSectionHeaderSize;
    if (tableAt > source.Size() || tableSize > source.Size() - tableAt)
        return std::nullopt;
    std::vector<std::uint8_t> table(tableSize);
    if (!source.Read(tableAt, table.size(), table.data()))
        return std::nullopt;
    for (std::size_t i = 0; i < sectionCount; ++i) {
        const std::uint8_t* s = table.data() + i * kSectionHeaderSize;
        headers.sections.push_back({U32(s + 12), U32(s + 16), U32(s + 20)});
    }
    return headers;
}

const Section* SectionOf(const Headers& headers, std::uint32_t rva) {
    for (const Section& s : headers.sections) {
        if (rva >= s.virtualAddress &&
            rva < static_cast<std::uint64_t>(s.virtualAddress) + s.rawSize)
            return &s;
    }
    return nullptr;
}

// The resource directory: offsets inside it are relative to its start, and no
// read may leave the raw data of its section.
class Directory {
  public:
    Directory(ByteSource& source, std::uint64_t start, std::uint64_t size)
        : source_(source), start_(start), size_(size) {}

    bool Read(std::uint64_t offset, std::size_t count, std::uint8_t* out) const {
        return offset <= size_ && count <= size_ - offset &&
               source_.Read(start_ + offset, count, out);
    }

    // The offset an entry with this id points at (binary search, as the system does).
    std::optional<std::uint32_t> FindById(std::uint32_t dir, std::uint16_t id) const {
        std::uint8_t header[kDirectoryHeaderSize];
        if (!Read(dir, sizeof header, header))
            return std::nullopt;
        const std::uint64_t named = U16(header + 12);
        const std::uint64_t total = named + U16(header + 14);
        const std::uint64_t entries = static_cast<std::uint64_t>(dir) + kDirectoryHeaderSize;
        if (entries + total * kDirectoryEntrySize > size_)
            return std::nullopt;
        std::int64_t low = static_cast<std::int64_t>(named);
        std::int64_t high = static_cast<std::int64_t>(total) - 1;
        while (low <= high) {
            const std::int64_t middle = (low + high) / 2;
            std::uint8_t entry[kDirectoryEntrySize];
            if (!Read(entries + static_cast<std::uint64_t>(middle) * kDirectoryEntrySize,
                      sizeof entry, entry))
                return std::nullopt;
            if (U16(entry) == id)
                return U32(entry + 4) & 0x7FFFFFFF;
            if (U16(entry) > id)
                high = middle - 1;
            else
                low = middle + 1;
        }
        return std::nullopt;
    }

    std::optional<std::uint32_t> FindLanguage(std::uint32_t dir) const {
        for (std::uint16_t language : kPreferredLanguages) {
            if (std::optional<std::uint32_t> found = FindById(dir, language))
                return found;
        }
        std::uint8_t header[kDirectoryHeaderSize + kDirectoryEntrySize];
        if (!Read(dir, sizeof header, header) || U16(header + 12) + U16(header + 14) == 0)
            return std::nullopt;
        return U32(header + kDirectoryHeaderSize + 4) & 0x7FFFFFFF;
    }

  private:
    ByteSource& source_;
    std::uint64_t start_;
    std::uint64_t size_;
};

struct DataEntry {
    std::uint32_t rva = 0;
    std::uint32_t size = 0;
};

std::optional<DataEntry> FindVersionEntry(ByteSource& source, const Headers& headers) {
    const Section* section = SectionOf(headers, headers.resourceRva);
    if (!section)
        return std::nullopt;
    const std::uint32_t skip = headers.resourceRva - section->virtualAddress;
    Directory directory(source, static_cast<std::uint64_t>(section->rawOffset) + skip,
                        section->rawSize - skip);
    std::optional<std::uint32_t> names = directory.FindById(0, kVersionType);
    std::optional<std::uint32_t> languages =
        names ? directory.FindById(*names, kVersionName) : std::nullopt;
    std::optional<std::uint32_t> data =
        languages ? directory.FindLanguage(*languages) : std::nullopt;
    std::uint8_t entry[8];
    if (!data || !directory.Read(*data, sizeof entry, entry))
        return std::nullopt;
    return DataEntry{U32(entry), U32(entry + 4)};
}

// The system copies the resource into a buffer twice its size plus four bytes
// and marks the end of the tree with "FE2X"; a damaged tree that runs past its
// own length reads that mark there, and so it does here.
void MarkLikeTheSystem(std::vector<std::uint8_t>& copy, std::uint64_t resourceSize) {
    std::uint16_t treeLength = 0;
    if (!copy.empty())
        treeLength = static_cast<std::uint16_t>(copy[0] | (copy.size() > 1 ? copy[1] << 8 : 0));
    if (treeLength + 4ULL > 2 * resourceSize + 4)
        return;
    if (copy.size() < treeLength + 4U)
        copy.resize(treeLength + 4U, 0);
    std::memcpy(copy.data() + treeLength, "FE2X", 4);
}

}  // namespace

bool MemorySource::Read(std::uint64_t offset, std::size_t count, std::uint8_t* out) {
    if (offset > bytes_.size() || count > bytes_.size() - offset)
        return false;
    if (count > 0)
        std::memcpy(out, bytes_.data() + offset, count);
    return true;
}

ResourceCopy CopyVersionResource(ByteSource& source) {
    ResourceCopy result;
    std::optional<Headers> headers = ReadHeaders(source);
    std::optional<DataEntry> entry = headers ? FindVersionEntry(source, *headers) : std::nullopt;
    const Section* section = entry ? SectionOf(*headers, entry->rva) : nullptr;
    if (!section)
        return result;
    const std::uint64_t offset =
        static_cast<std::uint64_t>(entry->rva) - section->virtualAddress + section->rawOffset;
    result.outcome = Outcome::kUnreadable;
    if (offset > source.Size() || entry->size > source.Size() - offset)
        return result;
    result.bytes.resize(std::min<std::size_t>(entry->size, kMaxCopy));
    if (!source.Read(offset, result.bytes.size(), result.bytes.data())) {
        result.bytes.clear();
        return result;
    }
    MarkLikeTheSystem(result.bytes, entry->size);
    result.outcome = Outcome::kCopied;
    return result;
}

}  // namespace kvu::pe
