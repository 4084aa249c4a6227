#include "core/installed_products.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "core/settings.h"
#include "platform/profile.h"

namespace kvu {
namespace {

std::optional<int> ProductNumber(std::string_view key) {
    int number = 0;
    const char* end = key.data() + key.size();
    auto [at, error] = std::from_chars(key.data(), end, number);
    if (key.empty() || error != std::errc() || at != end)
        return std::nullopt;
    return number;
}

}  // namespace

std::vector<InstalledProduct> ReadInstalledProducts(const std::string& appFolder) {
    const std::string file = IniFilePath(appFolder);
    const std::string section(kProductsSection);
    std::vector<InstalledProduct> products;
    for (const std::string& key : ReadProfileKeys(section, file)) {
        std::optional<int> number = ProductNumber(key);
        if (!number || std::any_of(products.begin(), products.end(),
                                   [&](const InstalledProduct& p) { return p.number == *number; }))
            continue;
        products.push_back({*number, TrimAtNul(ReadProfileString(section, key, "", file))});
    }
    return products;
}

}  // namespace kvu
