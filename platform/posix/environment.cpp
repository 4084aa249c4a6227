#include <cstdlib>
#include <string_view>

#include "platform/environment.h"

extern char** environ;

namespace kvu {
namespace {

bool EqualAsciiNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 0x20) : a[i];
        char y = b[i] >= 'a' && b[i] <= 'z' ? static_cast<char>(b[i] - 0x20) : b[i];
        if (x != y)
            return false;
    }
    return true;
}

}  // namespace

std::string EnvironmentVariable(const std::string& name) {
    if (const char* exact = std::getenv(name.c_str()))
        return exact;
    for (char** entry = environ; entry && *entry; ++entry) {
        std::string_view text(*entry);
        std::size_t equals = text.find('=');
        if (equals != std::string_view::npos && EqualAsciiNoCase(text.substr(0, equals), name))
            return std::string(text.substr(equals + 1));
    }
    return {};
}

}  // namespace kvu
