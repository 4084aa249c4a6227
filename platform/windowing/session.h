// The program's user-interface session: showing windows, message boxes, the
// folder picker, the per-user settings store and the end of the program.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/windowing/backend.h"
#include "platform/windowing/types.h"

namespace kvu::ui {

class Form;

class Session {
  public:
    // appTitle: the title of message boxes that have none of their own.
    explicit Session(std::string appTitle);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session();

    const std::string& AppTitle() const { return appTitle_; }

    // Shows the text with the buttons and icon of style (kMb... added together);
    // an empty title means the application title. Returns the button chosen (kId...).
    int MsgBox(const std::string& text, int style = kMbOk, const std::string& title = {});
    // Asks for one line of text; the empty text when the user cancels.
    std::string InputBox(const std::string& prompt, const std::string& title = {},
                         const std::string& defaultText = {});
    // The system's folder picker, file-system folders only; the empty text when
    // the user cancels.
    std::string BrowseForFolder(Form* owner, const std::string& title);

    void Show(Form& form);
    // Shows the window and returns when it has been unloaded; the owner takes no
    // input meanwhile.
    void ShowModal(Form& form, Form* owner);
    // Shows the main window and handles events until the program ends or the
    // main window is unloaded.
    void Run(Form& main);
    // Lets the windows repaint and handle what is waiting, then returns.
    void ProcessPendingEvents();
    // Ends the program at once: Run returns, open windows are discarded.
    void EndProgram();
    bool ProgramEnded() const { return ended_; }

    // The per-user settings store: text values by application, section and key.
    std::string GetSetting(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& def = {});
    void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value);

    // The mouse pointer's position on the screen, in pixels.
    PixelPoint CursorPosition();
    // The work area of every monitor, twips, in the coordinates of Form::Bounds.
    std::vector<Rect> WorkAreas();

    Backend& backend() { return *backend_; }

  private:
    std::string appTitle_;
    bool ended_ = false;
    std::unique_ptr<Backend> backend_;
};

}  // namespace kvu::ui
