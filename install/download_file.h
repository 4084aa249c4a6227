// Fetching one file over HTTP into a folder.
#pragma once

#include <string>

#include "platform/internet_transfer.h"

namespace kvu {

// The failure line that a download appends to its caller's message text.
inline constexpr char kDownloadFailureLine[] = "Fájl letöltési hiba: ";

// Downloads url into folder under the URL's last "/"-piece as its name, replacing
// a file of that name only when the whole body has arrived. True when the file
// was written. On failure appends "Fájl letöltési hiba: " + name + CR LF to
// message and leaves the folder as it was; while inet is still executing an
// earlier request, returns false at once and adds nothing.
bool DownloadFile(InternetTransfer& inet, const std::string& url, const std::string& folder,
                  std::string& message);

}  // namespace kvu
