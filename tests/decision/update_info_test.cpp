#include "decision/update_info.h"

#include <gtest/gtest.h>

#include <string>

namespace kvu {
namespace {

constexpr const char* kApril = "2023.04.05. 10:00:00";
constexpr const char* kMarch = "2023.03.01. 08:30:00";
constexpr const char* kMay = "2023.05.01. 00:00:00";

struct DecisionCase {
    const char* name;
    // local facts, then the repository's
    const char* localVersion;
    double localSize;
    const char* localDate;
    const char* netVersion;
    const char* netDate;
    // expected
    bool newFile;
    bool newVersion;
    bool newDate;
    bool recommended;
    const char* updateCase;
    const char* foreColor;
    const char* backColor;
};

std::string PrintToStringParamName(const ::testing::TestParamInfo<DecisionCase>& info) {
    return info.param.name;
}

clsUpdateInfo Record(const DecisionCase& c) {
    clsUpdateInfo info;
    info.LocalVersion = c.localVersion;
    info.LocalFileSize = c.localSize;
    info.LocalFileDate = c.localDate;
    info.NetVersion = c.netVersion;
    info.NetFileDate = c.netDate;
    info.NetFileSize = 4096;
    return info;
}

class DecisionTable : public ::testing::TestWithParam<DecisionCase> {};

TEST_P(DecisionTable, FlagsCaseAndColours) {
    const DecisionCase& c = GetParam();
    const clsUpdateInfo info = Record(c);
    EXPECT_EQ(info.IsNewFile(), c.newFile);
    EXPECT_EQ(info.IsNewVersion(), c.newVersion);
    EXPECT_EQ(info.IsNewDate(), c.newDate);
    EXPECT_EQ(info.UpdateRecommended(), c.recommended);
    EXPECT_EQ(info.UpdateCase(), c.updateCase);
    EXPECT_EQ(info.RowForeColor(), c.foreColor);
    EXPECT_EQ(info.RowbackColor(), c.backColor);
}

#define NEW_FILE "új fájl ->", "8388608", "16761024"
#define NEW_VERSION "újabb verzió ->", "32768", "12648384"
#define NEW_DATE "újabb dátum ->", "32896", "12648447"
#define NOTHING_NEWER "nincs újabb ->", "0", "16777215"

INSTANTIATE_TEST_SUITE_P(
    Cases, DecisionTable,
    ::testing::Values(
        // A file that is not installed is a new file, whatever else holds.
        DecisionCase{"NotInstalled", "", 0, "", "2.0.0.5", kApril, true, true, true, true,
                     NEW_FILE},
        DecisionCase{"NotInstalledWithoutRemoteVersion", "", 0, "", "", kApril, true, false, true,
                     true, NEW_FILE},
        DecisionCase{"InstalledEmptyWithoutVersion", "", 0, kApril, "", kApril, true, false, false,
                     true, NEW_FILE},
        DecisionCase{"BlankVersionAndSizeZero", "  ", 0, kApril, "", kApril, true, false, false,
                     true, NEW_FILE},
        // A version text alone makes the file an installed one.
        DecisionCase{"VersionButSizeZero", "1.0", 0, kApril, "1.0", kApril, false, false, false,
                     false, NOTHING_NEWER},
        DecisionCase{"SameVersionSameDate", "2.0.0.5", 8192, kApril, "2.0.0.5", kApril, false,
                     false, false, false, NOTHING_NEWER},
        DecisionCase{"SameVersionLocalLater", "2.0.0.5", 8192, kMay, "2.0.0.5", kApril, false,
                     false, false, false, NOTHING_NEWER},
        DecisionCase{"SameMomentInAnotherForm", "2.0.0.5", 8192, kApril, "2.0.0.5",
                     "2023-04-05 10:00:00", false, false, false, false, NOTHING_NEWER},
        // Version beats date.
        DecisionCase{"NewerVersionOlderDate", "2.0.0.5", 8192, kMay, "2.0.1.0", kApril, false, true,
                     false, true, NEW_VERSION},
        DecisionCase{"NewerVersionNewerDate", "2.0.0.5", 8192, kMarch, "2.0.1.0", kApril, false,
                     true, true, true, NEW_VERSION},
        DecisionCase{"UnreadableRemoteVersion", "2.0", 8192, kApril, "2.x", kApril, false, true,
                     false, true, NEW_VERSION},
        DecisionCase{"NoVersionResourceButRemoteHasOne", "", 8192, kMay, "2.0.0.5", kApril, false,
                     true, false, true, NEW_VERSION},
        // Date decides when the version does not.
        DecisionCase{"OlderRemoteVersionNewerDate", "2.0.0.5", 8192, kMarch, "2.0.0.4", kApril,
                     false, false, true, true, NEW_DATE},
        DecisionCase{"NoVersionResourceOlderDate", "", 8192, kMarch, "", kApril, false, false, true,
                     true, NEW_DATE},
        DecisionCase{"NoVersionResourceDateOnlyRemote", "", 8192, kMarch, "", "2023-04-05", false,
                     false, true, true, NEW_DATE},
        DecisionCase{"LocalDateUnreadable", "2.0.0.5", 8192, "tegnap", "2.0.0.5", kApril, false,
                     false, true, true, NEW_DATE},
        DecisionCase{"LocalDateImpossible", "2.0.0.5", 8192, "2023.02.30. 10:00:00", "2.0.0.5",
                     kApril, false, false, true, true, NEW_DATE},
        DecisionCase{"LocalDateEmptyButSizeKnown", "2.0.0.5", 8192, "", "2.0.0.5", "nem dátum",
                     false, false, true, true, NEW_DATE},
        // An unreadable remote date gives no reason to update.
        DecisionCase{"RemoteDateUnreadable", "2.0.0.5", 8192, kMarch, "2.0.0.5", "tegnap", false,
                     false, false, false, NOTHING_NEWER},
        DecisionCase{"RemoteDateEmpty", "", 8192, kMarch, "", "", false, false, false, false,
                     NOTHING_NEWER}),
    PrintToStringParamName);

// Nothing is cached: every call sees the fields as they are now.
TEST(UpdateInfo, FollowsTheFieldsOnEveryCall) {
    clsUpdateInfo info;
    info.NetVersion = "2.0";
    info.NetFileDate = kApril;
    ASSERT_EQ(info.UpdateCase(), "új fájl ->");
    info.LocalFileSize = 100;
    info.LocalFileDate = kApril;
    EXPECT_EQ(info.UpdateCase(), "újabb verzió ->");
    info.LocalVersion = "2.0";
    EXPECT_EQ(info.UpdateCase(), "nincs újabb ->");
    EXPECT_FALSE(info.UpdateRecommended());
    info.LocalFileDate = kMarch;
    EXPECT_EQ(info.UpdateCase(), "újabb dátum ->");
    EXPECT_EQ(info.RowForeColor(), "32896");
    info.NetFileDate = "";
    EXPECT_EQ(info.RowForeColor(), "0");
}

// The remote size, the update mode and the user's choices never change the decision.
TEST(UpdateInfo, OtherFieldsTakeNoPart) {
    for (const char* localVersion : {"", "2.0"}) {
        clsUpdateInfo base;
        base.LocalVersion = localVersion;
        base.LocalFileSize = 100;
        base.LocalFileDate = kApril;
        base.NetVersion = "2.0";
        base.NetFileDate = kApril;
        const std::string expected = base.UpdateCase();
        const bool recommended = base.UpdateRecommended();
        for (double netSize : {0.0, 100.0, 1e12}) {
            for (const char* mode : {"", "ALLWAYS", "NOTEXIST"}) {
                clsUpdateInfo info = base;
                info.NetFileSize = netSize;
                info.UpdateMode = mode;
                info.Download = true;
                info.IsFileInUse = true;
                EXPECT_EQ(info.UpdateCase(), expected) << netSize << mode;
                EXPECT_EQ(info.UpdateRecommended(), recommended) << netSize << mode;
            }
        }
    }
}

}  // namespace
}  // namespace kvu
