// The main window as the program starts it, over the in-memory windowing
// backend, in fresh application and temporary folders with the extraction
// library beside it (KVU_UNZIP32_PATH, set by bench/CMakeLists.txt): what the
// search and installation benchmarks drive.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/live_update_form.h"
#include "platform/extraction.h"
#include "platform/headless/driver.h"
#include "tests/support/temp_dir.h"

namespace kvu::bench {

class BenchMainWindow {
  public:
    // Starts the window searching repositoryUrl for productFolder.
    BenchMainWindow(const std::string& repositoryUrl, const std::string& productFolder) {
        std::filesystem::copy_file(KVU_UNZIP32_PATH, app.file(kExtractionLibraryName));
        StartupDependencies deps;
        deps.appFolder = app.str();
        deps.isConnected = [] { return true; };
        deps.environment = [folder = tmp.str()](const std::string& name) {
            return name == "tmp" ? folder : std::string();
        };
        deps.installedProducts = [] { return std::vector<InstalledProduct>{}; };
        form = std::make_unique<LiveUpdateForm>(session, std::move(deps));
        form->Load();
        session.Run(*form);
        ok = headless::Type(form->tbRepoFile, repositoryUrl) &&
             headless::Type(form->tbAppPath, productFolder);
    }

    test::TempDir app;
    test::TempDir tmp;
    ui::Session session{"Internetes alkalmazásfrissítés"};
    std::unique_ptr<LiveUpdateForm> form;
    bool ok = false;  // the window took the settings
};

}  // namespace kvu::bench
