// The main window's start-up sequence and the loading of a product's settings.
#include <exception>

#include "core/live_update_form.h"
#include "core/restrict_list.h"
#include "core/settings.h"

namespace kvu {
namespace {

// How often a failing start-up step is tried again before start-up skips it.
constexpr int kStartupRetries = 3;

constexpr const char* kNoConnectionText = "Nincs internetkapcsolat, a frissítés nem futtatható!";
constexpr const char* kNoConnectionTitle = "tarvo-lindora updater";
constexpr const char* kCustomSetting = "egyéni beállítású";
constexpr const char* kReady = "Készenlét";

}  // namespace

bool LiveUpdateForm::RunStartupStep(const std::function<void()>& step) {
    for (int attempt = 0; attempt <= kStartupRetries; ++attempt) {
        try {
            step();
            return true;
        } catch (const std::exception&) {
            state_.RepositoryUrl = std::string(kFallbackRepositoryUrl);
        }
    }
    return false;
}

// A step that keeps failing is skipped; the connection test then counts as
// passed, so that the window still opens.
void LiveUpdateForm::Load() {
    state_.DefaultTempFolder = deps_.appFolder;  // until FindTempFolder has run
    bool connected = true;
    RunStartupStep([&] { connected = deps_.isConnected(); });
    if (!connected) {
        session().MsgBox(kNoConnectionText, ui::kMbOk | ui::kMbCritical, kNoConnectionTitle);
        session().EndProgram();
        return;
    }
    RunStartupStep([&] { state_.DefaultTempFolder = FindTempFolder(deps_); });
    RunStartupStep([&] {
        products_ =
            deps_.installedProducts ? deps_.installedProducts() : std::vector<InstalledProduct>{};
    });
    RunStartupStep([&] { SwFillUp(); });
    RunStartupStep([&] {
        state_.StatusText = kReady;
        state_.ElapsedSeconds = 0;
    });
    RunStartupStep([&] { state_.RestrictList = LoadRestrictList(deps_.appFolder); });
}

int LiveUpdateForm::SwFillUp() {
    cbSw.Clear();
    cbSw.AddItem(kCustomSetting, 0);
    for (const InstalledProduct& product : products_)
        cbSw.AddItem(product.name, product.number);
    cbSw.SetEnabled(!products_.empty());
    cbSw.SetListIndex(0);
    return cbSw.ItemCount();
}

void LiveUpdateForm::LoadSettings() {
    ProductSettings settings = ReadProductSettings(deps_.appFolder, state_.SelectedProductNumber,
                                                   state_.DefaultTempFolder);
    tbRepoFile.SetText(settings.repoUrl);
    tbAppPath.SetText(settings.appPath);  // its change handler writes APP_PATH back
    tbTempPath.SetText(settings.tempPath);
    state_.DeleteTempFlag = settings.deleteTempFlag;
    chkNewer.SetValue(settings.onlyNewer ? ui::CheckBox::kChecked : ui::CheckBox::kUnchecked);
}

}  // namespace kvu
