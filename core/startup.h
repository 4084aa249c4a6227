// What the main window's start-up takes from the system, injected so that
// tests can vary it.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/installed_products.h"

namespace kvu {

// The title of message boxes that have none of their own.
inline constexpr std::string_view kApplicationTitle = "Internetes alkalmazásfrissítés";

struct StartupDependencies {
    // The folder of the executable: kvu.ini and restrict.txt live there.
    std::string appFolder;
    // Whether the machine has an Internet connection.
    std::function<bool()> isConnected;
    // An environment variable's value, empty when it is not set.
    std::function<std::string(const std::string& name)> environment;
    // The installed-product list for the product selector; empty: no list.
    std::function<std::vector<InstalledProduct>()> installedProducts;
    // The program's own file, whose version the registration window shows.
    std::string programPath;
};

// The real ones: the executable's folder, the system's connection test, the
// process environment and the PRODUCTS section of kvu.ini.
StartupDependencies SystemStartupDependencies();

// The environment variable tmp, else temp; the application folder when the
// result names no existing folder.
std::string FindTempFolder(const StartupDependencies& deps);

}  // namespace kvu
