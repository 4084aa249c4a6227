// The installation run that ends a search, and the main window's side of
// installing downloaded archives.
#include "core/installation_run.h"
#include "core/live_update_form.h"
#include "core/startup.h"
#include "core/update_list.h"
#include "install/unzip_and_copy.h"
#include "registration/activex_register_form.h"

namespace kvu {

void LiveUpdateForm::RunInstallation(std::string& message) {
    btUpdateSearch.SetEnabled(true);
    state_.StatusText = kInstallingText;
    const int chosen = CountDownloads(state_.UpdateList);
    if (chosen > 0) {
        ProgressBar1.SetMax(chosen + 1);
        GetFiles(message);
    }
    ProgressBar1.SetValue(ProgressBar1.Max());
    {
        ActivexRegisterForm components(session(), deps_.appFolder, deps_.programPath);
        components.Load();
        components.DownloadedActiveXFillUp({state_.UpdateList.begin(), state_.UpdateList.end()});
    }
    state_.StatusText = kFinishedText;
    Label1.SetCaption(std::string(kFinishedText));
    if (HasInstallationMessage(message))
        session().MsgBox(message, ui::kMbOk | ui::kMbInformation, std::string(kApplicationTitle));
    Timer2.SetInterval(0);
}

void LiveUpdateForm::GetFiles(std::string& message) {
    ProgressBar1.SetValue(1);
    InstallSteps steps{
        [this](const std::string& text) { infocaption.SetCaption(text); },
        [this] { ProgressBar1.SetValue(ProgressBar1.Value() + 1); },
        [this](int position, std::string& text) { UnZipAndCopyFile(position, text); }};
    InstallChosenFiles(state_.UpdateList, Inet1, state_.TempFolder, steps, message);
}

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
