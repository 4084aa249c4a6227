#include "core/installation_run.h"

#include <exception>
#include <utility>

#include "install/download_file.h"

namespace kvu {
namespace {

// A failure that no step reports itself; the number stands for an internal
// error, as the record or control access that raised it has none of its own.
constexpr int kInternalErrorNumber = 51;

// Runs one step of the walk; whatever it throws becomes a line of the message
// text, and the walk goes on with the next step.
template <typename Step>
void Guarded(std::string& message, Step&& step) {
    try {
        std::forward<Step>(step)();
    } catch (const std::exception& e) {
        message += std::string(kDownloadFailureLine) + std::to_string(kInternalErrorNumber) + " " +
                   e.what() + "\r\n";
    }
}

}  // namespace

std::string DownloadingCaption(const std::string& appname) {
    return appname + " letöltése...";
}

std::string UnpackingCaption(const std::string& appname) {
    return appname + "kicsomagolása...";
}

void InstallChosenFiles(UpdateList& list, InternetTransfer& inet, const std::string& tempFolder,
                        const InstallSteps& steps, std::string& message) {
    const int count = list.Count();
    for (int position = 1; position <= count; ++position) {
        clsUpdateInfo* record = GetUpdateInfo(list, position);
        if (record == nullptr || !record->Download)
            continue;
        bool downloaded = false;
        Guarded(message, [&] { steps.showCaption(DownloadingCaption(record->appname)); });
        Guarded(message,
                [&] { downloaded = DownloadFile(inet, record->NetPath, tempFolder, message); });
        Guarded(message, [&] { steps.showCaption(UnpackingCaption(record->appname)); });
        if (downloaded)
            Guarded(message, [&] { steps.install(position, message); });
        else
            record->Download = false;
        Guarded(message, [&] { steps.stepProgress(); });
    }
    Guarded(message, [&] { steps.showCaption(""); });
}

bool HasInstallationMessage(std::string_view message) {
    return message.find_first_not_of(" \t\r\n") != std::string_view::npos;
}

}  // namespace kvu
