// A main window started as the program starts it, over the in-memory
// windowing backend, in a fresh application folder.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/live_update_form.h"
#include "core/settings.h"
#include "platform/headless/driver.h"
#include "platform/profile.h"
#include "tests/support/temp_dir.h"

namespace kvu::test {

class LiveUpdateFormTest : public ::testing::Test {
  protected:
    TempDir app;
    TempDir tmp;
    ui::Session session{"Internetes alkalmazásfrissítés"};
    // Connected; the environment names the test's own tmp folder and nothing else.
    StartupDependencies deps{
        .appFolder = app.str(),
        .isConnected = [] { return true; },
        .environment =
            [this](const std::string& name) { return name == "tmp" ? tmp.str() : std::string(); },
        .installedProducts = [this] { return ReadInstalledProducts(app.str()); },
        .programPath = {}};
    std::unique_ptr<LiveUpdateForm> form;

    // Loads the window as the program does and shows it unless start-up ended
    // the program.
    LiveUpdateForm& Start() {
        form = std::make_unique<LiveUpdateForm>(session, deps);
        form->Load();
        session.Run(*form);
        return *form;
    }

    std::string Ini(const char* key, int product = 0) const {
        return ReadProfileString(ProductSection(product), key, "<none>", IniFilePath(app.str()));
    }
    headless::HeadlessBackend& backend() { return headless::BackendOf(session); }
};

}  // namespace kvu::test
