// btUpdateSearch: the update search, from the window's settings to the
// user's confirmed choice, then the installation run.
#include "core/live_update_form.h"
#include "core/update_search.h"
#include "decision/update_form.h"
#include "registration/file_info_log.h"

namespace kvu {
namespace {

constexpr int kElapsedIntervalMs = 1000;
// The bar's range while searching: one step each for the start, the local
// index and the end.
constexpr double kSearchSteps = 3;

}  // namespace

void LiveUpdateForm::BtUpdateSearchClick() {
    std::string message;
    BeginSearch(state_, {tbRepoFile.Text(), tbAppPath.Text(), chkNewer.Value()});
    if (!ProductFolderExists(state_.ProductFolder)) {
        session().MsgBox(std::string(kFolderMissingText) + state_.ProductFolder,
                         ui::kMbOk | ui::kMbCritical, std::string(kFolderMissingTitle));
        return;
    }
    state_.ElapsedSeconds = 0;
    Timer2.SetInterval(kElapsedIntervalMs);
    btUpdateSearch.SetEnabled(false);
    // An earlier installation run left its own maximum; the search's values
    // mean the same in every search.
    ProgressBar1.SetRange(0, kSearchSteps);
    ProgressBar1.SetValue(1);
    state_.StatusText = "Friss verziók keresése.";
    if (!FetchRepository(Inet1, state_)) {
        EndSearch("Verzióinformáció elérési hiba.", kSearchSteps);
        return;
    }
    state_.StatusText = "frissíthető fájlok keresése.";
    const std::string& appFolder = deps_.appFolder;
    DeleteFileInfoLog(appFolder);
    BuildLocalIndex(state_, appFolder);
    ProgressBar1.SetValue(2);
    state_.StatusText = "Verzió ellenőrzés sikerült.";
    FillUpdateList(state_, appFolder);
    if (state_.UpdateList.Count() == 0) {
        EndSearch("Nincs letölthető frissítés.", ProgressBar1.Max());
        return;
    }
    Label1.SetCaption("Van letölthető frissítés.");
    ShowUpdateForm(*this, {state_.UpdateList.begin(), state_.UpdateList.end()},
                   [appFolder](const std::string& line) { LogFileInfoError(appFolder, line); });
    RunInstallation(message);
}

void LiveUpdateForm::EndSearch(const std::string& caption, double progress) {
    Label1.SetCaption(caption);
    ProgressBar1.SetValue(progress);
    Timer2.SetInterval(0);
}

}  // namespace kvu
