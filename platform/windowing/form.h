// A top-level window holding controls and timers. Window classes derive from it
// and wire their controls' events to their own handlers.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/windowing/backend.h"
#include "platform/windowing/types.h"

namespace kvu::ui {

class Control;
class Frame;
class Session;
class Timer;

class Form {
  public:
    // clientWidth and clientHeight: the design size of the client area, twips.
    Form(Session& session, std::string name, std::string caption, int clientWidth,
         int clientHeight);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    Session& session() const { return *session_; }
    const std::string& Name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    // The outer rectangle (frame and title included), twips, screen position.
    const Rect& Bounds() const { return bounds_; }
    void Move(const Rect& bounds);
    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }
    // Until the first Move the window opens centred on the screen.
    bool Centred() const { return centred_; }

    bool Resizable() const { return resizable_; }
    void SetResizable(bool resizable);
    const Font& GetFont() const { return font_; }
    void SetFont(const Font& font) { font_ = font; }  // before the controls are shown
    std::optional<Colour> BackColor() const { return backColor_; }
    void SetBackColor(Colour colour);

    // Shown: between Show/ShowModal and Unload.
    bool Shown() const { return shown_; }
    bool Modal() const { return modal_; }
    // Closes the window: onUnload runs, then it is gone from the screen.
    void Unload();
    bool Unloaded() const { return unloaded_; }

    std::function<void()> onResize;
    std::function<void()> onUnload;

    const std::vector<Control*>& Controls() const { return controls_; }
    const std::vector<Timer*>& Timers() const { return timers_; }
    Control* FindControl(const std::string& name) const;
    Timer* FindTimer(const std::string& name) const;
    // Controls placed inside that frame, at any depth.
    std::vector<Control*> ChildrenOf(const Frame& frame) const;

    // For backends.
    void SetPeer(std::unique_ptr<Peer> peer) { peer_ = std::move(peer); }
    Peer* peer() const { return peer_.get(); }
    void MarkShown(bool modal);
    // The user moved or resized the window (twips); raises onResize on a new size.
    void UserMoved(const Rect& bounds, int clientWidth, int clientHeight);
    // The user closed the window with its close box.
    void UserClose() { Unload(); }
    // Called by the controls and timers as they come and go.
    void Add(Control* control) { controls_.push_back(control); }
    void Remove(Control* control);
    void Add(Timer* timer) { timers_.push_back(timer); }
    void Remove(Timer* timer);

  private:
    void Sync(Aspect aspect) {
        if (peer_)
            peer_->Sync(aspect);
    }

    Session* session_;
    std::string name_;
    std::string caption_;
    int clientWidth_;
    int clientHeight_;
    Rect bounds_;
    bool centred_ = true;
    bool resizable_ = false;
    Font font_;
    std::optional<Colour> backColor_;
    bool shown_ = false;
    bool modal_ = false;
    bool unloaded_ = false;
    std::vector<Control*> controls_;
    std::vector<Timer*> timers_;
    std::unique_ptr<Peer> peer_;
};

}  // namespace kvu::ui
