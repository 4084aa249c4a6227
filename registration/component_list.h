// The window-free work of the registration window: which files of a folder or
// of an installation run are components, and registering a list of them.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "decision/update_info.h"

namespace kvu {

struct ComponentFile {
    std::string name;  // shown in the list
    std::string path;  // what is registered
    bool operator==(const ComponentFile&) const = default;
};

using ComponentFound = std::function<void(const ComponentFile&)>;

// The folder with one separator at its end.
std::string FolderWithSeparator(std::string folder);

// Tells found about each component of the folder as it is recognised: the
// libraries with the product prefix ("Vmlx*.dll") first, then the controls
// ("*.ocx"), each group in the order of the directory listing. Names match
// without regard to case; hidden and system files are left out, and so are
// files that are no self-registering libraries.
void FindFolderComponents(const std::string& folder, const ComponentFound& found);

// The same for the chosen updates of an installation run, in list order: the
// records with Download set whose LocalPath is a component.
void FindDownloadedComponents(std::span<const clsUpdateInfo> updates, const ComponentFound& found);

// Registers each path in order and gives one line per path, success or
// failure, each with the full path and CR LF; empty for no paths.
std::string RegisterComponents(const std::vector<std::string>& paths);

}  // namespace kvu
