// The native side of one control: a child window of its form's window (or, for
// a shape, a rectangle the form paints).
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "platform/windowing.h"

namespace kvu::ui::win32 {

class FormWindow;

class ChildWindow : public Peer {
  public:
    ChildWindow(Control& control, FormWindow& owner);
    ~ChildWindow() override;

    // Brings every aspect of the native window up to the model.
    void SyncAll();
    void Sync(Aspect aspect) override;

    HWND hwnd() const { return hwnd_; }
    Control& control() const { return control_; }

    // Notifications from the window (WM_COMMAND codes, WM_NOTIFY). The control's
    // event may unload the form: nothing may touch this object afterwards.
    virtual void Command(WORD /*code*/) {}
    virtual LRESULT Notify(NMHDR& /*header*/) { return 0; }
    // Colours for WM_CTLCOLOR...: nullptr leaves them to the system.
    virtual HBRUSH CtlColor(HDC dc);
    virtual bool DrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
    // Drawing of windowless controls on the form's surface.
    virtual void Paint(HDC /*dc*/) {}

  protected:
    void Create(const wchar_t* windowClass, DWORD style, DWORD exStyle = 0);
    virtual void SyncOwn(Aspect /*aspect*/) {}
    virtual void Place();
    std::wstring WindowText() const;
    void SetText(const std::string& text);

    Control& control_;
    FormWindow& owner_;
    HWND hwnd_ = nullptr;
};

std::unique_ptr<ChildWindow> MakeChildWindow(Control& control, FormWindow& owner);

// Child windows of the two richer kinds.
std::unique_ptr<ChildWindow> MakeListViewWindow(ListView& list, FormWindow& owner);
std::unique_ptr<ChildWindow> MakeCustomButtonWindow(CustomButton& button, FormWindow& owner);

// The native side of a timer: a system timer on the form's window.
class TimerPeer : public Peer {
  public:
    TimerPeer(Timer& timer, FormWindow& owner);
    ~TimerPeer() override;
    void Sync(Aspect aspect) override;

  private:
    Timer& timer_;
    FormWindow& owner_;
    UINT_PTR id_;
};

}  // namespace kvu::ui::win32
