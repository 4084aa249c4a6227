#include "decision/update_rows.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace kvu {

// The case text never starts with a blank, so only the end needs trimming.
std::string RowCaption(const clsUpdateInfo& record) {
    std::string caption = record.UpdateCase() + " " + record.appname;
    caption.erase(caption.find_last_not_of(' ') + 1);
    return caption;
}

std::array<std::string, kUpdateColumnCount - 1> SubItemTexts(const clsUpdateInfo& record) {
    return {record.LocalPath,
            record.LocalVersion,
            record.NetVersion,
            record.LocalFileDate,
            record.NetFileDate,
            SizeText(record.LocalFileSize),
            SizeText(record.NetFileSize),
            record.AppType,
            record.NetPath};
}

// Whole numbers never take an exponent or a decimal part; anything else keeps
// up to 15 significant digits, as the system's own conversion does.
std::string SizeText(double bytes) {
    char buffer[64];
    if (std::isfinite(bytes) && bytes == std::trunc(bytes) && std::fabs(bytes) < 1e18) {
        std::snprintf(buffer, sizeof buffer, "%.0f", bytes);
    } else {
        std::snprintf(buffer, sizeof buffer, "%.15g", bytes);
    }
    return buffer;
}

std::optional<std::uint32_t> ParseColourText(const std::string& text) {
    std::uint32_t colour = 0;
    const char* end = text.data() + text.size();
    auto [at, error] = std::from_chars(text.data(), end, colour);
    if (error != std::errc() || at != end || text.empty() || colour > 0xFFFFFF)
        return std::nullopt;
    return colour;
}

}  // namespace kvu
