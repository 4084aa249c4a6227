#include "registration/file_info_log.h"

#include "platform/encoding.h"
#include "platform/file_contents.h"
#include "platform/paths.h"

namespace kvu {

std::string FileInfoLogPath(const std::string& appFolder) {
    return JoinPath(appFolder, kFileInfoLogName);
}

void LogFileInfoError(const std::string& appFolder, std::string_view text) {
    AppendToFile(FileInfoLogPath(appFolder), Utf8ToAnsi(text) + "\r\n");
}

}  // namespace kvu
