// A main window started as the program starts it, over the in-memory
// windowing backend, in a fresh application folder.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/live_update_form.h"
#include "core/settings.h"
#include "platform/encoding.h"
#include "platform/headless/driver.h"
#include "platform/profile.h"
#include "tests/support/temp_dir.h"

namespace kvu::test {

class LiveUpdateFormTest : public ::testing::Test {
  protected:
    TempDir app;
    TempDir tmp;
    ui::Session session{"Internetes alkalmazásfrissítés"};
    bool connected = true;
    std::unique_ptr<LiveUpdateForm> form;

    // The environment names the test's own tmp folder and nothing else.
    StartupDependencies Dependencies() {
        StartupDependencies deps;
        deps.appFolder = app.str();
        deps.isConnected = [this] { return connected; };
        deps.environment = [this](const std::string& name) {
            return name == "tmp" ? tmp.str() : std::string();
        };
        deps.installedProducts = [folder = app.str()] { return ReadInstalledProducts(folder); };
        return deps;
    }

    // Loads the window as the program does and shows it unless start-up ended
    // the program.
    LiveUpdateForm& Start(StartupDependencies deps) {
        form = std::make_unique<LiveUpdateForm>(session, std::move(deps));
        form->Load();
        session.Run(*form);
        return *form;
    }
    LiveUpdateForm& Start() { return Start(Dependencies()); }

    std::string Ini(const char* key, int product = 0) const {
        return ReadProfileString(ProductSection(product), key, "<none>", IniFilePath(app.str()));
    }
    void WriteIni(const std::string& text) const {
        WriteBytes(IniFilePath(app.str()), Utf8ToAnsi(text));  // the file is ANSI
    }
    headless::HeadlessBackend& backend() { return headless::BackendOf(session); }
};

}  // namespace kvu::test
