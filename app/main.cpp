// kvu.exe: loads the main window and runs it until the user leaves.
#include <windows.h>

#include "core/live_update_form.h"
#include "core/startup.h"
#include "platform/environment.h"
#include "platform/windowing.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    kvu::ui::Session session(std::string(kvu::kApplicationTitle));
    kvu::StartupDependencies deps = kvu::SystemStartupDependencies();
    // For the demo and the end-to-end test on machines without a network (a
    // build container): the connection test then passes. Nothing else changes.
    if (kvu::EnvironmentVariable("KVU_ASSUME_CONNECTED") == "1")
        deps.isConnected = [] { return true; };
    kvu::LiveUpdateForm form(session, std::move(deps));
    form.Load();
    session.Run(form);
    return 0;
}
