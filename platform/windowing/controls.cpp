#include "platform/windowing/controls.h"

#include <algorithm>
#include <stdexcept>

#include "platform/windowing/form.h"

namespace kvu::ui {

Label::Label(Parent parent, std::string name, const Rect& geometry, std::string caption)
    : Control(Kind::kLabel, parent, std::move(name), geometry), caption_(std::move(caption)) {}

void Label::SetCaption(const std::string& caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    Sync(Aspect::kText);
}

void Label::SetAlignment(Align align) {
    align_ = align;
    Sync(Aspect::kStyle);
}

void Label::UserClick() {
    if (onClick)
        onClick();
}

Frame::Frame(Parent parent, std::string name, const Rect& geometry, std::string caption)
    : Control(Kind::kFrame, parent, std::move(name), geometry), caption_(std::move(caption)) {}

void Frame::SetCaption(const std::string& caption) {
    caption_ = caption;
    Sync(Aspect::kText);
}

void Frame::SetBorder(bool border) {
    border_ = border;
    Sync(Aspect::kStyle);
}

TextBox::TextBox(Parent parent, std::string name, const Rect& geometry)
    : Control(Kind::kTextBox, parent, std::move(name), geometry) {}

void TextBox::SetText(const std::string& text) {
    if (text == text_)
        return;
    text_ = text;
    Sync(Aspect::kText);
    if (onChange)
        onChange();
}

void TextBox::SetLocked(bool locked) {
    locked_ = locked;
    Sync(Aspect::kStyle);
}

void TextBox::UserLostFocus() {
    if (onLostFocus)
        onLostFocus();
}

ComboBox::ComboBox(Parent parent, std::string name, const Rect& geometry)
    : Control(Kind::kComboBox, parent, std::move(name), geometry) {}

void ComboBox::Clear() {
    entries_.clear();
    listIndex_ = -1;
    Sync(Aspect::kItems);
}

void ComboBox::AddItem(const std::string& text, long data) {
    entries_.push_back({text, data});
    Sync(Aspect::kItems);
}

void ComboBox::SetListIndex(int index) {
    if (index < -1 || index >= ItemCount())
        throw std::out_of_range("ComboBox::SetListIndex: no entry " + std::to_string(index));
    if (index == listIndex_)
        return;
    listIndex_ = index;
    Sync(Aspect::kValue);
    if (onClick)
        onClick();
}

CheckBox::CheckBox(Parent parent, std::string name, const Rect& geometry, std::string caption)
    : Control(Kind::kCheckBox, parent, std::move(name), geometry), caption_(std::move(caption)) {}

void CheckBox::SetCaption(const std::string& caption) {
    caption_ = caption;
    Sync(Aspect::kText);
}

void CheckBox::SetValue(int value) {
    if (value < kUnchecked || value > kGrayed)
        throw std::out_of_range("CheckBox::SetValue: " + std::to_string(value));
    if (value == value_)
        return;
    value_ = value;
    Sync(Aspect::kValue);
    if (onClick)
        onClick();
}

void CheckBox::UserClick() {
    SetValue(value_ == kChecked ? kUnchecked : kChecked);
}

Button::Button(Parent parent, std::string name, const Rect& geometry, std::string caption)
    : Control(Kind::kButton, parent, std::move(name), geometry), caption_(std::move(caption)) {}

void Button::SetCaption(const std::string& caption) {
    caption_ = caption;
    Sync(Aspect::kText);
}

void Button::UserClick() {
    if (onClick)
        onClick();
}

ProgressBar::ProgressBar(Parent parent, std::string name, const Rect& geometry)
    : Control(Kind::kProgressBar, parent, std::move(name), geometry) {}

void ProgressBar::SetRange(double min, double max) {
    min_ = min;
    max_ = std::max(min, max);
    value_ = std::clamp(value_, min_, max_);
    Sync(Aspect::kValue);
}

void ProgressBar::SetValue(double value) {
    value_ = std::clamp(value, min_, max_);
    Sync(Aspect::kValue);
}

StatusBar::StatusBar(Parent parent, std::string name, std::vector<int> panelWidths)
    : Control(Kind::kStatusBar, parent, std::move(name), Rect{}) {
    for (int width : panelWidths)
        panels_.push_back({{}, width});
}

const std::string& StatusBar::PanelText(int index) const {
    return panels_.at(static_cast<std::size_t>(index)).text;
}

void StatusBar::SetPanelText(int index, const std::string& text) {
    Panel& panel = panels_.at(static_cast<std::size_t>(index));
    if (panel.text == text)
        return;
    panel.text = text;
    Sync(Aspect::kPanels);
}

Shape::Shape(Parent parent, std::string name, const Rect& geometry)
    : Control(Kind::kShape, parent, std::move(name), geometry) {}

void Shape::SetFillColour(std::optional<Colour> fill) {
    fill_ = fill;
    Sync(Aspect::kColours);
}

void Shape::SetBorderColour(Colour border) {
    border_ = border;
    Sync(Aspect::kColours);
}

ImageBox::ImageBox(Parent parent, std::string name, const Rect& geometry)
    : Control(Kind::kImageBox, parent, std::move(name), geometry) {}

void ImageBox::SetPicture(Image picture) {
    picture_ = std::move(picture);
    Sync(Aspect::kColours);
}

CustomButton::CustomButton(Parent parent, std::string name, const Rect& geometry, std::string text)
    : Control(Kind::kCustomButton, parent, std::move(name), geometry), text_(std::move(text)) {}

void CustomButton::SetText(const std::string& text) {
    text_ = text;
    Sync(Aspect::kText);
}

void CustomButton::SetLook(const Look& look) {
    look_ = look;
    Sync(Aspect::kColours);
}

void CustomButton::SetPicture(std::optional<Image> picture) {
    picture_ = std::move(picture);
    Sync(Aspect::kColours);
}

void CustomButton::UserClick() {
    if (onClick)
        onClick();
}

Timer::Timer(Form& form, std::string name, int intervalMs, bool enabled)
    : form_(&form), name_(std::move(name)), interval_(std::max(0, intervalMs)), enabled_(enabled) {
    form_->Add(this);
}

Timer::~Timer() {
    peer_.reset();
    form_->Remove(this);
}

void Timer::SetInterval(int intervalMs) {
    intervalMs = std::max(0, intervalMs);
    if (intervalMs == interval_)
        return;
    interval_ = intervalMs;
    if (peer_)
        peer_->Sync(Aspect::kTimer);
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (peer_)
        peer_->Sync(Aspect::kTimer);
}

void Timer::Elapsed() {
    if (Running() && onTimer)
        onTimer();
}

}  // namespace kvu::ui
