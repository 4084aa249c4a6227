// Arbitrary bytes as a Windows image, as a version resource inside a sound
// image, or as a bare version tree: finding, copying and reading the resource
// must never read out of bounds, and the answers must hang together.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/pe_version.h"
#include "registration/version_info.h"
#include "tests/support/pe_builder.h"

namespace {

std::optional<kvu::VersionValue> Query(const std::vector<std::uint8_t>& copy,
                                       const std::string& subBlock) {
    std::optional<kvu::pe::ValueRef> found = kvu::pe::FindValue(copy, subBlock);
    if (!found)
        return std::nullopt;
    kvu::VersionValue value;
    if (found->offset < copy.size())
        value.bytes = std::span(copy).subspan(found->offset);
    value.length = found->length;
    return value;
}

void ReadImage(const std::uint8_t* data, std::size_t size) {
    kvu::pe::MemorySource source({data, size});
    const kvu::pe::ResourceCopy copy = kvu::pe::CopyVersionResource(source);
    if (kvu::pe::CheckVersionResource(source) != copy.outcome)
        std::abort();
    if ((copy.outcome == kvu::pe::Outcome::kCopied) == copy.bytes.empty())
        std::abort();
    if (copy.bytes.size() > kvu::pe::kMaxCopy + 0x10004)
        std::abort();
    kvu::VersionRecord record;
    kvu::FillVersionRecord([&](const std::string& s) { return Query(copy.bytes, s); }, record);
    for (const std::string* text : {&record.CompanyName, &record.ProductName})
        if (text->size() > 3 * kvu::kVersionValueMax)  // at most three UTF-8 bytes a character
            std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::uint8_t mode = data[0] % 3;
    ++data;
    --size;
    if (mode == 0) {
        ReadImage(data, size);
    } else if (mode == 1) {
        // The bytes as the version resource of an otherwise sound image.
        const std::string image = kvu::test::BuildPeImage(
            {{16, 1, 0x0409, std::string(reinterpret_cast<const char*>(data), size)}});
        ReadImage(reinterpret_cast<const std::uint8_t*>(image.data()), image.size());
    } else {
        const std::vector<std::uint8_t> tree(data, data + size);
        kvu::VersionRecord record;
        kvu::FillVersionRecord([&](const std::string& s) { return Query(tree, s); }, record);
    }
    return 0;
}
