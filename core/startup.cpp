#include "core/startup.h"

#include "platform/connection.h"
#include "platform/environment.h"
#include "platform/paths.h"

namespace kvu {

StartupDependencies SystemStartupDependencies() {
    StartupDependencies deps;
    deps.appFolder = AppFolder();
    deps.isConnected = [] { return IsConnected(); };
    deps.environment = [](const std::string& name) { return EnvironmentVariable(name); };
    deps.installedProducts = [folder = deps.appFolder] { return ReadInstalledProducts(folder); };
    return deps;
}

std::string FindTempFolder(const StartupDependencies& deps) {
    std::string folder = deps.environment("tmp");
    if (folder.empty())
        folder = deps.environment("temp");
    if (!IsFolder(folder))
        return deps.appFolder;
    return folder;
}

}  // namespace kvu
