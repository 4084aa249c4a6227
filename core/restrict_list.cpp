#include "core/restrict_list.h"

#include "platform/encoding.h"
#include "platform/file_contents.h"
#include "platform/paths.h"

namespace kvu {

std::vector<std::string> LoadRestrictList(const std::string& appFolder) {
    std::vector<std::string> list;
    std::optional<std::vector<std::string>> lines =
        ReadTextLines(JoinPath(appFolder, kRestrictFileName));
    if (!lines)
        return list;
    list.reserve(lines->size());
    for (const std::string& line : *lines)
        list.push_back(UpperCase(line));
    return list;
}

}  // namespace kvu
