// The diagnostic log "FileInfoError.log" in the application folder: one ANSI
// line with CR LF per entry, no header, no time stamp. The update search
// deletes it when it starts.
#pragma once

#include <string>
#include <string_view>

namespace kvu {

inline constexpr std::string_view kFileInfoLogName = "FileInfoError.log";

// The log's path in appFolder, without a doubled separator at a root.
std::string FileInfoLogPath(const std::string& appFolder);

// Appends text and CR LF to the log in appFolder. The file is opened for this
// line only and created when missing; a failure is ignored, as the log must
// never stop the work it describes.
void LogFileInfoError(const std::string& appFolder, std::string_view text);

}  // namespace kvu
