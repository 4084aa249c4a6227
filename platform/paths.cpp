#include "platform/paths.h"

#include <algorithm>

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

namespace {

// Windows drops trailing dots and blanks of a name, so ". ." or "..." may
// reach the parent folder too: any name of only dots and blanks but "." counts.
bool ClimbsUp(std::string_view segment) {
    return segment.find_first_not_of(". ") == std::string_view::npos &&
           std::count(segment.begin(), segment.end(), '.') >= 2;
}

}  // namespace

bool StaysInsideFolder(std::string_view relative) {
    if (relative.empty())
        return true;
    if (relative.front() == '\\' || relative.front() == '/' ||
        relative.find(':') != std::string_view::npos)
        return false;
    int depth = 0;
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t end = relative.find_first_of("\\/", start);
        if (end == std::string_view::npos)
            end = relative.size();
        std::string_view segment = relative.substr(start, end - start);
        if (ClimbsUp(segment)) {
            if (--depth < 0)
                return false;
        } else if (!segment.empty() && segment != ".") {
            ++depth;
        }
        start = end + 1;
    }
    return true;
}

}  // namespace kvu
