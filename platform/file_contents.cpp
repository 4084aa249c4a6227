#include <string_view>

#include "platform/encoding.h"
#include "platform/file_contents.h"

namespace kvu {
namespace {

// Split at LF, one CR before the LF dropped, no empty line after a final line end.
std::vector<std::string> SplitAnsiLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        std::size_t newline = bytes.find('\n', begin);
        std::size_t end = newline == std::string_view::npos ? bytes.size() : newline;
        std::string_view line = bytes.substr(begin, end - begin);
        if (newline != std::string_view::npos && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(AnsiToUtf8(line));
        begin = end + 1;
    }
    return lines;
}

}  // namespace

std::optional<std::vector<std::string>> ReadTextLines(const std::string& path) {
    std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes)
        return std::nullopt;
    return SplitAnsiLines(*bytes);
}

}  // namespace kvu
