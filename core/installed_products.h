// The installed-product list that fills the main window's product selector: the
// optional section PRODUCTS of kvu.ini, each key a product number and its value
// the product's name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvu {

inline constexpr std::string_view kProductsSection = "PRODUCTS";

struct InstalledProduct {
    int number = 0;
    std::string name;
    bool operator==(const InstalledProduct&) const = default;
};

// The products in file order. A key that is not a whole number in the 32-bit
// range is left out, and so is a number's second key. Empty (no list) when the
// file or the section is missing or the section has no such key.
std::vector<InstalledProduct> ReadInstalledProducts(const std::string& appFolder);

}  // namespace kvu
