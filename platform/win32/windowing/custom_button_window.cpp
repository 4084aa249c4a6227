// The owner-drawn button: back and border colours by state, a picture at the
// left, the text aligned as asked.
#include <windows.h>

#include "platform/win32/wide.h"
#include "platform/win32/windowing/child_window.h"
#include "platform/win32/windowing/form_window.h"

namespace kvu::ui::win32 {
namespace {

class CustomButtonWindow : public ChildWindow {
  public:
    CustomButtonWindow(CustomButton& button, FormWindow& owner)
        : ChildWindow(button, owner), button_(button) {
        Create(L"BUTTON", WS_TABSTOP | BS_OWNERDRAW);
    }
    void SyncOwn(Aspect aspect) override {
        if (aspect == Aspect::kText) {
            SetText(button_.Text());
            InvalidateRect(hwnd_, nullptr, TRUE);
        }
    }
    void Command(WORD code) override {
        if (code == BN_CLICKED && button_.ShownEnabled())
            button_.UserClick();
    }
    bool DrawItem(const DRAWITEMSTRUCT& item) override {
        const CustomButton::Look& look = button_.GetLook();
        bool disabled = item.itemState & ODS_DISABLED;
        bool focused = item.itemState & ODS_FOCUS;
        Colour back = disabled ? look.backDisabled : focused ? look.backFocused : look.backEnabled;
        Colour border = disabled  ? look.borderDisabled
                        : focused ? look.borderFocused
                                  : look.borderEnabled;
        HDC dc = item.hDC;
        RECT r = item.rcItem;
        FillRect(dc, &r, owner_.gdi().Brush(back));
        FrameRect(dc, &r, owner_.gdi().Brush(border));
        int shift = (item.itemState & ODS_SELECTED) ? 1 : 0;
        RECT text = r;
        InflateRect(&text, -owner_.Px(60), 0);
        if (button_.Picture()) {
            const Image& picture = *button_.Picture();
            int x = text.left + shift;
            int y = (r.top + r.bottom - picture.height) / 2 + shift;
            RECT frame{x - 1, y - 1, x + picture.width + 1, y + picture.height + 1};
            FillRect(dc, &frame, owner_.gdi().Brush(look.pictureBack));
            DrawImage(dc, picture, x, y);
            text.left = frame.right + owner_.Px(60);
        }
        OffsetRect(&text, shift, shift);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, disabled              ? GetSysColor(COLOR_GRAYTEXT)
                         : button_.ForeColor() ? static_cast<COLORREF>(*button_.ForeColor())
                                               : GetSysColor(COLOR_BTNTEXT));
        HGDIOBJ old = SelectObject(dc, owner_.gdi().FontFor(button_.GetFont(), owner_.dpi()));
        UINT align = look.textAlign == Align::kLeft    ? DT_LEFT
                     : look.textAlign == Align::kRight ? DT_RIGHT
                                                       : DT_CENTER;
        std::wstring caption = Utf8ToWide(button_.Text());
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                  align | DT_SINGLELINE | DT_VCENTER);
        SelectObject(dc, old);
        return true;
    }

  private:
    CustomButton& button_;
};

}  // namespace

std::unique_ptr<ChildWindow> MakeCustomButtonWindow(CustomButton& button, FormWindow& owner) {
    return std::make_unique<CustomButtonWindow>(button, owner);
}

}  // namespace kvu::ui::win32
