// The simple controls: labels, frames, text boxes, drop-down lists, check boxes,
// buttons, progress and status bars, shapes, pictures and the owner-drawn
// button.
//
// Setting a value from code raises the same event as the user's change would
// (a text box's change, a check box's or a drop-down list's click), but only
// when the value really changes. The User... members are what a backend calls
// when the user acts.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/windowing/control.h"

namespace kvu::ui {

class Label : public Control {
  public:
    Label(Parent parent, std::string name, const Rect& geometry, std::string caption = {});
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    Align Alignment() const { return align_; }
    void SetAlignment(Align align);

    std::function<void()> onClick;
    void UserClick();

  private:
    std::string caption_;
    Align align_ = Align::kLeft;
};

// Groups controls; with a border it draws a titled box, without one it is an
// invisible area (used for hover tests).
class Frame : public Control {
  public:
    Frame(Parent parent, std::string name, const Rect& geometry, std::string caption = {});
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool Border() const { return border_; }
    void SetBorder(bool border);

  private:
    std::string caption_;
    bool border_ = true;
};

class TextBox : public Control {
  public:
    TextBox(Parent parent, std::string name, const Rect& geometry);
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    // Read-only for the user; code can still set the text.
    bool Locked() const { return locked_; }
    void SetLocked(bool locked);
    bool TakesFocus() const override { return true; }

    std::function<void()> onChange;
    std::function<void()> onLostFocus;
    void UserLostFocus();

  private:
    std::string text_;
    bool locked_ = false;
};

// A drop-down list: the user picks one entry, each with a number stored beside it.
class ComboBox : public Control {
  public:
    struct Entry {
        std::string text;
        long data = 0;
        bool operator==(const Entry&) const = default;
        friend std::ostream& operator<<(std::ostream& out, const Entry& e) {
            return out << '"' << e.text << "\" " << e.data;
        }
    };

    ComboBox(Parent parent, std::string name, const Rect& geometry);
    void Clear();
    void AddItem(const std::string& text, long data = 0);
    int ItemCount() const { return static_cast<int>(entries_.size()); }
    const std::vector<Entry>& Entries() const { return entries_; }
    // The selected entry, 0-based; -1 when none is selected.
    int ListIndex() const { return listIndex_; }
    void SetListIndex(int index);
    bool TakesFocus() const override { return true; }

    std::function<void()> onClick;

  private:
    std::vector<Entry> entries_;
    int listIndex_ = -1;
};

class CheckBox : public Control {
  public:
    static constexpr int kUnchecked = 0;
    static constexpr int kChecked = 1;
    static constexpr int kGrayed = 2;

    CheckBox(Parent parent, std::string name, const Rect& geometry, std::string caption);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    int Value() const { return value_; }
    void SetValue(int value);
    bool TakesFocus() const override { return true; }

    std::function<void()> onClick;
    // The user's click: checked becomes unchecked, anything else checked.
    void UserClick();

  private:
    std::string caption_;
    int value_ = kUnchecked;
};

// A push button; "&" in the caption marks the access key.
class Button : public Control {
  public:
    Button(Parent parent, std::string name, const Rect& geometry, std::string caption);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool TakesFocus() const override { return true; }

    std::function<void()> onClick;
    void UserClick();

  private:
    std::string caption_;
};

class ProgressBar : public Control {
  public:
    ProgressBar(Parent parent, std::string name, const Rect& geometry);
    double Min() const { return min_; }
    double Max() const { return max_; }
    double Value() const { return value_; }
    // The value always stays inside the range.
    void SetRange(double min, double max);
    void SetMax(double max) { SetRange(min_, max); }
    void SetValue(double value);

  private:
    double min_ = 0;
    double max_ = 100;
    double value_ = 0;
};

// Docked at the bottom of its form; panels side by side, the last one takes the
// rest of the width.
class StatusBar : public Control {
  public:
    struct Panel {
        std::string text;
        int width = 0;  // twips
        bool operator==(const Panel&) const = default;
    };

    StatusBar(Parent parent, std::string name, std::vector<int> panelWidths);
    int PanelCount() const { return static_cast<int>(panels_.size()); }
    const std::vector<Panel>& Panels() const { return panels_; }
    const std::string& PanelText(int index) const;  // 0-based
    void SetPanelText(int index, const std::string& text);

  private:
    std::vector<Panel> panels_;
};

// A rectangle drawn on the form, behind the controls.
class Shape : public Control {
  public:
    Shape(Parent parent, std::string name, const Rect& geometry);
    std::optional<Colour> FillColour() const { return fill_; }  // nullopt: not filled
    void SetFillColour(std::optional<Colour> fill);
    Colour BorderColour() const { return border_; }
    void SetBorderColour(Colour border);

  private:
    std::optional<Colour> fill_;
    Colour border_ = 0;
};

// A picture drawn on the form, behind the controls, at its top-left corner.
class ImageBox : public Control {
  public:
    ImageBox(Parent parent, std::string name, const Rect& geometry);
    const Image& Picture() const { return picture_; }
    void SetPicture(Image picture);

  private:
    Image picture_;
};

// A button that draws itself: colours for each state, a text and a picture.
class CustomButton : public Control {
  public:
    struct Look {
        Colour backFocused = RgbColour(226, 254, 192);
        Colour backEnabled = RgbColour(255, 255, 241);
        Colour backDisabled = RgbColour(255, 224, 192);
        Colour pictureBack = RgbColour(249, 245, 230);
        Colour borderFocused = RgbColour(192, 192, 192);
        Colour borderEnabled = RgbColour(224, 224, 224);
        Colour borderDisabled = RgbColour(255, 192, 128);
        Align textAlign = Align::kCentre;
        bool operator==(const Look&) const = default;
    };

    CustomButton(Parent parent, std::string name, const Rect& geometry, std::string text);
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    const Look& GetLook() const { return look_; }
    void SetLook(const Look& look);
    const std::optional<Image>& Picture() const { return picture_; }
    void SetPicture(std::optional<Image> picture);
    bool TakesFocus() const override { return true; }

    std::function<void()> onClick;
    void UserClick();

  private:
    std::string text_;
    Look look_;
    std::optional<Image> picture_;
};

// Raises onTimer every Interval() milliseconds while enabled; interval 0 stops it.
class Timer {
  public:
    Timer(Form& form, std::string name, int intervalMs, bool enabled = true);
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    ~Timer();

    const std::string& Name() const { return name_; }
    Form& form() const { return *form_; }
    int Interval() const { return interval_; }
    void SetInterval(int intervalMs);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Running() const { return enabled_ && interval_ > 0; }

    std::function<void()> onTimer;
    // One period has passed: raises onTimer when the timer is running.
    void Elapsed();

    void SetPeer(std::unique_ptr<Peer> peer) { peer_ = std::move(peer); }
    Peer* peer() const { return peer_.get(); }

  private:
    Form* form_;
    std::string name_;
    int interval_;
    bool enabled_;
    std::unique_ptr<Peer> peer_;
};

}  // namespace kvu::ui
