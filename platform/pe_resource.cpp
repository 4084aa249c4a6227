// Finding and copying the version resource of a PE image. Only the headers,
// the resource directory entries on the way and the resource itself are read.
#include <algorithm>
#include <array>
#include <cstring>

#include "platform/pe_ne_resource.h"
#include "platform/pe_version.h"

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
    // Only "PE" is checked, as the system does when it reads the file itself.
    if (!source.Read(nt, sizeof head, head) || U16(head) != 0x4550)
        return std::nullopt;
    const std::uint16_t sectionCount = U16(head + 6);
    const std::uint64_t optionalHeader = nt + sizeof head;
    Headers headers;
    std::optional<std::uint32_t> rva = ResourceRva(source, optionalHeader);
    if (!rva)
        return std::nullopt;
    headers.resourceRva = *rva;
    const std::uint64_t table = optionalHeader + U16(head + 20);
    for (std::size_t i = 0; i < sectionCount; ++i) {
        std::uint8_t s[kSectionHeaderSize];
        if (!source.Read(table + i * kSectionHeaderSize, sizeof s, s))
            return std::nullopt;
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

    // The offset the entry with this id points at, when it points at a
    // directory (or, for a language, at data) as it should. Binary search, as
    // the system does.
    std::optional<std::uint32_t> FindById(std::uint32_t dir, std::uint16_t id,
                                          bool wantDirectory) const {
        std::optional<Table> table = EntriesOf(dir);
        if (!table)
            return std::nullopt;
        std::int64_t low = table->named;
        std::int64_t high = static_cast<std::int64_t>(table->total) - 1;
        while (low <= high) {
            const std::int64_t middle = (low + high) / 2;
            std::uint8_t entry[kDirectoryEntrySize];
            if (!Read(table->start + static_cast<std::uint64_t>(middle) * kDirectoryEntrySize,
                      sizeof entry, entry))
                return std::nullopt;
            if (U16(entry) == id)
                return Target(entry, wantDirectory);
            if (U16(entry) > id)
                high = middle - 1;
            else
                low = middle + 1;
        }
        return std::nullopt;
    }

    // The preferred languages, else the first entry that points at data.
    std::optional<std::uint32_t> FindLanguage(std::uint32_t dir) const {
        for (std::uint16_t language : kPreferredLanguages) {
            if (std::optional<std::uint32_t> found = FindById(dir, language, false))
                return found;
        }
        std::optional<Table> table = EntriesOf(dir);
        for (std::uint32_t i = 0; table && i < table->total; ++i) {
            std::uint8_t entry[kDirectoryEntrySize];
            if (!Read(table->start + std::uint64_t{i} * kDirectoryEntrySize, sizeof entry, entry))
                return std::nullopt;
            if (std::optional<std::uint32_t> found = Target(entry, false))
                return found;
        }
        return std::nullopt;
    }

  private:
    struct Table {
        std::uint64_t start = 0;  // of the entries, named ones first
        std::uint32_t named = 0;
        std::uint32_t total = 0;
    };

    // A directory's entries, when all of them lie inside the section.
    std::optional<Table> EntriesOf(std::uint32_t dir) const {
        std::uint8_t header[kDirectoryHeaderSize];
        if (!Read(dir, sizeof header, header))
            return std::nullopt;
        Table table{std::uint64_t{dir} + kDirectoryHeaderSize, U16(header + 12),
                    static_cast<std::uint32_t>(U16(header + 12) + U16(header + 14))};
        if (table.start + std::uint64_t{table.total} * kDirectoryEntrySize > size_)
            return std::nullopt;
        return table;
    }

    static std::optional<std::uint32_t> Target(const std::uint8_t* entry, bool wantDirectory) {
        const std::uint32_t target = U32(entry + 4);
        if (((target & 0x80000000) != 0) != wantDirectory)
            return std::nullopt;
        return target & 0x7FFFFFFF;
    }

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
    std::optional<std::uint32_t> names = directory.FindById(0, kVersionType, true);
    std::optional<std::uint32_t> languages =
        names ? directory.FindById(*names, kVersionName, true) : std::nullopt;
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

// Where the version resource of a PE image lies in the file, as its headers say.
std::optional<Located> LocatePeVersion(ByteSource& source) {
    std::optional<Headers> headers = ReadHeaders(source);
    std::optional<DataEntry> entry = headers ? FindVersionEntry(source, *headers) : std::nullopt;
    const Section* section = entry ? SectionOf(*headers, entry->rva) : nullptr;
    if (!section)
        return std::nullopt;
    return Located{
        static_cast<std::uint64_t>(entry->rva) - section->virtualAddress + section->rawOffset,
        entry->size};
}

struct Found {
    Located at;
    bool sixteenBit = false;
};

std::optional<Found> Locate(ByteSource& source) {
    if (std::optional<Located> pe = LocatePeVersion(source))
        return Found{*pe, false};
    if (std::optional<Located> ne = LocateNeVersion(source))
        return Found{*ne, true};
    return std::nullopt;
}

bool InsideFile(ByteSource& source, const Located& located) {
    return located.offset <= source.Size() && located.size <= source.Size() - located.offset;
}

}  // namespace

ResourceCopy CopyVersionResource(ByteSource& source) {
    ResourceCopy result;
    const std::optional<Found> found = Locate(source);
    if (!found)
        return result;
    const Located& located = found->at;
    // Reading the whole resource proves it is there; a longer one is read
    // only in part, so its end is checked against the file's size.
    result.outcome = Outcome::kUnreadable;
    result.bytes.resize(std::min<std::size_t>(located.size, kMaxCopy));
    if ((located.size > kMaxCopy && !InsideFile(source, located)) ||
        !source.Read(located.offset, result.bytes.size(), result.bytes.data())) {
        result.bytes.clear();
        return result;
    }
    if (found->sixteenBit) {
        result.bytes = WidenSixteenBitTree(result.bytes);
        if (result.bytes.empty())
            return result;
    } else {
        MarkLikeTheSystem(result.bytes, located.size);
    }
    result.outcome = Outcome::kCopied;
    return result;
}

Outcome CheckVersionResource(ByteSource& source) {
    const std::optional<Found> found = Locate(source);
    if (!found)
        return Outcome::kNone;
    return InsideFile(source, found->at) ? Outcome::kCopied : Outcome::kUnreadable;
}

}  // namespace kvu::pe
