// Repository dates and versions as arbitrary text: reading them must neither
// crash nor accept a date that does not read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "decision/date_text.h"
#include "decision/version_compare.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (auto date = kvu::ParseDateText(text)) {
        if (!kvu::IsValidDateTime(*date) || kvu::ParseDateText(kvu::FormatDateText(*date)) != date)
            std::abort();
    }
    // The input split in two gives the local and the remote version.
    std::size_t cut = text.find('\n');
    std::string_view first = text.substr(0, cut);
    std::string_view second = cut == std::string_view::npos ? "" : text.substr(cut + 1);
    bool lower = kvu::IsLowerVersion(first, second);
    // Nothing is lower than an empty version; an empty one is lower than any other.
    if ((second.empty() && lower) || (first.empty() && !second.empty() && !lower))
        std::abort();
    return 0;
}
