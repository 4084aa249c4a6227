#include "platform/windowing/session.h"

#include "platform/windowing/form.h"
#include "platform/windowing/input_box.h"

namespace kvu::ui {

Session::Session(std::string appTitle) : appTitle_(std::move(appTitle)), backend_(MakeBackend()) {}

Session::~Session() = default;

int Session::MsgBox(const std::string& text, int style, const std::string& title) {
    return backend_->MsgBox(text, style, title.empty() ? appTitle_ : title);
}

std::string Session::InputBox(const std::string& prompt, const std::string& title,
                              const std::string& defaultText) {
    InputBoxForm box(*this, prompt, title.empty() ? appTitle_ : title, defaultText);
    ShowModal(box, nullptr);
    return box.Answer();
}

std::string Session::BrowseForFolder(Form* owner, const std::string& title) {
    return backend_->BrowseForFolder(owner, title);
}

void Session::Show(Form& form) {
    if (!ended_)
        backend_->Show(form);
}

void Session::ShowModal(Form& form, Form* owner) {
    if (!ended_)
        backend_->ShowModal(form, owner);
}

void Session::Run(Form& main) {
    if (!ended_)
        backend_->Run(main);
}

void Session::ProcessPendingEvents() {
    backend_->ProcessPendingEvents();
}

void Session::EndProgram() {
    if (ended_)
        return;
    ended_ = true;
    backend_->EndProgram();
}

std::string Session::GetSetting(const std::string& app, const std::string& section,
                                const std::string& key, const std::string& def) {
    return backend_->GetSetting(app, section, key, def);
}

void Session::SaveSetting(const std::string& app, const std::string& section,
                          const std::string& key, const std::string& value) {
    backend_->SaveSetting(app, section, key, value);
}

PixelPoint Session::CursorPosition() {
    return backend_->CursorPosition();
}

std::vector<Rect> Session::WorkAreas() {
    return backend_->WorkAreas();
}

}  // namespace kvu::ui
