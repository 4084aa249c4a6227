#include "platform/win32/windowing/child_window.h"

#include "platform/win32/wide.h"
#include "platform/win32/windowing/form_window.h"

namespace kvu::ui::win32 {

ChildWindow::ChildWindow(Control& control, FormWindow& owner) : control_(control), owner_(owner) {}

ChildWindow::~ChildWindow() {
    if (hwnd_) {
        owner_.Unregister(hwnd_);
        DestroyWindow(hwnd_);
    }
}

void ChildWindow::Create(const wchar_t* windowClass, DWORD style, DWORD exStyle) {
    static int nextId = 1000;
    hwnd_ = CreateWindowExW(exStyle, windowClass, L"", WS_CHILD | WS_CLIPSIBLINGS | style, 0, 0, 0,
                            0, owner_.hwnd(), reinterpret_cast<HMENU>(INT_PTR{nextId++}),
                            GetModuleHandleW(nullptr), nullptr);
    if (hwnd_)
        owner_.Register(hwnd_, this);
}

void ChildWindow::SyncAll() {
    for (Aspect aspect : {Aspect::kStyle, Aspect::kFont, Aspect::kGeometry, Aspect::kColumns,
                          Aspect::kItems, Aspect::kText, Aspect::kValue, Aspect::kPanels,
                          Aspect::kColours, Aspect::kEnabled, Aspect::kVisible})
        Sync(aspect);
}

void ChildWindow::Sync(Aspect aspect) {
    if (!hwnd_) {
        SyncOwn(aspect);
        return;
    }
    switch (aspect) {
        case Aspect::kGeometry:
            Place();
            break;
        case Aspect::kVisible:
            ShowWindow(hwnd_, control_.ShownVisible() ? SW_SHOWNA : SW_HIDE);
            break;
        case Aspect::kEnabled:
            EnableWindow(hwnd_, control_.ShownEnabled());
            break;
        case Aspect::kFont:
            SendMessageW(
                hwnd_, WM_SETFONT,
                reinterpret_cast<WPARAM>(owner_.gdi().FontFor(control_.GetFont(), owner_.dpi())),
                TRUE);
            SyncOwn(aspect);
            break;
        case Aspect::kColours:
            InvalidateRect(hwnd_, nullptr, TRUE);
            SyncOwn(aspect);
            break;
        default:
            SyncOwn(aspect);
            break;
    }
}

// A control inside frames shows only within them, as it would inside their
// own windows (a label larger than its frame is cut at the frame's edge).
void ChildWindow::Place() {
    RECT r = owner_.PixelRect(control_.FormGeometry());
    for (const Frame* frame = control_.frame(); frame; frame = frame->frame()) {
        RECT area = owner_.PixelRect(frame->FormGeometry());
        IntersectRect(&r, &r, &area);
    }
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

HBRUSH ChildWindow::CtlColor(HDC dc) {
    SetTextColor(dc, control_.ForeColor() ? static_cast<COLORREF>(*control_.ForeColor())
                                          : GetSysColor(COLOR_WINDOWTEXT));
    if (control_.BackColor()) {
        SetBkColor(dc, static_cast<COLORREF>(*control_.BackColor()));
        return owner_.gdi().Brush(*control_.BackColor());
    }
    SetBkMode(dc, TRANSPARENT);
    return owner_.BackBrush();
}

std::wstring ChildWindow::WindowText() const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void ChildWindow::SetText(const std::string& text) {
    SetWindowTextW(hwnd_, Utf8ToWide(text).c_str());
}

TimerPeer::TimerPeer(Timer& timer, FormWindow& owner)
    : timer_(timer), owner_(owner), id_(owner.NextTimerId()) {
    owner_.Register(id_, &timer_);
}

TimerPeer::~TimerPeer() {
    KillTimer(owner_.hwnd(), id_);
    owner_.Unregister(id_);
}

void TimerPeer::Sync(Aspect /*aspect*/) {
    if (timer_.Running())
        SetTimer(owner_.hwnd(), id_, static_cast<UINT>(timer_.Interval()), nullptr);
    else
        KillTimer(owner_.hwnd(), id_);
}

}  // namespace kvu::ui::win32
