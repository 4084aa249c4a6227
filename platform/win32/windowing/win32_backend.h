// The Win32 windowing backend: real windows and common controls.
#pragma once

#include <windows.h>

#include <set>
#include <vector>

#include "platform/windowing.h"

namespace kvu::ui::win32 {

class Win32Backend : public Backend {
  public:
    Win32Backend();
    ~Win32Backend() override;

    Rect OuterFor(const Form& form, int clientWidth, int clientHeight) override;
    void Show(Form& form) override;
    void ShowModal(Form& form, Form* owner) override;
    void Unloaded(Form& form) override;
    void Run(Form& main) override;
    void ProcessPendingEvents() override;
    void EndProgram() override;
    int MsgBox(const std::string& text, int style, const std::string& title) override;
    std::string BrowseForFolder(Form* owner, const std::string& title) override;
    std::string GetSetting(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& def) override;
    void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) override;
    PixelPoint CursorPosition() override;
    PixelRect ScreenRect(const Control& control) override;
    std::vector<Rect> WorkAreas() override;

    void AddWindow(HWND window) { windows_.insert(window); }
    void RemoveWindow(HWND window) { windows_.erase(window); }

  private:
    void Realize(Form& form);
    // Handles one message; false once the program should stop waiting.
    bool PumpOne();
    HWND ActiveOwnWindow() const;

    bool ended_ = false;
    bool comInitialised_ = false;
    std::set<HWND> windows_;
};

}  // namespace kvu::ui::win32
