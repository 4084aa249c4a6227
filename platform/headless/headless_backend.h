// The in-memory windowing backend: windows and controls are their model's state
// alone. A scripted user answers message boxes, folder pickers and modal
// windows; what was shown is recorded for tests to read back.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/windowing.h"

namespace kvu::headless {

struct ShownMessageBox {
    std::string text;
    int style = 0;
    std::string title;
    int answer = 0;
};

struct ShownFolderPicker {
    std::string owner;  // the owner window's name, empty without one
    std::string title;
    std::string answer;
};

class HeadlessBackend : public ui::Backend {
  public:
    // The window frame that OuterFor adds, twips: 8 pixels of border around and
    // a 22-pixel title bar, at 96 DPI.
    static constexpr int kFrameWidth = 120;
    static constexpr int kFrameHeight = 450;
    static constexpr int kTwipsPerPixel = 15;

    ui::Rect OuterFor(const ui::Form& form, int clientWidth, int clientHeight) override;
    void Show(ui::Form& form) override;
    void ShowModal(ui::Form& form, ui::Form* owner) override;
    void Unloaded(ui::Form& form) override;
    void Run(ui::Form& main) override { Show(main); }
    void ProcessPendingEvents() override { ++pendingEventCalls; }
    void EndProgram() override { ended = true; }
    int MsgBox(const std::string& text, int style, const std::string& title) override;
    std::string BrowseForFolder(ui::Form* owner, const std::string& title) override;
    std::string GetSetting(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& def) override;
    void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) override;
    void Forget(const ui::Control& control) override {
        if (focused == &control)
            focused = nullptr;
    }
    ui::PixelPoint CursorPosition() override { return cursor; }
    ui::PixelRect ScreenRect(const ui::Control& control) override;
    std::vector<ui::Rect> WorkAreas() override { return workAreas; }

    // Whether the user can reach the form now: shown, and no modal window
    // above it.
    bool Reachable(const ui::Form& form) const;

    // The scripted user's next answers, used in order; without one a message
    // box answers with its first button, a folder picker and a modal window
    // are cancelled (the window is closed by its close box).
    std::deque<int> messageBoxAnswers;
    std::deque<std::string> folderAnswers;
    std::deque<std::function<void(ui::Form&)>> modalActions;

    // What was shown, in order.
    std::vector<ShownMessageBox> messageBoxes;
    std::vector<ShownFolderPicker> folderPickers;
    std::vector<std::string> modalWindows;  // form names

    ui::Control* focused = nullptr;
    ui::PixelPoint cursor;
    // One 1920 x 1040 pixel work area at 96 DPI, unless a test sets others.
    std::vector<ui::Rect> workAreas{{0, 0, 1920 * kTwipsPerPixel, 1040 * kTwipsPerPixel}};
    bool ended = false;
    int pendingEventCalls = 0;
    std::map<std::tuple<std::string, std::string, std::string>, std::string> settings;

  private:
    std::vector<ui::Form*> modalStack_;
};

}  // namespace kvu::headless
