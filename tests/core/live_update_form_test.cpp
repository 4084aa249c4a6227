#include "core/live_update_form.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>

#include "platform/paths.h"
#include "tests/core/live_update_form_fixture.h"

namespace kvu {
namespace {

using test::LiveUpdateFormTest;

TEST_F(LiveUpdateFormTest, WithoutAConnectionItSaysSoAndEndsBeforeAnythingElse) {
    deps.isConnected = [] { return false; };
    LiveUpdateForm& f = Start();

    ASSERT_EQ(backend().messageBoxes.size(), 1u);
    const headless::ShownMessageBox& box = backend().messageBoxes[0];
    EXPECT_EQ(box.text, "Nincs internetkapcsolat, a frissítés nem futtatható!");
    EXPECT_EQ(box.title, "tarvo-lindora updater");
    EXPECT_EQ(box.style, 16);
    EXPECT_TRUE(session.ProgramEnded());
    EXPECT_FALSE(f.Shown());
    EXPECT_FALSE(PathExists(IniFilePath(app.str()))) << "no settings were loaded or written";
}

TEST_F(LiveUpdateFormTest, FirstStartShowsTheDefaultsAndWritesTheProductFolder) {
    test::WriteBytes(app.file("restrict.txt"), "vmlx32.ocx\r\n");
    LiveUpdateForm& f = Start();

    EXPECT_TRUE(f.Shown());
    EXPECT_EQ(f.Caption(), "Tarvo Software Updater");
    EXPECT_EQ(f.tbRepoFile.Text(), "http://update.tarvo.hu/pelt/1.5.repository.1.5.xrs");
    EXPECT_EQ(f.tbAppPath.Text(), app.str());
    EXPECT_EQ(f.tbTempPath.Text(), tmp.str());
    EXPECT_EQ(f.chkNewer.Value(), 0);
    ASSERT_EQ(f.cbSw.Entries(), (std::vector<ui::ComboBox::Entry>{{"egyéni beállítású", 0}}));
    EXPECT_FALSE(headless::Select(f.cbSw, 0)) << "without products the selector is disabled";
    EXPECT_EQ(Ini("APP_PATH"), app.str());
    EXPECT_EQ(Ini("UPDATE_ONLY_NEWER"), "<none>") << "the box's value did not change";

    EXPECT_EQ(f.state().StatusText, "Készenlét");
    EXPECT_EQ(f.state().RestrictList, std::vector<std::string>{"VMLX32.OCX"});
    EXPECT_TRUE(f.state().DeleteTempFlag);
}

// A variable that is set but names no folder is not skipped.
TEST_F(LiveUpdateFormTest, TheTempFolderIsTmpThenTempThenTheApplicationFolder) {
    test::TempDir temp;
    test::WriteBytes(app.file("a-file"), "x");
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"", temp.str(), temp.str()},
        {app.file("missing"), temp.str(), app.str()},
        {"", "", app.str()},
        {app.file("a-file"), temp.str(), app.str()}};
    for (const auto& [tmpValue, tempValue, expected] : cases) {
        deps.environment = [&](const std::string& name) {
            return name == "tmp" ? tmpValue : name == "temp" ? tempValue : std::string();
        };
        EXPECT_EQ(FindTempFolder(deps), expected) << tmpValue << " | " << tempValue;
    }
}

// Each step is tried once and three times again: the product list comes at
// its last try; the connection test and the environment never answer and are
// skipped, the connection then counting as there.
TEST_F(LiveUpdateFormTest, AFailingStartUpStepIsRetriedThreeTimesThenSkipped) {
    int connectionTries = 0, lookups = 0, listings = 0;
    deps.isConnected = [&]() -> bool {
        ++connectionTries;
        throw std::runtime_error("no network service");
    };
    deps.environment = [&](const std::string&) -> std::string {
        ++lookups;
        throw std::runtime_error("environment unavailable");
    };
    deps.installedProducts = [&] {
        if (++listings <= 3)
            throw std::runtime_error("settings unreadable");
        return std::vector<InstalledProduct>{{12, "Lindora Bér"}};
    };
    LiveUpdateForm& f = Start();
    EXPECT_EQ(connectionTries, 4);
    EXPECT_EQ(lookups, 4);
    EXPECT_EQ(f.tbTempPath.Text(), app.str());
    EXPECT_EQ(f.cbSw.ItemCount(), 2);
    EXPECT_EQ(f.state().RepositoryUrl, "http://update.tarvo.hu/pelt/repository.xrs");
}

}  // namespace
}  // namespace kvu
