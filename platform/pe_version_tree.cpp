// Looking a sub-block up in a copied VS_VERSIONINFO tree. Each node is a
// 16-bit length, a 16-bit value length, a 16-bit type (1 text, 0 binary), a
// NUL-terminated UTF-16 key, its value and its children, each part aligned to
// four bytes from the node's start. The walk follows the system's: children
// are searched while they start inside the parent's length.
#include <algorithm>
#include <iterator>
#include <string>

#include "platform/encoding.h"
#include "platform/pe_version.h"

namespace kvu::pe {
namespace {

class Tree {
  public:
    explicit Tree(std::span<const std::uint8_t> copy) : copy_(copy) {}

    // Bytes past the end of the copy read as zero.
    std::uint16_t U16(std::size_t offset) const {
        if (offset < copy_.size() - 1 && copy_.size() > 1)
            return static_cast<std::uint16_t>(copy_[offset] | copy_[offset + 1] << 8);
        return static_cast<std::uint16_t>(Byte(offset) | Byte(offset + 1) << 8);
    }

    bool InSixteenBitLayout() const { return Byte(4) >= ' '; }

    std::size_t Value(std::size_t node) const {
        std::size_t keyEnd = node + 6;
        while (keyEnd + 1 < copy_.size() && (copy_[keyEnd] | copy_[keyEnd + 1]) != 0)
            keyEnd += 2;
        while (U16(keyEnd) != 0)  // ends at the copy's end at the latest
            keyEnd += 2;
        return node + ((keyEnd + 2 - node + 3) & ~std::size_t{3});
    }

    std::size_t Children(std::size_t node) const {
        std::size_t valueSize = U16(node + 2) * (U16(node + 4) != 0 ? 2U : 1U);
        return Value(node) + ((valueSize + 3) & ~std::size_t{3});
    }

    std::optional<std::size_t> FindChild(std::size_t parent, std::u16string_view key) const {
        const std::size_t end = parent + U16(parent);
        std::size_t child = Children(parent);
        while (child < end) {
            if (KeyEquals(child, key))
                return child;
            const std::size_t length = U16(child);
            if (length == 0)
                return std::nullopt;
            child += (length + 3) & ~std::size_t{3};
        }
        return std::nullopt;
    }

  private:
    std::uint8_t Byte(std::size_t offset) const {
        return offset < copy_.size() ? copy_[offset] : 0;
    }

    static char16_t Fold(char16_t c) { return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c; }

    bool KeyEquals(std::size_t node, std::u16string_view key) const {
        const std::size_t key0 = node + 6;
        if (key0 + 2 * key.size() + 2 <= copy_.size()) {  // the usual case, read directly
            const std::uint8_t* p = copy_.data() + key0;
            for (std::size_t i = 0; i < key.size(); ++i, p += 2) {
                if (Fold(static_cast<char16_t>(p[0] | p[1] << 8)) != Fold(key[i]))
                    return false;
            }
            return (p[0] | p[1]) == 0;
        }
        for (std::size_t i = 0; i < key.size(); ++i) {
            if (Fold(U16(node + 6 + 2 * i)) != Fold(key[i]))
                return false;
        }
        return U16(node + 6 + 2 * key.size()) == 0;
    }

    std::span<const std::uint8_t> copy_;
};

// Path components are short ASCII names in practice: they are widened on the
// stack rather than converted.
std::optional<std::size_t> FindComponent(const Tree& tree, std::size_t node,
                                         std::string_view component) {
    char16_t wide[64];
    if (component.size() <= std::size(wide) &&
        std::all_of(component.begin(), component.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        std::copy(component.begin(), component.end(), wide);
        return tree.FindChild(node, std::u16string_view(wide, component.size()));
    }
    return tree.FindChild(node, Utf8ToUtf16(component));
}

}  // namespace

std::optional<ValueRef> FindValue(std::span<const std::uint8_t> copy, std::string_view path) {
    const Tree tree(copy);
    if (tree.InSixteenBitLayout())
        return std::nullopt;
    std::size_t node = 0;
    for (std::size_t start = 0; start < path.size();) {
        // A backslash never occurs inside a UTF-8 sequence.
        const std::size_t slash = std::min(path.find('\\', start), path.size());
        const std::string_view component = path.substr(start, slash - start);
        start = slash + 1;
        if (component.empty())
            continue;
        std::optional<std::size_t> child = FindComponent(tree, node, component);
        if (!child)
            return std::nullopt;
        node = *child;
    }
    return ValueRef{tree.Value(node), tree.U16(node + 2)};
}

}  // namespace kvu::pe
