// Arbitrary bytes as a repository file: decoding, splitting and reading rows
// must survive every line.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/radix64.h"
#include "core/repository.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kvu::RepositoryRowList rows;
    kvu::ParseRepository(bytes, rows);
    // The raw bytes as one already-decoded line exercise the field conversions
    // directly, which encoded input reaches only rarely.
    std::vector<std::string> columns;
    std::size_t start = 0;
    for (;;) {
        std::size_t tab = bytes.find('\t', start);
        columns.emplace_back(bytes.substr(start, tab - start));
        if (tab == std::string_view::npos)
            break;
        start = tab + 1;
    }
    kvu::addRow(columns, rows);
    return 0;
}
