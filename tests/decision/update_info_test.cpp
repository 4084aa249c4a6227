// The decision rules of one record; the case colours are checked where the
// list shows them.
#include "decision/update_info.h"

#include <gtest/gtest.h>

#include <string>

namespace kvu {
namespace {

constexpr const char* kApril = "2023.04.05. 10:00:00";
constexpr const char* kMarch = "2023.03.01. 08:30:00";
constexpr const char* kMay = "2023.05.01. 00:00:00";

struct DecisionCase {
    const char *localVersion, *localDate, *netVersion, *netDate;
    double localSize;
    const char* flags;  // new file, new version, new date: "FVD", '-' where not
    std::string_view updateCase;
};

TEST(UpdateInfo, FlagsAndTheCaseThatWins) {
    const std::string_view F = kCaseNewFile, V = kCaseNewVersion, D = kCaseNewDate,
                           N = kCaseNothingNewer;
    const DecisionCase cases[] = {
        // Not installed: a new file, whatever else holds.
        {"", "", "2.0.0.5", kApril, 0, "FVD", F},
        {"", kApril, "", kApril, 0, "F--", F},
        {"  ", kApril, "", kApril, 0, "F--", F},
        // A version text alone makes the file an installed one.
        {"1.0", kApril, "1.0", kApril, 0, "---", N},
        {"2.0.0.5", kApril, "2.0.0.5", kApril, 8192, "---", N},
        {"2.0.0.5", kMay, "2.0.0.5", kApril, 8192, "---", N},
        // Version beats date.
        {"2.0.0.5", kMarch, "2.0.1.0", kApril, 8192, "-VD", V},
        {"", kMay, "2.0.0.5", kApril, 8192, "-V-", V},
        // Date decides when the version does not; an unreadable local date is older.
        {"2.0.0.5", kMarch, "2.0.0.4", kApril, 8192, "--D", D},
        {"2.0.0.5", kApril, "2.0.0.5", "2023.04.05. 10:00:01", 8192, "--D", D},
        {"2.0.0.5", "tegnap", "2.0.0.5", kApril, 8192, "--D", D},
        {"2.0.0.5", "", "2.0.0.5", "nem dátum", 8192, "--D", D},
        // An unreadable remote date gives no reason to update.
        {"2.0.0.5", kMarch, "2.0.0.5", "tegnap", 8192, "---", N},
    };
    for (const DecisionCase& c : cases) {
        clsUpdateInfo info;
        info.LocalVersion = c.localVersion;
        info.LocalFileSize = c.localSize;
        info.LocalFileDate = c.localDate;
        info.NetVersion = c.netVersion;
        info.NetFileDate = c.netDate;
        const std::string flags = {info.IsNewFile() ? 'F' : '-', info.IsNewVersion() ? 'V' : '-',
                                   info.IsNewDate() ? 'D' : '-'};
        const std::string what =
            std::string(c.localVersion) + "|" + c.localDate + "|" + c.netVersion + "|" + c.netDate;
        EXPECT_EQ(flags, c.flags) << what;
        EXPECT_EQ(info.UpdateCase(), c.updateCase) << what;
        EXPECT_EQ(info.UpdateRecommended(), c.updateCase != N) << what;
    }
}

}  // namespace
}  // namespace kvu
