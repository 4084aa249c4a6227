#include "platform/win32/windowing/form_window.h"

#include "platform/win32/wide.h"
#include "platform/win32/windowing/child_window.h"
#include "platform/win32/windowing/dpi.h"
#include "platform/win32/windowing/win32_backend.h"

namespace kvu::ui::win32 {
namespace {

constexpr wchar_t kClassName[] = L"KvuForm";

void RegisterFormClass() {
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = DefWindowProcW;  // replaced per window once its object exists
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    registered = RegisterClassExW(&wc) != 0;
}

}  // namespace

FormWindow::FormWindow(Form& form, Win32Backend& backend) : form_(form), backend_(backend) {
    RegisterFormClass();
    hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, Utf8ToWide(form.Caption()).c_str(),
                            Style(), CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_)
        return;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FormWindow::Procedure));
    backend_.AddWindow(hwnd_);
    dpi_ = WindowDpi(hwnd_);
    PlaceWindow();
    CreateControls();
}

FormWindow::~FormWindow() {
    if (!hwnd_)
        return;
    backend_.RemoveWindow(hwnd_);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
}

DWORD FormWindow::Style() const {
    // Without WS_CLIPCHILDREN: the form paints the inside of group boxes.
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    return form_.Resizable() ? style | WS_THICKFRAME | WS_MAXIMIZEBOX : style;
}

int FormWindow::Px(int twips) const {
    return TwipsToPixels(twips, dpi_);
}

RECT FormWindow::PixelRect(const Rect& twips) const {
    return {Px(twips.left), Px(twips.top), Px(twips.left + twips.width),
            Px(twips.top + twips.height)};
}

HBRUSH FormWindow::BackBrush() {
    return form_.BackColor() ? gdi_.Brush(*form_.BackColor()) : GetSysColorBrush(COLOR_BTNFACE);
}

// Frames go under everything else, an outer frame under the frames it holds:
// later children lie lower, so frames are moved down last to first.
void FormWindow::CreateControls() {
    for (Control* control : form_.Controls()) {
        auto window = MakeChildWindow(*control, *this);
        ChildWindow* raw = window.get();
        control->SetPeer(std::move(window));
        raw->SyncAll();
    }
    const std::vector<Control*>& controls = form_.Controls();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        if ((*it)->kind() != Control::Kind::kFrame)
            continue;
        HWND frame = static_cast<ChildWindow*>((*it)->peer())->hwnd();
        SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    for (Timer* timer : form_.Timers()) {
        timer->SetPeer(std::make_unique<TimerPeer>(*timer, *this));
        timer->peer()->Sync(Aspect::kTimer);
    }
}

// The client area of the design size at the window's DPI; centred on the
// monitor's work area until the window has a position of its own.
void FormWindow::PlaceWindow() {
    RECT outer{0, 0, Px(form_.ClientWidth()), Px(form_.ClientHeight())};
    OuterRect(outer, Style(), WS_EX_CONTROLPARENT, dpi_);
    int width = outer.right - outer.left;
    int height = outer.bottom - outer.top;
    int left = Px(form_.Bounds().left);
    int top = Px(form_.Bounds().top);
    if (form_.Centred()) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT& work = monitor.rcWork;
        left = work.left + (work.right - work.left - width) / 2;
        top = work.top + (work.bottom - work.top - height) / 2;
    }
    placing_ = true;
    SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    placing_ = false;
}

void FormWindow::ShowAndFocus() {
    ReportBounds();
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE))
        SetFocus(first);
}

// The model learns where the window is and how big it is.
void FormWindow::ReportBounds() {
    if (IsIconic(hwnd_))
        return;
    RECT outer{};
    RECT client{};
    GetWindowRect(hwnd_, &outer);
    GetClientRect(hwnd_, &client);
    form_.UserMoved({PixelsToTwips(outer.left, dpi_), PixelsToTwips(outer.top, dpi_),
                     PixelsToTwips(outer.right - outer.left, dpi_),
                     PixelsToTwips(outer.bottom - outer.top, dpi_)},
                    PixelsToTwips(client.right, dpi_), PixelsToTwips(client.bottom, dpi_));
}

