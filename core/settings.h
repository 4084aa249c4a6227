// The per-product settings in kvu.ini beside the executable.
#pragma once

#include <string>
#include <string_view>

namespace kvu {

inline constexpr std::string_view kDefaultRepositoryUrl =
    "http://update.tarvo.hu/pelt/1.5.repository.1.5.xrs";
// Set by start-up when one of its steps fails, before it tries again.
inline constexpr std::string_view kFallbackRepositoryUrl =
    "http://update.tarvo.hu/pelt/repository.xrs";

inline constexpr std::string_view kIniFileName = "kvu.ini";
inline constexpr std::string_view kKeyRepoUrl = "REPO_URL";
inline constexpr std::string_view kKeyAppPath = "APP_PATH";
inline constexpr std::string_view kKeyTempPath = "TEMP_PATH";
inline constexpr std::string_view kKeyDeleteTmp = "DELETE_TMP";
inline constexpr std::string_view kKeyUpdateOnlyNewer = "UPDATE_ONLY_NEWER";

// The characters before the first NUL; the whole text when it holds none.
std::string TrimAtNul(std::string_view text);

// kvu.ini in the application folder, without a doubled separator at a root.
std::string IniFilePath(const std::string& appFolder);

// "<number>_PARAM".
std::string ProductSection(int productNumber);

// What a product's section holds, with the defaults applied.
struct ProductSettings {
    std::string repoUrl;
    std::string appPath;
    std::string tempPath;  // what the temporary-folder box shows
    bool deleteTempFlag = true;
    bool onlyNewer = false;
};

ProductSettings ReadProductSettings(const std::string& appFolder, int productNumber,
                                    const std::string& defaultTempFolder);

// The folder to show for a TEMP_PATH value: the value cut at NUL and stripped of
// blanks, or defaultTempFolder when that is empty or names nothing that exists.
std::string ChooseTempPath(std::string_view stored, const std::string& defaultTempFolder);

// The three write-backs of the main window.
void WriteAppPath(const std::string& appFolder, int productNumber, const std::string& text);
void WriteRepoUrl(const std::string& appFolder, int productNumber, const std::string& text);
void WriteOnlyNewer(const std::string& appFolder, int productNumber, int checkValue);

}  // namespace kvu
