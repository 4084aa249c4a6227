#include "registration/file_info_log.h"

#include "platform/encoding.h"
#include "platform/file_contents.h"
#include "platform/paths.h"

namespace kvu {

std::string FileInfoLogPath(const std::string& appFolder) {
    if (!appFolder.empty() && appFolder.back() == kPathSep)
        return appFolder + std::string(kFileInfoLogName);
    return appFolder + kPathSep + std::string(kFileInfoLogName);
}

void LogFileInfoError(const std::string& appFolder, std::string_view text) {
    AppendToFile(FileInfoLogPath(appFolder), Utf8ToAnsi(text) + "\r\n");
}

}  // namespace kvu