void FormWindow::Sync(Aspect aspect) {
    switch (aspect) {
        case Aspect::kText:
            SetWindowTextW(hwnd_, Utf8ToWide(form_.Caption()).c_str());
            break;
        case Aspect::kGeometry: {
            const Rect& b = form_.Bounds();
            placing_ = true;
            SetWindowPos(hwnd_, nullptr, Px(b.left), Px(b.top), Px(b.width), Px(b.height),
                         SWP_NOZORDER | SWP_NOACTIVATE);
            placing_ = false;
            break;
        }
        case Aspect::kStyle:
            SetWindowLongPtrW(hwnd_, GWL_STYLE,
                              static_cast<LONG_PTR>(Style()) |
                                  (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE));
            SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
            break;
        default:
            InvalidateRect(hwnd_, nullptr, TRUE);
            break;
    }
}

ChildWindow* FormWindow::Child(HWND hwnd) const {
    auto it = children_.find(hwnd);
    return it == children_.end() ? nullptr : it->second;
}

void FormWindow::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    for (Control* control : form_.Controls()) {
        const bool windowless =
            control->kind() == Control::Kind::kShape || control->kind() == Control::Kind::kImageBox;
        if (windowless && control->peer())
            static_cast<ChildWindow*>(control->peer())->Paint(dc);
    }
    EndPaint(hwnd_, &ps);
}

void FormWindow::DpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    placing_ = true;
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    placing_ = false;
    for (Control* control : form_.Controls()) {
        if (control->peer()) {
            control->peer()->Sync(Aspect::kFont);
            control->peer()->Sync(Aspect::kGeometry);
            control->peer()->Sync(Aspect::kColumns);
            control->peer()->Sync(Aspect::kPanels);
        }
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT CALLBACK FormWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

// An event handler may unload the form and so destroy this object: every branch
// that raises one returns at once.
LRESULT FormWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (ChildWindow* child = Child(reinterpret_cast<HWND>(lParam)))
                child->Command(HIWORD(wParam));
            return 0;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            ChildWindow* child = Child(header->hwndFrom);
            return child ? child->Notify(*header) : 0;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            ChildWindow* child = Child(item->hwndItem);
            return child && child->DrawItem(*item) ? TRUE : FALSE;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN: {
            ChildWindow* child = Child(reinterpret_cast<HWND>(lParam));
            HBRUSH brush = child ? child->CtlColor(reinterpret_cast<HDC>(wParam)) : nullptr;
            if (brush)
                return reinterpret_cast<LRESULT>(brush);
            break;
        }
        case WM_ERASEBKGND: {
            RECT r;
            GetClientRect(hwnd_, &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, BackBrush());
            return TRUE;
        }
        case WM_PAINT:
            Paint();
            return 0;
        case WM_TIMER: {
            auto it = timers_.find(wParam);
            if (it != timers_.end())
                it->second->Elapsed();
            return 0;
        }
        case WM_SIZE:
            for (const auto& [hwnd, child] : children_) {
                if (child->control().kind() == Control::Kind::kStatusBar)
                    SendMessageW(hwnd, WM_SIZE, 0, 0);
            }
            if (!placing_)
                ReportBounds();
            return 0;
        case WM_MOVE:
            if (!placing_)
                ReportBounds();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                lastFocus_ = focus && IsChild(hwnd_, focus) ? focus : nullptr;
                return 0;
            }
            if (HWND target = lastFocus_ && IsWindow(lastFocus_)
                                  ? lastFocus_
                                  : GetNextDlgTabItem(hwnd_, nullptr, FALSE)) {
                SetFocus(target);
                return 0;
            }
            break;
        case WM_DPICHANGED:
            DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE:
            form_.UserClose();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace kvu::ui::win32
