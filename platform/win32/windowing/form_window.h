// The native top-level window of a Form, with the native windows of its
// controls and its timers.
#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "platform/win32/windowing/gdi_cache.h"
#include "platform/windowing.h"

namespace kvu::ui::win32 {

class ChildWindow;
class Win32Backend;

class FormWindow : public Peer {
  public:
    // Creates the window and everything on it, hidden.
    FormWindow(Form& form, Win32Backend& backend);
    ~FormWindow() override;

    void Sync(Aspect aspect) override;

    HWND hwnd() const { return hwnd_; }
    UINT dpi() const { return dpi_; }
    Form& form() const { return form_; }
    GdiCache& gdi() { return gdi_; }
    int Px(int twips) const;
    // A control's rectangle in client pixels, without gaps between neighbours.
    RECT PixelRect(const Rect& twips) const;
    // The brush behind the controls: the form's colour or the system's.
    HBRUSH BackBrush();

    void Register(HWND child, ChildWindow* window) { children_[child] = window; }
    void Unregister(HWND child) { children_.erase(child); }
    void Register(UINT_PTR id, Timer* timer) { timers_[id] = timer; }
    void Unregister(UINT_PTR id) { timers_.erase(id); }
    UINT_PTR NextTimerId() { return nextTimerId_++; }

    // Shows the window and gives the focus to its first control.
    void ShowAndFocus();

  private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    ChildWindow* Child(HWND hwnd) const;
    void CreateControls();
    void PlaceWindow();
    void ReportBounds();
    void Paint();
    void DpiChanged(UINT dpi, const RECT& suggested);
    DWORD Style() const;

    Form& form_;
    Win32Backend& backend_;
    HWND hwnd_ = nullptr;
    UINT dpi_ = 96;
    bool placing_ = false;  // our own moves raise no events
    HWND lastFocus_ = nullptr;
    GdiCache gdi_;
    std::map<HWND, ChildWindow*> children_;
    std::map<UINT_PTR, Timer*> timers_;
    UINT_PTR nextTimerId_ = 1;
};

}  // namespace kvu::ui::win32
