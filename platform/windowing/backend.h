// What the portable windowing model asks of a backend (the Win32 one, or the
// in-memory one that tests drive). Not for windows' own code.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/windowing/types.h"

namespace kvu::ui {

class Control;
class Form;
class Timer;

// Which part of a control's state changed, so that a backend refreshes only that.
enum class Aspect {
    kGeometry,
    kVisible,
    kEnabled,
    kFont,
    kColours,
    kText,     // caption or text
    kValue,    // check box value, progress value and range, list index
    kItems,    // combo box entries, list view rows and their order
    kOrder,    // only the order list view rows are shown in
    kRow,      // one list view row (see ListView::ChangedRow)
    kColumns,  // list view columns and header images
    kPanels,   // status bar panels
    kTimer,    // interval and enabled state
    kStyle,    // border, locked, resizable and the like
};

// The backend's side of one control, form or timer.
class Peer {
  public:
    virtual ~Peer() = default;
    virtual void Sync(Aspect aspect) = 0;
};

class Backend {
  public:
    virtual ~Backend() = default;

    // The outer size of a form whose client area has the given size (twips).
    virtual Rect OuterFor(const Form& form, int clientWidth, int clientHeight) = 0;

    virtual void Show(Form& form) = 0;
    virtual void ShowModal(Form& form, Form* owner) = 0;
    // The form has been unloaded: its window and its controls' go.
    virtual void Unloaded(Form& form) = 0;
    // Shows the main window and handles events until the program ends or the
    // window is unloaded (the in-memory backend shows it and returns: the test
    // then acts as the user).
    virtual void Run(Form& main) = 0;
    virtual void ProcessPendingEvents() = 0;
    virtual void EndProgram() = 0;

    virtual int MsgBox(const std::string& text, int style, const std::string& title) = 0;
    virtual std::string BrowseForFolder(Form* owner, const std::string& title) = 0;

    virtual std::string GetSetting(const std::string& app, const std::string& section,
                                   const std::string& key, const std::string& def) = 0;
    virtual void SaveSetting(const std::string& app, const std::string& section,
                             const std::string& key, const std::string& value) = 0;

    // A control is going away: the backend drops what it knows of it.
    virtual void Forget(const Control& /*control*/) {}

    virtual PixelPoint CursorPosition() = 0;
    virtual PixelRect ScreenRect(const Control& control) = 0;
    // The work area of every monitor (the screen without the task bar), twips.
    virtual std::vector<Rect> WorkAreas() = 0;
};

// Made by the backend library that the program links.
std::unique_ptr<Backend> MakeBackend();

}  // namespace kvu::ui
