#include "registration/component_list.h"

#include "platform/dir_listing.h"
#include "platform/paths.h"
#include "registration/register_activex.h"

namespace kvu {
namespace {

// The product's own libraries come before the controls.
constexpr const char* kComponentPatterns[] = {"Vmlx*.dll", "*.ocx"};

}  // namespace

std::string FolderWithSeparator(std::string folder) {
    if (folder.empty() || folder.back() != kPathSep)
        folder += kPathSep;
    return folder;
}

void FindFolderComponents(const std::string& folder, const ComponentFound& found) {
    const std::string prefix = FolderWithSeparator(folder);
    for (const char* pattern : kComponentPatterns) {
        for (const DirEntry& entry : ListFiles(prefix, pattern)) {
            ComponentFile file{entry.name, prefix + entry.name};
            if (IsDLLActiveX(file.path, false))
                found(file);
        }
    }
}

void FindDownloadedComponents(std::span<const clsUpdateInfo> updates, const ComponentFound& found) {
    for (const clsUpdateInfo& record : updates) {
        if (record.Download && IsDLLActiveX(record.LocalPath, false))
            found({LastSegment(record.LocalPath, kPathSep), record.LocalPath});
    }
}

std::string RegisterComponents(const std::vector<std::string>& paths) {
    std::string report;
    for (const std::string& path : paths) {
        report +=
            RegisterActiveX(path, true) ? "Regisztráció sikerült: " : "Regisztráció nem sikerült: ";
        report += path + "\r\n";
    }
    return report;
}

}  // namespace kvu
