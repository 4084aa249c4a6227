#include "platform/win32/windowing/win32_backend.h"

#include <commctrl.h>
#include <objbase.h>

#include "platform/win32/wide.h"
#include "platform/win32/windowing/child_window.h"
#include "platform/win32/windowing/dpi.h"
#include "platform/win32/windowing/form_window.h"

namespace kvu::ui::win32 {

Win32Backend::Win32Backend() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES |
                                                       ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    // The folder picker needs COM on this thread.
    comInitialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

Win32Backend::~Win32Backend() {
    if (comInitialised_)
        CoUninitialize();
}

Rect Win32Backend::OuterFor(const Form& form, int clientWidth, int clientHeight) {
    UINT dpi = SystemDpi();
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    if (form.Resizable())
        style |= WS_THICKFRAME | WS_MAXIMIZEBOX;
    RECT r{0, 0, TwipsToPixels(clientWidth, dpi), TwipsToPixels(clientHeight, dpi)};
    OuterRect(r, style, WS_EX_CONTROLPARENT, dpi);
    Rect bounds = form.Bounds();
    bounds.width =
        clientWidth + PixelsToTwips(r.right - r.left - TwipsToPixels(clientWidth, dpi), dpi);
    bounds.height =
        clientHeight + PixelsToTwips(r.bottom - r.top - TwipsToPixels(clientHeight, dpi), dpi);
    return bounds;
}

void Win32Backend::Realize(Form& form) {
    if (!form.peer())
        form.SetPeer(std::make_unique<FormWindow>(form, *this));
}

void Win32Backend::Show(Form& form) {
    Realize(form);
    form.MarkShown(false);
    static_cast<FormWindow*>(form.peer())->ShowAndFocus();
}

void Win32Backend::ShowModal(Form& form, Form* owner) {
    Realize(form);
    form.MarkShown(true);
    HWND ownerWindow =
        owner && owner->peer() ? static_cast<FormWindow*>(owner->peer())->hwnd() : nullptr;
    auto* window = static_cast<FormWindow*>(form.peer());
    if (ownerWindow) {
        SetWindowLongPtrW(window->hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerWindow));
        EnableWindow(ownerWindow, FALSE);
    }
    window->ShowAndFocus();
    while (!form.Unloaded() && PumpOne()) {
    }
    if (ownerWindow && IsWindow(ownerWindow)) {
        EnableWindow(ownerWindow, TRUE);
        SetActiveWindow(ownerWindow);
    }
}

// The owner is enabled again before the modal window goes, so that the system
// gives the activation back to it rather than to another program.
void Win32Backend::Unloaded(Form& form) {
    if (!form.peer())
        return;
    HWND window = static_cast<FormWindow*>(form.peer())->hwnd();
    if (HWND owner = GetWindow(window, GW_OWNER))
        EnableWindow(owner, TRUE);
    for (Timer* timer : form.Timers())
        timer->SetPeer(nullptr);
    for (Control* control : form.Controls())
        control->SetPeer(nullptr);
    form.SetPeer(nullptr);
}

void Win32Backend::Run(Form& main) {
    Show(main);
    while (!main.Unloaded() && PumpOne()) {
    }
}

bool Win32Backend::PumpOne() {
    if (ended_)
        return false;
    MSG msg;
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
        ended_ = true;
        return false;
    }
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (root && windows_.count(root) && IsDialogMessageW(root, &msg))
        return !ended_;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return !ended_;
}

void Win32Backend::ProcessPendingEvents() {
    MSG msg;
    while (!ended_ && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ended_ = true;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Win32Backend::EndProgram() {
    ended_ = true;
    PostQuitMessage(0);
}

HWND Win32Backend::ActiveOwnWindow() const {
    HWND active = GetActiveWindow();
    return active && windows_.count(active) && IsWindowEnabled(active) ? active : nullptr;
}

int Win32Backend::MsgBox(const std::string& text, int style, const std::string& title) {
    HWND owner = ActiveOwnWindow();
    UINT flags = static_cast<UINT>(style) | (owner ? MB_APPLMODAL : MB_TASKMODAL);
    return MessageBoxW(owner, Utf8ToWide(text).c_str(), Utf8ToWide(title).c_str(), flags);
}

PixelPoint Win32Backend::CursorPosition() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

PixelRect Win32Backend::ScreenRect(const Control& control) {
    RECT r{};
    const auto* form = static_cast<const FormWindow*>(control.form().peer());
    if (!form)
        return {};
    if (auto* child = dynamic_cast<const ChildWindow*>(control.peer()); child && child->hwnd()) {
        GetWindowRect(child->hwnd(), &r);
    } else {
        r = form->PixelRect(control.FormGeometry());
        MapWindowPoints(form->hwnd(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    }
    return {r.left, r.top, r.right, r.bottom};
}

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& r = info.rcWork;
        UINT dpi = SystemDpi();
        reinterpret_cast<std::vector<Rect>*>(areas)->push_back(
            {PixelsToTwips(r.left, dpi), PixelsToTwips(r.top, dpi),
             PixelsToTwips(r.right - r.left, dpi), PixelsToTwips(r.bottom - r.top, dpi)});
    }
    return TRUE;
}

std::vector<Rect> Win32Backend::WorkAreas() {
    std::vector<Rect> areas;
    EnumDisplayMonitors(nullptr, nullptr, &AddWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

}  // namespace kvu::ui::win32

namespace kvu::ui {

std::unique_ptr<Backend> MakeBackend() {
    return std::make_unique<win32::Win32Backend>();
}

}  // namespace kvu::ui
