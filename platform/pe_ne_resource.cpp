// Finding the version resource of an NE image and widening its 16-bit tree.
// A 16-bit node is a length, a value length in bytes, a NUL-terminated ANSI
// key, its value and its children, each part aligned to four bytes from the
// node's start.
#include "platform/pe_ne_resource.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "platform/encoding.h"

namespace kvu::pe {
namespace {

constexpr std::uint16_t kNeSignature = 0x454E;  // "NE"
constexpr std::size_t kNeHeaderSize = 0x28;
constexpr std::uint16_t kVersionTypeId = 0x8010;  // 16, an integer id
constexpr std::uint16_t kVersionNameId = 0x8001;  // 1, an integer id
constexpr std::size_t kTypeInfoSize = 8;
constexpr std::size_t kNameInfoSize = 12;
constexpr unsigned kMaxAlignShift = 16;
constexpr int kMaxDepth = 8;

// Bytes past the end read as zero.
std::uint16_t U16(std::span<const std::uint8_t> bytes, std::size_t at) {
    auto byte = [&](std::size_t i) { return i < bytes.size() ? bytes[i] : std::uint8_t{0}; };
    return static_cast<std::uint16_t>(byte(at) | byte(at + 1) << 8);
}

std::size_t AlignFrom(std::size_t base, std::size_t at) {
    return base + ((at - base + 3) & ~std::size_t{3});
}

void PutU16(std::vector<std::uint8_t>& out, std::size_t at, std::size_t value) {
    out[at] = static_cast<std::uint8_t>(value & 0xFF);
    out[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

// ANSI text as UTF-16 units with a final NUL; how many units that was.
std::size_t AppendWide(std::vector<std::uint8_t>& out, std::string_view ansi) {
    std::u16string wide = Utf8ToUtf16(AnsiToUtf8(ansi));
    wide.push_back(u'\0');
    for (char16_t c : wide) {
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return wide.size();
}

void PadFrom(std::vector<std::uint8_t>& out, std::size_t base) {
    out.resize(AlignFrom(base, out.size()), 0);
}

class Widener {
  public:
    explicit Widener(std::span<const std::uint8_t> tree) : tree_(tree) {}

    // Appends the node and its children in the 32-bit layout. Values of the
    // string tables (depth 3 under "StringFileInfo") become UTF-16 texts.
    bool Node(std::size_t node, std::size_t limit, int depth, bool strings,
              std::vector<std::uint8_t>& out) const {
        const std::size_t end = node + std::min<std::size_t>(U16(tree_, node), limit - node);
        std::size_t keyEnd = std::min(node + 4, end);
        while (keyEnd < end && tree_[keyEnd] != 0)
            ++keyEnd;
        const std::string_view key = Text(node + 4, keyEnd);
        if (depth == 1)
            strings = UpperCase(key) == "STRINGFILEINFO";
        const bool text = strings && depth == 3;
        const std::size_t value = AlignFrom(node, keyEnd + 1);
        const std::uint16_t valueLength = U16(tree_, node + 2);

        const std::size_t start = out.size();
        out.resize(start + 6, 0);
        AppendWide(out, key);
        PadFrom(out, start);
        std::size_t declared = valueLength;
        if (text) {
            std::size_t textEnd = std::min(value, end);
            while (textEnd < end && tree_[textEnd] != 0)
                ++textEnd;
            declared = AppendWide(out, Text(value, textEnd));
        } else {
            for (std::size_t i = 0; i < valueLength; ++i)
                out.push_back(value + i < tree_.size() ? tree_[value + i] : 0);
        }
        for (std::size_t child = AlignFrom(node, value + valueLength); child < end;) {
            const std::uint16_t childLength = U16(tree_, child);
            if (childLength == 0)
                break;
            PadFrom(out, start);
            if (depth >= kMaxDepth || !Node(child, end, depth + 1, strings, out) ||
                out.size() - start > 0xFFFF)
                return false;
            child += (childLength + 3) & ~std::size_t{3};
        }
        if (out.size() - start > 0xFFFF)
            return false;
        PutU16(out, start, out.size() - start);
        PutU16(out, start + 2, declared);
        PutU16(out, start + 4, text ? 1 : 0);
        return true;
    }

  private:
    std::string_view Text(std::size_t from, std::size_t to) const {
        if (from >= to || from >= tree_.size())
            return {};
        return std::string_view(reinterpret_cast<const char*>(tree_.data()) + from,
                                std::min(to, tree_.size()) - from);
    }

    std::span<const std::uint8_t> tree_;
};

// The resource table: an alignment shift, then type entries, each followed by
// its name entries, until a type id of 0.
std::optional<Located> FindInTable(std::span<const std::uint8_t> table) {
    const unsigned shift = U16(table, 0);
    if (shift > kMaxAlignShift)
        return std::nullopt;
    for (std::size_t type = 2; type + kTypeInfoSize <= table.size();) {
        const std::uint16_t id = U16(table, type);
        const std::size_t count = U16(table, type + 2);
        const std::size_t names = type + kTypeInfoSize;
        if (id == 0)
            return std::nullopt;
        if (id == kVersionTypeId) {
            for (std::size_t i = 0; i < count && names + (i + 1) * kNameInfoSize <= table.size();
                 ++i) {
                const std::size_t name = names + i * kNameInfoSize;
                if (U16(table, name + 6) == kVersionNameId)
                    return Located{std::uint64_t{U16(table, name)} << shift,
                                   static_cast<std::uint32_t>(U16(table, name + 2)) << shift};
            }
            return std::nullopt;
        }
        type = names + count * kNameInfoSize;
    }
    return std::nullopt;
}

}  // namespace

std::optional<Located> LocateNeVersion(ByteSource& source) {
    std::uint8_t dos[64];
    if (!source.Read(0, sizeof dos, dos) || dos[0] != 'M' || dos[1] != 'Z')
        return std::nullopt;
    const std::uint64_t ne = U16(dos, 0x3C) | std::uint64_t{U16(dos, 0x3E)} << 16;
    std::uint8_t head[kNeHeaderSize];
    if (!source.Read(ne, sizeof head, head) || U16(head, 0) != kNeSignature)
        return std::nullopt;
    // The resource table ends where the resident name table starts.
    const std::uint16_t tableAt = U16(head, 0x24);
    const std::uint16_t namesAt = U16(head, 0x26);
    if (namesAt <= tableAt)
        return std::nullopt;
    std::vector<std::uint8_t> table(namesAt - tableAt);
    if (!source.Read(ne + tableAt, table.size(), table.data()))
        return std::nullopt;
    return FindInTable(table);
}

std::vector<std::uint8_t> WidenSixteenBitTree(std::span<const std::uint8_t> tree) {
    std::vector<std::uint8_t> out;
    if (tree.size() < 4 || !Widener(tree).Node(0, tree.size(), 0, false, out))
        return {};
    return out;
}

}  // namespace kvu::pe
