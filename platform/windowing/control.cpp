#include "platform/windowing/control.h"

#include "platform/windowing/controls.h"
#include "platform/windowing/form.h"
#include "platform/windowing/session.h"

namespace kvu::ui {

Parent::Parent(Frame& f) : form(&f.form()), frame(&f) {}

Control::Control(Kind kind, Parent parent, std::string name, const Rect& geometry)
    : kind_(kind),
      form_(parent.form),
      frame_(parent.frame),
      name_(std::move(name)),
      geometry_(geometry) {
    form_->Add(this);
}

Control::~Control() {
    peer_.reset();
    form_->session().backend().Forget(*this);
    form_->Remove(this);
}

void Control::Move(const Rect& geometry) {
    if (geometry == geometry_)
        return;
    geometry_ = geometry;
    Sync(Aspect::kGeometry);
    if (kind_ == Kind::kFrame) {
        for (Control* child : form_->ChildrenOf(static_cast<const Frame&>(*this)))
            child->Sync(Aspect::kGeometry);
    }
}

Rect Control::FormGeometry() const {
    Rect r = geometry_;
    for (const Frame* f = frame_; f; f = f->frame()) {
        r.left += f->Geometry().left;
        r.top += f->Geometry().top;
    }
    return r;
}

void Control::SetVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    Sync(Aspect::kVisible);
    if (kind_ == Kind::kFrame) {
        for (Control* child : form_->ChildrenOf(static_cast<const Frame&>(*this)))
            child->Sync(Aspect::kVisible);
    }
}

bool Control::ShownVisible() const {
    return visible_ && (!frame_ || frame_->ShownVisible());
}

void Control::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    Sync(Aspect::kEnabled);
    if (kind_ == Kind::kFrame) {
        for (Control* child : form_->ChildrenOf(static_cast<const Frame&>(*this)))
            child->Sync(Aspect::kEnabled);
    }
}

bool Control::ShownEnabled() const {
    return enabled_ && (!frame_ || frame_->ShownEnabled());
}

const Font& Control::GetFont() const {
    return font_ ? *font_ : form_->GetFont();
}

void Control::SetFont(const Font& font) {
    font_ = font;
    Sync(Aspect::kFont);
}

void Control::SetForeColor(Colour colour) {
    foreColor_ = colour;
    Sync(Aspect::kColours);
}

void Control::SetBackColor(Colour colour) {
    backColor_ = colour;
    Sync(Aspect::kColours);
}

PixelRect Control::ScreenRect() const {
    return form_->session().backend().ScreenRect(*this);
}

}  // namespace kvu::ui
