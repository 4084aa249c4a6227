#include "platform/windowing/form.h"

#include <algorithm>

#include "platform/windowing/controls.h"
#include "platform/windowing/session.h"

namespace kvu::ui {

Form::Form(Session& session, std::string name, std::string caption, int clientWidth,
           int clientHeight)
    : session_(&session),
      name_(std::move(name)),
      caption_(std::move(caption)),
      clientWidth_(clientWidth),
      clientHeight_(clientHeight) {
    bounds_ = session_->backend().OuterFor(*this, clientWidth, clientHeight);
}

Form::~Form() {
    if (shown_ && !unloaded_) {
        unloaded_ = true;
        shown_ = false;
        session_->backend().Unloaded(*this);
    }
    peer_.reset();
}

void Form::SetCaption(const std::string& caption) {
    caption_ = caption;
    Sync(Aspect::kText);
}

void Form::Move(const Rect& bounds) {
    centred_ = false;
    Rect old = bounds_;
    bounds_ = bounds;
    Rect client = session_->backend().OuterFor(*this, 0, 0);  // the frame alone
    clientWidth_ = std::max(0, bounds.width - client.width);
    clientHeight_ = std::max(0, bounds.height - client.height);
    Sync(Aspect::kGeometry);
    if ((old.width != bounds.width || old.height != bounds.height) && onResize)
        onResize();
}

void Form::SetResizable(bool resizable) {
    resizable_ = resizable;
    bounds_ = session_->backend().OuterFor(*this, clientWidth_, clientHeight_);
    Sync(Aspect::kStyle);
}

void Form::SetBackColor(Colour colour) {
    backColor_ = colour;
    Sync(Aspect::kColours);
}

void Form::Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    if (onUnload)
        onUnload();
    if (shown_) {
        shown_ = false;
        session_->backend().Unloaded(*this);
    }
}

void Form::MarkShown(bool modal) {
    shown_ = true;
    modal_ = modal;
    unloaded_ = false;
}

void Form::UserMoved(const Rect& bounds, int clientWidth, int clientHeight) {
    centred_ = false;
    bool resized = bounds.width != bounds_.width || bounds.height != bounds_.height;
    bounds_ = bounds;
    clientWidth_ = clientWidth;
    clientHeight_ = clientHeight;
    if (resized && onResize)
        onResize();
}

Control* Form::FindControl(const std::string& name) const {
    auto it = std::find_if(controls_.begin(), controls_.end(),
                           [&](const Control* c) { return c->Name() == name; });
    return it == controls_.end() ? nullptr : *it;
}

Timer* Form::FindTimer(const std::string& name) const {
    auto it = std::find_if(timers_.begin(), timers_.end(),
                           [&](const Timer* t) { return t->Name() == name; });
    return it == timers_.end() ? nullptr : *it;
}

std::vector<Control*> Form::ChildrenOf(const Frame& frame) const {
    std::vector<Control*> children;
    for (Control* control : controls_) {
        for (const Frame* f = control->frame(); f; f = f->frame()) {
            if (f == &frame) {
                children.push_back(control);
                break;
            }
        }
    }
    return children;
}

void Form::Remove(Control* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

void Form::Remove(Timer* timer) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end());
}

}  // namespace kvu::ui
