#include "decision/update_info.h"

#include <optional>
#include <string_view>

#include "decision/date_text.h"
#include "decision/version_compare.h"
#include "platform/plain_text.h"

namespace kvu {
namespace {

struct CaseStyle {
    std::string_view text;
    long foreColor;  // blue-green-red
    long backColor;
};

constexpr CaseStyle kNewFile{kCaseNewFile, 0x800000, 0xFFC0C0};            // navy on light blue
constexpr CaseStyle kNewVersion{kCaseNewVersion, 0x008000, 0xC0FFC0};      // green on light green
constexpr CaseStyle kNewDate{kCaseNewDate, 0x008080, 0xC0FFFF};            // olive on light yellow
constexpr CaseStyle kNothingNewer{kCaseNothingNewer, 0x000000, 0xFFFFFF};  // black on white

// The three members that show a case test the flags in one order.
const CaseStyle& StyleOf(const clsUpdateInfo& info) {
    if (info.IsNewFile())
        return kNewFile;
    if (info.IsNewVersion())
        return kNewVersion;
    if (info.IsNewDate())
        return kNewDate;
    return kNothingNewer;
}

}  // namespace

bool clsUpdateInfo::UpdateRecommended() const {
    bool newVersion = IsNewVersion();
    bool newFile = IsNewFile();
    bool newDate = IsNewDate();
    return newVersion || newFile || newDate;
}

bool clsUpdateInfo::IsNewFile() const {
    return TrimBlanks(LocalVersion).empty() && LocalFileSize == 0;
}

// An unreadable local date counts as an older local file; an unreadable remote
// date gives no reason to update.
bool clsUpdateInfo::IsNewDate() const {
    std::optional<DateTime> local = ParseDateText(LocalFileDate);
    if (!local)
        return true;
    std::optional<DateTime> remote = ParseDateText(NetFileDate);
    return remote && *local < *remote;
}

bool clsUpdateInfo::IsNewVersion() const {
    return IsLowerVersion(LocalVersion, NetVersion);
}

std::string clsUpdateInfo::UpdateCase() const {
    return std::string(StyleOf(*this).text);
}

std::string clsUpdateInfo::RowForeColor() const {
    return std::to_string(StyleOf(*this).foreColor);
}

std::string clsUpdateInfo::RowbackColor() const {
    return std::to_string(StyleOf(*this).backColor);
}

}  // namespace kvu
