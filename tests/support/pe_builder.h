// Hand-made version resources and minimal PE images, for the cases a resource
// compiler will not produce (damaged trees, odd languages, resources outside
// ".rsrc") and for generated trees of files.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace kvu::test {

inline void PutU16(std::string& out, std::size_t at, std::uint16_t v) {
    out[at] = static_cast<char>(v & 0xFF);
    out[at + 1] = static_cast<char>(v >> 8);
}
inline void PutU32(std::string& out, std::size_t at, std::uint32_t v) {
    PutU16(out, at, static_cast<std::uint16_t>(v & 0xFFFF));
    PutU16(out, at + 2, static_cast<std::uint16_t>(v >> 16));
}
inline void AddU16(std::string& out, std::uint16_t v) {
    out.append(2, '\0');
    PutU16(out, out.size() - 2, v);
}
inline void AddU32(std::string& out, std::uint32_t v) {
    out.append(4, '\0');
    PutU32(out, out.size() - 4, v);
}

// UTF-16LE bytes of ASCII or BMP text, with the final NUL.
inline std::string Utf16Bytes(std::u16string_view text) {
    std::string out;
    for (char16_t c : text)
        AddU16(out, c);
    AddU16(out, 0);
    return out;
}

// One node of a VS_VERSIONINFO tree.
struct VersionNode {
    std::u16string key;
    std::string value;  // raw bytes; UTF-16LE with its NUL for text
    bool text = false;
    std::vector<VersionNode> children;
    std::optional<std::uint16_t> valueLength;  // what to declare instead of the true length
};

// Lays the node out as resource compilers do: each part aligned to four bytes
// from the node's start, the length covering the node and its children. The
// 16-bit layout of NE images has no type field, ANSI keys and texts (the low
// bytes of the UTF-16 units) and value lengths in bytes.
inline std::string Serialize(const VersionNode& node, bool sixteenBit = false) {
    std::string out(sixteenBit ? 4 : 6, '\0');
    std::string value = sixteenBit && node.text ? "" : node.value;
    if (sixteenBit) {
        for (char16_t c : node.key)
            out += static_cast<char>(c);
        out += '\0';
        for (std::size_t i = 0; node.text && i + 1 < node.value.size(); i += 2)
            value += node.value[i];
    } else {
        out += Utf16Bytes(node.key);
    }
    out.resize((out.size() + 3) & ~std::size_t{3}, '\0');
    out += value;
    for (const VersionNode& child : node.children) {
        out.resize((out.size() + 3) & ~std::size_t{3}, '\0');
        out += Serialize(child, sixteenBit);
    }
    const std::size_t declared = node.text && !sixteenBit ? value.size() / 2 : value.size();
    PutU16(out, 0, static_cast<std::uint16_t>(out.size()));
    PutU16(out, 2, node.valueLength.value_or(static_cast<std::uint16_t>(declared)));
    if (!sixteenBit)
        PutU16(out, 4, node.text ? 1 : 0);
    return out;
}

struct FixedInfo {
    std::uint32_t fileMs = 0x00010000, fileLs = 0, productMs = 0x00010000, productLs = 0;
    std::uint32_t flags = 0, os = 0x40004, type = 2, subType = 0;
};

// A complete resource: the fixed block, one string table under key and a
// translation table of the given (language, code page) pairs.
inline VersionNode StandardVersion(
    const FixedInfo& fixed, std::u16string key,
    const std::vector<std::pair<std::u16string, std::u16string>>& values,
    const std::vector<std::pair<std::uint16_t, std::uint16_t>>& pairs) {
    VersionNode table{key, "", true, {}, std::nullopt};
    for (const auto& [name, text] : values)
        table.children.push_back({name, Utf16Bytes(text), true, {}, std::nullopt});
    std::string translation;
    for (auto [language, codePage] : pairs) {
        AddU16(translation, language);
        AddU16(translation, codePage);
    }
    VersionNode var{u"Translation", translation, false, {}, std::nullopt};
    std::string fixedBlock;
    for (std::uint32_t v :
         {0xFEEF04BDU, 0x00010000U, fixed.fileMs, fixed.fileLs, fixed.productMs, fixed.productLs,
          0x3FU, fixed.flags, fixed.os, fixed.type, fixed.subType, 0U, 0U})
        AddU32(fixedBlock, v);
    return {u"VS_VERSION_INFO",
            fixedBlock,
            false,
            {{u"StringFileInfo", "", true, {table}, std::nullopt},
             {u"VarFileInfo", "", true, {var}, std::nullopt}},
            std::nullopt};
}

