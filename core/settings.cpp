#include "core/settings.h"

#include "platform/paths.h"
#include "platform/plain_text.h"
#include "platform/profile.h"

namespace kvu {
namespace {

std::string ReadText(const std::string& file, const std::string& section, std::string_view key,
                     const std::string& def) {
    return TrimAtNul(ReadProfileString(section, std::string(key), def, file));
}

void Write(const std::string& appFolder, int productNumber, std::string_view key,
           const std::string& value) {
    WriteProfileValue(ProductSection(productNumber), std::string(key), value,
                      IniFilePath(appFolder));
}

}  // namespace

std::string TrimAtNul(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

std::string IniFilePath(const std::string& appFolder) {
    return JoinPath(appFolder, kIniFileName);
}

std::string ProductSection(int productNumber) {
    return std::to_string(productNumber) + "_PARAM";
}

std::string ChooseTempPath(std::string_view stored, const std::string& defaultTempFolder) {
    std::string path(TrimSpaces(TrimAtNul(stored)));
    if (path.empty() || !PathExists(path))
        return defaultTempFolder;
    return path;
}

ProductSettings ReadProductSettings(const std::string& appFolder, int productNumber,
                                    const std::string& defaultTempFolder) {
    const std::string file = IniFilePath(appFolder);
    const std::string section = ProductSection(productNumber);
    ProductSettings settings;
    settings.repoUrl = ReadText(file, section, kKeyRepoUrl, std::string(kDefaultRepositoryUrl));
    settings.appPath = ReadText(file, section, kKeyAppPath, appFolder);
    settings.tempPath =
        ChooseTempPath(ReadText(file, section, kKeyTempPath, defaultTempFolder), defaultTempFolder);
    settings.deleteTempFlag = ReadProfileInt(section, std::string(kKeyDeleteTmp), 1, file) == 1;
    settings.onlyNewer = ReadProfileInt(section, std::string(kKeyUpdateOnlyNewer), 0, file) != 0;
    return settings;
}

void WriteAppPath(const std::string& appFolder, int productNumber, const std::string& text) {
    Write(appFolder, productNumber, kKeyAppPath, text);
}

void WriteRepoUrl(const std::string& appFolder, int productNumber, const std::string& text) {
    Write(appFolder, productNumber, kKeyRepoUrl, text);
}

void WriteOnlyNewer(const std::string& appFolder, int productNumber, int checkValue) {
    Write(appFolder, productNumber, kKeyUpdateOnlyNewer, checkValue == 0 ? "0" : "1");
}

}  // namespace kvu
