// The main window's side of installing downloaded archives.
#include "core/live_update_form.h"
#include "core/update_list.h"
#include "install/unzip_and_copy.h"

namespace kvu {

void LiveUpdateForm::UnZipAndCopyFile(int position, std::string& message) {
    kvu::UnZipAndCopyFile(unzip_, GetUpdateInfo(state_.UpdateList, position), position,
                          state_.TempFolder, message);
}

std::string LiveUpdateForm::InfoCaption() const {
    return infocaption.Caption();
}

void LiveUpdateForm::SetInfoCaption(const std::string& text) {
    infocaption.SetCaption(text);
}

void LiveUpdateForm::ProcessPendingEvents() {
    session().ProcessPendingEvents();
}

int LiveUpdateForm::MsgBox(const std::string& text, int style) {
    return session().MsgBox(text, style);
}

std::string LiveUpdateForm::InputBox(const std::string& prompt) {
    return session().InputBox(prompt);
}

}  // namespace kvu
