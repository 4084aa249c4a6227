// The base of every control: name, geometry, visibility, font and colours.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/windowing/backend.h"
#include "platform/windowing/types.h"

namespace kvu::ui {

class Form;
class Frame;

// Where a control is placed: straight on a form, or inside a frame of it
// (geometry is then relative to the frame).
struct Parent {
    Parent(Form& f) : form(&f) {}  // NOLINT: implicit by design
    Parent(Frame& f);              // NOLINT
    Form* form;
    Frame* frame = nullptr;
};

class Control {
  public:
    enum class Kind {
        kLabel,
        kFrame,
        kTextBox,
        kComboBox,
        kCheckBox,
        kButton,
        kListView,
        kProgressBar,
        kStatusBar,
        kShape,
        kCustomButton,
        kImageBox,
    };

    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    Kind kind() const { return kind_; }
    const std::string& Name() const { return name_; }
    Form& form() const { return *form_; }
    Frame* frame() const { return frame_; }

    // Relative to the container (form or frame), in twips.
    const Rect& Geometry() const { return geometry_; }
    void Move(const Rect& geometry);
    // Relative to the form's client area.
    Rect FormGeometry() const;

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // Whether the control shows as visible: it and every frame around it.
    bool ShownVisible() const;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Whether the user can act on it: it and every frame around it enabled.
    bool ShownEnabled() const;
    // Whether the user can give it the keyboard focus.
    virtual bool TakesFocus() const { return false; }

    // The control's own font, or the form's.
    const Font& GetFont() const;
    void SetFont(const Font& font);
    std::optional<Colour> ForeColor() const { return foreColor_; }
    void SetForeColor(Colour colour);
    // nullopt: the system's colour for the kind of control.
    std::optional<Colour> BackColor() const { return backColor_; }
    void SetBackColor(Colour colour);

    // Where the control is on the screen, in pixels.
    PixelRect ScreenRect() const;

    // For backends: the native side of the control.
    void SetPeer(std::unique_ptr<Peer> peer) { peer_ = std::move(peer); }
    Peer* peer() const { return peer_.get(); }

  protected:
    Control(Kind kind, Parent parent, std::string name, const Rect& geometry);
    void Sync(Aspect aspect) {
        if (peer_)
            peer_->Sync(aspect);
    }

  private:
    Kind kind_;
    Form* form_;
    Frame* frame_;
    std::string name_;
    Rect geometry_;
    bool visible_ = true;
    bool enabled_ = true;
    std::optional<Font> font_;
    std::optional<Colour> foreColor_;
    std::optional<Colour> backColor_;
    std::unique_ptr<Peer> peer_;
};

}  // namespace kvu::ui
