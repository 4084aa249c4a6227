#include "platform/paths.h"

namespace kvu {

std::string LastSegment(std::string_view text, char separator) {
    std::size_t at = text.rfind(separator);
    return std::string(at == std::string_view::npos ? text : text.substr(at + 1));
}

std::string WithoutLastSegment(std::string_view text, char separator) {
    std::size_t at = text.rfind(separator);
    return std::string(at == std::string_view::npos ? std::string_view{} : text.substr(0, at + 1));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (path.empty() || path.back() != kPathSep)
        path += kPathSep;
    return path.append(name);
}

}  // namespace kvu
