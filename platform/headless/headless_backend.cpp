#include "platform/headless/headless_backend.h"

#include <algorithm>

namespace kvu::headless {
namespace {

int FirstButton(int style) {
    switch (style & 0x0F) {
        case ui::kMbAbortRetryIgnore:
            return ui::kIdAbort;
        case ui::kMbYesNoCancel:
        case ui::kMbYesNo:
            return ui::kIdYes;
        case ui::kMbRetryCancel:
            return ui::kIdRetry;
        default:
            return ui::kIdOk;
    }
}

}  // namespace

ui::Rect HeadlessBackend::OuterFor(const ui::Form& form, int clientWidth, int clientHeight) {
    ui::Rect bounds = form.Bounds();
    bounds.width = clientWidth + kFrameWidth;
    bounds.height = clientHeight + kFrameHeight;
    return bounds;
}

void HeadlessBackend::Show(ui::Form& form) {
    form.MarkShown(false);
}

// The scripted user acts inside the window; a window the action leaves open is
// closed by its close box, so that the call always returns.
void HeadlessBackend::ShowModal(ui::Form& form, ui::Form* /*owner*/) {
    form.MarkShown(true);
    modalWindows.push_back(form.Name());
    modalStack_.push_back(&form);
    if (!modalActions.empty()) {
        std::function<void(ui::Form&)> action = std::move(modalActions.front());
        modalActions.pop_front();
        action(form);
    }
    if (!form.Unloaded() && !ended)
        form.UserClose();
    modalStack_.erase(std::remove(modalStack_.begin(), modalStack_.end(), &form),
                      modalStack_.end());
}

void HeadlessBackend::Unloaded(ui::Form& form) {
    if (focused && &focused->form() == &form)
        focused = nullptr;
    modalStack_.erase(std::remove(modalStack_.begin(), modalStack_.end(), &form),
                      modalStack_.end());
}

int HeadlessBackend::MsgBox(const std::string& text, int style, const std::string& title) {
    int answer = FirstButton(style);
    if (!messageBoxAnswers.empty()) {
        answer = messageBoxAnswers.front();
        messageBoxAnswers.pop_front();
    }
    messageBoxes.push_back({text, style, title, answer});
    return answer;
}

std::string HeadlessBackend::BrowseForFolder(ui::Form* owner, const std::string& title) {
    std::string answer;
    if (!folderAnswers.empty()) {
        answer = folderAnswers.front();
        folderAnswers.pop_front();
    }
    folderPickers.push_back({owner ? owner->Name() : std::string(), title, answer});
    return answer;
}

std::string HeadlessBackend::GetSetting(const std::string& app, const std::string& section,
                                        const std::string& key, const std::string& def) {
    auto it = settings.find({app, section, key});
    return it == settings.end() ? def : it->second;
}

void HeadlessBackend::SaveSetting(const std::string& app, const std::string& section,
                                  const std::string& key, const std::string& value) {
    settings[{app, section, key}] = value;
}

ui::PixelRect HeadlessBackend::ScreenRect(const ui::Control& control) {
    const ui::Rect& window = control.form().Bounds();
    ui::Rect r = control.FormGeometry();
    int left = (window.left + kFrameWidth / 2 + r.left) / kTwipsPerPixel;
    int top = (window.top + kFrameHeight - kFrameWidth / 2 + r.top) / kTwipsPerPixel;
    return {left, top, left + r.width / kTwipsPerPixel, top + r.height / kTwipsPerPixel};
}

bool HeadlessBackend::Reachable(const ui::Form& form) const {
    if (!form.Shown() || ended)
        return false;
    return modalStack_.empty() || modalStack_.back() == &form;
}

}  // namespace kvu::headless

namespace kvu::ui {

std::unique_ptr<Backend> MakeBackend() {
    return std::make_unique<headless::HeadlessBackend>();
}

}  // namespace kvu::ui
