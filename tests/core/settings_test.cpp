#include "core/settings.h"

#include <gtest/gtest.h>

#include "platform/profile.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

class SettingsTest : public ::testing::Test {
  protected:
    test::TempDir app;
    test::TempDir temp;
    std::string ini() const { return app.file("kvu.ini"); }
};

// The other values are seen through the main window's product selection.
TEST_F(SettingsTest, AStoredTempFolderIsShownUnchanged) {
    test::WriteBytes(ini(), "[3_PARAM]\r\nTEMP_PATH=  " + temp.str() + "  \r\n");
    EXPECT_EQ(ReadProductSettings(app.str(), 3, "unused").tempPath, temp.str());
}

TEST_F(SettingsTest, DeleteFlagIsSetOnlyByOne) {
    for (auto [value, expected] :
         {std::pair{"1", true}, {"2", false}, {"0", false}, {"x", false}}) {
        WriteProfileValue("0_PARAM", "DELETE_TMP", value, ini());
        EXPECT_EQ(ReadProductSettings(app.str(), 0, temp.str()).deleteTempFlag, expected) << value;
    }
}

TEST_F(SettingsTest, TempPathFallsBackUnlessItNamesSomethingThatExists) {
    EXPECT_EQ(ChooseTempPath(app.file("no-such-folder"), temp.str()), temp.str());
    EXPECT_EQ(ChooseTempPath(" " + app.str() + " ", temp.str()), app.str());
    EXPECT_EQ(ChooseTempPath(app.str() + std::string("\0junk", 5), temp.str()), app.str());
    test::WriteBytes(app.file("a-file"), "x");
    EXPECT_EQ(ChooseTempPath(app.file("a-file"), temp.str()), app.file("a-file"));
}

}  // namespace
}  // namespace kvu
