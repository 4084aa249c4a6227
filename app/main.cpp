// kvu.exe: loads the main window and runs it until the user leaves.
#include <windows.h>

#include <string>

#include "core/live_update_form.h"
#include "core/startup.h"
#include "platform/environment.h"
#include "platform/win32/wide.h"
#include "platform/windowing.h"
#include "registration/activex_register_form.h"

namespace {

// The program's own file, whose version resource the registration window shows.
std::string ProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return {};
        if (n < path.size())
            return kvu::WideToUtf8(path.substr(0, n));
        path.resize(path.size() * 2);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    kvu::ui::Session session(std::string(kvu::kApplicationTitle));
    kvu::StartupDependencies deps = kvu::SystemStartupDependencies();
    // For the demo and the end-to-end test on machines without a network (a
    // build container): the connection test then passes. Nothing else changes.
    if (kvu::EnvironmentVariable("KVU_ASSUME_CONNECTED") == "1")
        deps.isConnected = [] { return true; };
    deps.programPath = ProgramPath();
    kvu::LiveUpdateForm form(session, std::move(deps));
    form.registerActivex = [&form] {
        kvu::ActivexRegisterForm::ShowForFolder(form, form.tbAppPath.Text(),
                                                form.dependencies().appFolder,
                                                form.dependencies().programPath);
    };
    form.Load();
    session.Run(form);
    return 0;
}
