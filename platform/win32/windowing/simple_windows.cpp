// Native windows of the simple controls.
#include <windows.h>

#include <commctrl.h>

#include <cmath>
#include <vector>

#include "platform/win32/wide.h"
#include "platform/win32/windowing/child_window.h"
#include "platform/win32/windowing/form_window.h"

namespace kvu::ui::win32 {
namespace {

DWORD StaticAlign(Align align) {
    return align == Align::kCentre ? SS_CENTER : align == Align::kRight ? SS_RIGHT : SS_LEFT;
}

class LabelWindow : public ChildWindow {
  public:
    LabelWindow(Label& label, FormWindow& owner) : ChildWindow(label, owner), label_(label) {
        Create(L"STATIC", SS_NOPREFIX | SS_NOTIFY | StaticAlign(label.Alignment()));
    }
    void SyncOwn(Aspect aspect) override {
        if (aspect == Aspect::kText)
            SetText(label_.Caption());
        if (aspect == Aspect::kStyle) {
            LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE) & ~LONG_PTR{SS_TYPEMASK};
            SetWindowLongPtrW(hwnd_, GWL_STYLE, style | StaticAlign(label_.Alignment()));
            InvalidateRect(hwnd_, nullptr, TRUE);
        }
    }
    void Command(WORD code) override {
        if ((code == STN_CLICKED || code == STN_DBLCLK) && label_.ShownEnabled())
            label_.UserClick();
    }

  private:
    Label& label_;
};

// A frame with a border is a group box; one without is an empty static area.
// The form puts either under the other controls.
class FrameWindow : public ChildWindow {
  public:
    FrameWindow(Frame& frame, FormWindow& owner) : ChildWindow(frame, owner), frame_(frame) {
        if (frame.Border())
            Create(L"BUTTON", BS_GROUPBOX);
        else
            Create(L"STATIC", SS_NOPREFIX);
    }
    void SyncOwn(Aspect aspect) override {
        if (aspect == Aspect::kText && frame_.Border())
            SetText(frame_.Caption());
    }

  private:
    Frame& frame_;
};

class EditWindow : public ChildWindow {
  public:
    EditWindow(TextBox& box, FormWindow& owner) : ChildWindow(box, owner), box_(box) {
        Create(L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
    }
    void SyncOwn(Aspect aspect) override {
        // Text the window already shows (the user typed it) is not set again,
        // which would move the caret.
        if (aspect == Aspect::kText && WideToUtf8(WindowText()) != box_.Text())
            SetText(box_.Text());
        if (aspect == Aspect::kStyle)
            SendMessageW(hwnd_, EM_SETREADONLY, box_.Locked(), 0);
    }
    void Command(WORD code) override {
        // The change made by setting the model's text finds it unchanged.
        if (code == EN_CHANGE) {
            box_.SetText(WideToUtf8(WindowText()));
        } else if (code == EN_KILLFOCUS) {
            box_.UserLostFocus();
        }
    }
    HBRUSH CtlColor(HDC dc) override {
        if (!box_.BackColor() && !box_.ForeColor())
            return nullptr;
        SetTextColor(dc, box_.ForeColor() ? static_cast<COLORREF>(*box_.ForeColor())
                                          : GetSysColor(COLOR_WINDOWTEXT));
        Colour back = box_.BackColor() ? *box_.BackColor() : GetSysColor(COLOR_WINDOW);
        SetBkColor(dc, static_cast<COLORREF>(back));
        return owner_.gdi().Brush(back);
    }

  private:
    TextBox& box_;
};

class ComboWindow : public ChildWindow {
  public:
    ComboWindow(ComboBox& box, FormWindow& owner) : ChildWindow(box, owner), box_(box) {
        Create(L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST);
    }
    void SyncOwn(Aspect aspect) override {
        if (aspect == Aspect::kItems) {
            SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
            for (const ComboBox::Entry& entry : box_.Entries()) {
                SendMessageW(hwnd_, CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(Utf8ToWide(entry.text).c_str()));
            }
        }
        if (aspect == Aspect::kItems || aspect == Aspect::kValue)
            SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(box_.ListIndex()), 0);
    }
    void Command(WORD code) override {
        if (code == CBN_SELCHANGE) {
            auto index = static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0));
            if (index >= -1 && index < box_.ItemCount())
                box_.SetListIndex(index);
        }
    }

  protected:
    // The window's height includes its drop-down list.
    void Place() override {
        RECT r = owner_.PixelRect(control_.FormGeometry());
        SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left,
                     r.bottom - r.top + owner_.Px(3000), SWP_NOZORDER | SWP_NOACTIVATE);
    }

  private:
    ComboBox& box_;
};

// The model decides the new value of a click; the window only shows it.
class CheckWindow : public ChildWindow {
  public:
    CheckWindow(CheckBox& box, FormWindow& owner) : ChildWindow(box, owner), box_(box) {
        Create(L"BUTTON", WS_TABSTOP | BS_3STATE);
    }
    void SyncOwn(Aspect aspect) override {
        if (aspect == Aspect::kText)
            SetText(box_.Caption());
        if (aspect == Aspect::kValue) {
            WPARAM state = box_.Value() == CheckBox::kChecked  ? BST_CHECKED
                           : box_.Value() == CheckBox::kGrayed ? BST_INDETERMINATE
                                                               : BST_UNCHECKED;
            SendMessageW(hwnd_, BM_SETCHECK, state, 0);
        }
    }
    void Command(WORD code) override {
        if (code == BN_CLICKED && box_.ShownEnabled())
            box_.UserClick();
    }

