// The window-free steps of the installation run that ends an update search:
// each chosen file downloaded and unpacked in list order, the failures
// collected into one message text.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/update_list.h"
#include "platform/internet_transfer.h"

namespace kvu {

inline constexpr std::string_view kInstallingText = "Frissítés letöltése.";
inline constexpr std::string_view kFinishedText = "Az internetes frissítés befejeződőtt!";

// What the walk shows and what installs one downloaded archive; the main
// window provides them.
struct InstallSteps {
    std::function<void(const std::string&)> showCaption;  // infocaption
    std::function<void()> stepProgress;                   // one more file done
    // Unpacks the archive of the record at the 1-based position.
    std::function<void(int position, std::string& message)> install;
};

// "<name> letöltése..." and "<name>kicsomagolása...": no blank before the second word.
std::string DownloadingCaption(const std::string& appname);
std::string UnpackingCaption(const std::string& appname);

// Downloads and installs every chosen record in list order, one before the
// next is requested. A failed download clears the record's Download flag and
// installs nothing; any other failure appends "Fájl letöltési hiba: " with its
// number and description; the walk always goes on. The caption ends empty.
void InstallChosenFiles(UpdateList& list, InternetTransfer& inet, const std::string& tempFolder,
                        const InstallSteps& steps, std::string& message);

// Whether the collected message text holds anything but blanks.
bool HasInstallationMessage(std::string_view message);

}  // namespace kvu