struct PeResource {
    std::uint16_t type = 16;
    std::uint16_t name = 1;
    std::uint16_t language = 0x0409;
    std::string data;
};

struct PeOptions {
    bool pe32Plus = true;
    std::size_t codeSize = 0x200;  // filler before the resources
    std::string resourceSectionName = ".rsrc";
};

// A PE image with a code section of filler and one section of resources.
inline std::string BuildPeImage(std::vector<PeResource> resources, const PeOptions& options = {}) {
    constexpr std::uint32_t kFileAlign = 0x200, kSectionAlign = 0x1000, kHeaders = 0x400;
    auto align = [](std::size_t v, std::size_t a) { return (v + a - 1) / a * a; };
    std::sort(resources.begin(), resources.end(), [](const PeResource& a, const PeResource& b) {
        return std::tie(a.type, a.name, a.language) < std::tie(b.type, b.name, b.language);
    });
    const std::uint32_t codeRaw = static_cast<std::uint32_t>(align(options.codeSize, kFileAlign));
    const std::uint32_t rsrcRva =
        static_cast<std::uint32_t>(kSectionAlign + align(codeRaw, kSectionAlign));

    // Resource section: three levels of directories, the data entries, the data.
    // Every resource of a type has the same name: the tests need no more.
    std::string rsrc;
    auto directory = [&](std::size_t entries) {
        const std::size_t at = rsrc.size();
        rsrc.append(16 + 8 * entries, '\0');
        PutU16(rsrc, at + 14, static_cast<std::uint16_t>(entries));
        return at;
    };
    auto entry = [&](std::size_t dir, std::size_t i, std::uint32_t id, std::size_t subdir) {
        PutU32(rsrc, dir + 16 + 8 * i, id);
        PutU32(rsrc, dir + 20 + 8 * i, 0x80000000U | static_cast<std::uint32_t>(subdir));
    };
    std::vector<std::size_t> typeStarts;
    for (std::size_t i = 0; i < resources.size(); ++i)
        if (i == 0 || resources[i].type != resources[i - 1].type)
            typeStarts.push_back(i);
    typeStarts.push_back(resources.size());
    std::vector<std::size_t> dataEntrySlots;  // where each resource's data entry offset goes
    const std::size_t root = directory(typeStarts.size() - 1);
    for (std::size_t t = 0; t + 1 < typeStarts.size(); ++t) {
        const PeResource& first = resources[typeStarts[t]];
        const std::size_t typeDir = directory(1);
        const std::size_t nameDir = directory(typeStarts[t + 1] - typeStarts[t]);
        entry(root, t, first.type, typeDir);
        entry(typeDir, 0, first.name, nameDir);
        for (std::size_t i = typeStarts[t]; i < typeStarts[t + 1]; ++i) {
            PutU32(rsrc, nameDir + 16 + 8 * (i - typeStarts[t]), resources[i].language);
            dataEntrySlots.push_back(nameDir + 20 + 8 * (i - typeStarts[t]));
        }
    }
    const std::size_t dataEntries = rsrc.size();  // 16 bytes each
    rsrc.append(16 * resources.size(), '\0');
    for (std::size_t i = 0; i < resources.size(); ++i) {
        const std::size_t entry = dataEntries + 16 * i;
        PutU32(rsrc, dataEntrySlots[i], static_cast<std::uint32_t>(entry));
        rsrc.resize(align(rsrc.size(), 8), '\0');
        PutU32(rsrc, entry, rsrcRva + static_cast<std::uint32_t>(rsrc.size()));
        PutU32(rsrc, entry + 4, static_cast<std::uint32_t>(resources[i].data.size()));
        rsrc += resources[i].data;
    }
    const std::uint32_t rsrcVirtual = static_cast<std::uint32_t>(rsrc.size());
    rsrc.resize(align(rsrc.size(), kFileAlign), '\0');

    std::string image(kHeaders, '\0');
    image[0] = 'M';
    image[1] = 'Z';
    PutU32(image, 0x3C, 0x40);
    image.replace(0x40, 4, std::string("PE\0\0", 4));
    const std::size_t file = 0x44;
    const std::uint16_t optionalSize = options.pe32Plus ? 240 : 224;
    PutU16(image, file, options.pe32Plus ? 0x8664 : 0x14C);
    PutU16(image, file + 2, 2);
    PutU16(image, file + 16, optionalSize);
    PutU16(image, file + 18, options.pe32Plus ? 0x2022 : 0x2102);
    const std::size_t opt = file + 20;
    PutU16(image, opt, options.pe32Plus ? 0x20B : 0x10B);
    PutU32(image, opt + 4, codeRaw);
    PutU32(image, opt + 20, kSectionAlign);
    if (options.pe32Plus)
        PutU32(image, opt + 24, 0x10000000);  // the low half of the 64-bit image base
    else
        PutU32(image, opt + 28, 0x10000000);
    PutU32(image, opt + 32, kSectionAlign);
    PutU32(image, opt + 36, kFileAlign);
    PutU16(image, opt + 40, 6);
    PutU16(image, opt + 48, 6);
    PutU32(image, opt + 56,
           rsrcRva + static_cast<std::uint32_t>(align(rsrcVirtual, kSectionAlign)));
    PutU32(image, opt + 60, kHeaders);
    PutU16(image, opt + 68, 2);
    const std::size_t counts = opt + (options.pe32Plus ? 108 : 92);
    PutU32(image, counts, 16);
    PutU32(image, counts + 4 + 8 * 2, resources.empty() ? 0 : rsrcRva);
    PutU32(image, counts + 8 + 8 * 2, resources.empty() ? 0 : rsrcVirtual);
    const std::size_t sections = opt + optionalSize;
    auto section = [&](std::size_t at, std::string_view name, std::uint32_t virtualSize,
                       std::uint32_t rva, std::uint32_t rawSize, std::uint32_t rawOffset,
                       std::uint32_t characteristics) {
        image.replace(at, std::min<std::size_t>(name.size(), 8), name.substr(0, 8));
        PutU32(image, at + 8, virtualSize);
        PutU32(image, at + 12, rva);
        PutU32(image, at + 16, rawSize);
        PutU32(image, at + 20, rawOffset);
        PutU32(image, at + 36, characteristics);
    };
    section(sections, ".text", codeRaw, kSectionAlign, codeRaw, kHeaders, 0x60000020);
    section(sections + 40, options.resourceSectionName, rsrcVirtual, rsrcRva,
            static_cast<std::uint32_t>(rsrc.size()), kHeaders + codeRaw, 0x40000040);
    std::string code(codeRaw, '\0');
    for (std::size_t i = 0; i < code.size(); ++i)
        code[i] = static_cast<char>(0xCC ^ (i * 7));  // filler that is neither zero nor a tree
    return image + code + rsrc;
}

// A 16-bit (NE) image whose resource table holds one version resource.
inline std::string BuildNeImage(const std::string& resource) {
    constexpr std::size_t kNe = 0x40, kTable = 0x40, kTableSize = 24, kData = 0x100, kShift = 4;
    std::string image(kData, '\0');
    image[0] = 'M';
    image[1] = 'Z';
    PutU32(image, 0x3C, kNe);
    image[kNe] = 'N';
    image[kNe + 1] = 'E';
    PutU16(image, kNe + 0x24, kTable);
    PutU16(image, kNe + 0x26, kTable + kTableSize);  // the resident names follow
    const std::size_t table = kNe + kTable;
    PutU16(image, table, kShift);
    PutU16(image, table + 2, 0x8010);  // version, one resource
    PutU16(image, table + 4, 1);
    PutU16(image, table + 10, kData >> kShift);
    PutU16(image, table + 12, static_cast<std::uint16_t>((resource.size() + 15) >> kShift));
    PutU16(image, table + 16, 0x8001);  // name 1; a type id of 0 ends the table
    image += resource;
    image.resize((image.size() + 15) & ~std::size_t{15}, '\0');
    return image;
}

}  // namespace kvu::test