  private:
    CheckBox& box_;
};

class ButtonWindow : public ChildWindow {
  public:
    ButtonWindow(Button& button, FormWindow& owner) : ChildWindow(button, owner), button_(button) {
        Create(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON);
    }
    void SyncOwn(Aspect aspect) override {
        if (aspect == Aspect::kText)
            SetText(button_.Caption());
    }
    void Command(WORD code) override {
        if (code == BN_CLICKED && button_.ShownEnabled())
            button_.UserClick();
    }

  private:
    Button& button_;
};

class ProgressWindow : public ChildWindow {
  public:
    ProgressWindow(ProgressBar& bar, FormWindow& owner) : ChildWindow(bar, owner), bar_(bar) {
        Create(PROGRESS_CLASSW, 0);
    }
    void SyncOwn(Aspect aspect) override {
        if (aspect != Aspect::kValue)
            return;
        SendMessageW(hwnd_, PBM_SETRANGE32, static_cast<WPARAM>(std::lround(bar_.Min())),
                     static_cast<LPARAM>(std::lround(bar_.Max())));
        SendMessageW(hwnd_, PBM_SETPOS, static_cast<WPARAM>(std::lround(bar_.Value())), 0);
    }

  private:
    ProgressBar& bar_;
};

// Docked at the bottom of the window: it places itself.
class StatusWindow : public ChildWindow {
  public:
    StatusWindow(StatusBar& bar, FormWindow& owner) : ChildWindow(bar, owner), bar_(bar) {
        Create(STATUSCLASSNAMEW, owner.form().Resizable() ? SBARS_SIZEGRIP : 0);
    }
    void SyncOwn(Aspect aspect) override {
        if (aspect != Aspect::kPanels && aspect != Aspect::kFont)
            return;
        std::vector<int> edges;
        int right = 0;
        for (const StatusBar::Panel& panel : bar_.Panels()) {
            right += owner_.Px(panel.width);
            edges.push_back(right);
        }
        if (!edges.empty())
            edges.back() = -1;  // the last panel takes the rest
        SendMessageW(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
        for (std::size_t i = 0; i < bar_.Panels().size(); ++i) {
            SendMessageW(hwnd_, SB_SETTEXTW, i,
                         reinterpret_cast<LPARAM>(Utf8ToWide(bar_.Panels()[i].text).c_str()));
        }
    }

  protected:
    void Place() override { SendMessageW(hwnd_, WM_SIZE, 0, 0); }

  private:
    StatusBar& bar_;
};

// Painted by the form, behind its controls.
class ShapePeer : public ChildWindow {
  public:
    ShapePeer(Shape& shape, FormWindow& owner) : ChildWindow(shape, owner), shape_(shape) {}
    void SyncOwn(Aspect /*aspect*/) override { InvalidateRect(owner_.hwnd(), nullptr, TRUE); }
    void Paint(HDC dc) override {
        if (!shape_.ShownVisible())
            return;
        RECT r = owner_.PixelRect(shape_.FormGeometry());
        if (shape_.FillColour())
            FillRect(dc, &r, owner_.gdi().Brush(*shape_.FillColour()));
        FrameRect(dc, &r, owner_.gdi().Brush(shape_.BorderColour()));
    }

  private:
    Shape& shape_;
};

// Painted by the form, behind its controls, like a shape.
class ImagePeer : public ChildWindow {
  public:
    ImagePeer(ImageBox& box, FormWindow& owner) : ChildWindow(box, owner), box_(box) {}
    void SyncOwn(Aspect /*aspect*/) override { InvalidateRect(owner_.hwnd(), nullptr, TRUE); }
    void Paint(HDC dc) override {
        if (!box_.ShownVisible())
            return;
        RECT r = owner_.PixelRect(box_.FormGeometry());
        DrawImage(dc, box_.Picture(), r.left, r.top);
    }

  private:
    ImageBox& box_;
};

}  // namespace

std::unique_ptr<ChildWindow> MakeChildWindow(Control& control, FormWindow& owner) {
    switch (control.kind()) {
        case Control::Kind::kLabel:
            return std::make_unique<LabelWindow>(static_cast<Label&>(control), owner);
        case Control::Kind::kFrame:
            return std::make_unique<FrameWindow>(static_cast<Frame&>(control), owner);
        case Control::Kind::kTextBox:
            return std::make_unique<EditWindow>(static_cast<TextBox&>(control), owner);
        case Control::Kind::kComboBox:
            return std::make_unique<ComboWindow>(static_cast<ComboBox&>(control), owner);
        case Control::Kind::kCheckBox:
            return std::make_unique<CheckWindow>(static_cast<CheckBox&>(control), owner);
        case Control::Kind::kButton:
            return std::make_unique<ButtonWindow>(static_cast<Button&>(control), owner);
        case Control::Kind::kProgressBar:
            return std::make_unique<ProgressWindow>(static_cast<ProgressBar&>(control), owner);
        case Control::Kind::kStatusBar:
            return std::make_unique<StatusWindow>(static_cast<StatusBar&>(control), owner);
        case Control::Kind::kShape:
            return std::make_unique<ShapePeer>(static_cast<Shape&>(control), owner);
        case Control::Kind::kListView:
            return MakeListViewWindow(static_cast<ListView&>(control), owner);
        case Control::Kind::kCustomButton:
            return MakeCustomButtonWindow(static_cast<CustomButton&>(control), owner);
        case Control::Kind::kImageBox:
            return std::make_unique<ImagePeer>(static_cast<ImageBox&>(control), owner);
    }
    return nullptr;
}

}  // namespace kvu::ui::win32
