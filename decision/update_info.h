// One file that an update search offers: what the repository says of it, what
// is known of its installed copy, the user's choice, and the decision whether
// (and why) an update is recommended.
#pragma once

#include <string>
#include <string_view>

namespace kvu {

// The case texts, in order of precedence.
inline constexpr std::string_view kCaseNewFile = "új fájl ->";
inline constexpr std::string_view kCaseNewVersion = "újabb verzió ->";
inline constexpr std::string_view kCaseNewDate = "újabb dátum ->";
inline constexpr std::string_view kCaseNothingNewer = "nincs újabb ->";

class clsUpdateInfo {
  public:
    // Stored facts, all empty, 0 or false until filled.
    std::string LocalVersion;  // dotted version of the installed file; empty when none
    std::string LocalPath;     // where the file is, or will be, installed
    std::string TargetDir;     // folder relative to the product folder, as the repository says
    std::string appname;       // file name, as the repository says
    std::string AppType;
    std::string NetVersion;
    std::string NetPath;  // download address of the archive that carries the file
    double NetFileSize = 0;
    double LocalFileSize = 0;  // 0 when not installed
    std::string NetFileDate;
    std::string LocalFileDate;  // in the form of FormatDateText; empty when not installed
    bool Download = false;      // the user's choice
    std::string UpdateMode;
    bool IsFileInUse = false;  // the installed file was locked when the list was loaded

    // Computed afresh from the fields above on every call.
    bool UpdateRecommended() const;  // new version, new file or new date
    bool IsNewFile() const;          // no local version and local size 0
    bool IsNewDate() const;          // local date unreadable, or earlier than a readable remote one
    bool IsNewVersion() const;       // IsLowerVersion(LocalVersion, NetVersion)
    // The first case that holds of new file, new version, new date, nothing newer.
    std::string UpdateCase() const;
    // Colours of that case as the decimal digits of a blue-green-red value.
    std::string RowForeColor() const;
    std::string RowbackColor() const;
};

}  // namespace kvu
