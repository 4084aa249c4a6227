#include "core/live_update_form.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "tests/core/live_update_form_fixture.h"

namespace kvu {
namespace {

using test::LiveUpdateFormTest;

TEST_F(LiveUpdateFormTest, WithoutAConnectionItSaysSoAndEndsBeforeAnythingElse) {
    connected = false;
    LiveUpdateForm& f = Start();

    ASSERT_EQ(backend().messageBoxes.size(), 1u);
    const headless::ShownMessageBox& box = backend().messageBoxes[0];
    EXPECT_EQ(box.text, "Nincs internetkapcsolat, a frissítés nem futtatható!");
    EXPECT_EQ(box.title, "tarvo-lindora updater");
    EXPECT_EQ(box.style, 16);
    EXPECT_TRUE(session.ProgramEnded());
    EXPECT_FALSE(f.Shown());
    EXPECT_EQ(f.cbSw.ItemCount(), 0);
    EXPECT_EQ(f.state().StatusText, "");
    EXPECT_FALSE(PathExists(IniFilePath(app.str()))) << "no settings were loaded or written";
}

TEST_F(LiveUpdateFormTest, FirstStartShowsTheDefaultsAndWritesTheProductFolder) {
    LiveUpdateForm& f = Start();

    EXPECT_EQ(connectionTests, 1);
    EXPECT_TRUE(backend().messageBoxes.empty());
    EXPECT_TRUE(f.Shown());
    EXPECT_EQ(f.Caption(), "Tarvo Software Updater");
    EXPECT_EQ(f.tbRepoFile.Text(), "http://update.tarvo.hu/pelt/1.5.repository.1.5.xrs");
    EXPECT_EQ(f.tbAppPath.Text(), app.str());
    EXPECT_EQ(f.tbTempPath.Text(), tmp.str());
    EXPECT_EQ(f.chkNewer.Value(), 0);
    EXPECT_EQ(Ini("APP_PATH"), app.str());
    EXPECT_EQ(Ini("REPO_URL"), "<none>") << "written only when the URL box loses the focus";
    EXPECT_EQ(Ini("UPDATE_ONLY_NEWER"), "<none>") << "the box's value did not change";

    const UpdaterState& s = f.state();
    EXPECT_EQ(s.SelectedProductNumber, 0);
    EXPECT_EQ(s.DefaultTempFolder, tmp.str());
    EXPECT_EQ(s.StatusText, "Készenlét");
    EXPECT_EQ(s.ElapsedSeconds, 0);
    EXPECT_TRUE(s.RestrictList.empty());
    EXPECT_TRUE(s.DeleteTempFlag);
}

struct TempCase {
    const char* name;
    const char* tmp;       // "T": the tmp folder, "F": a file, "-": missing, "": empty
    const char* temp;      // the same for temp
    const char* expected;  // "T", "E" (the temp folder) or "A" (application folder)
    friend void PrintTo(const TempCase& c, std::ostream* out) { *out << c.name; }
};

class TempFolderChoice : public LiveUpdateFormTest,
                         public ::testing::WithParamInterface<TempCase> {};

TEST_P(TempFolderChoice, TmpThenTempThenTheApplicationFolder) {
    test::TempDir temp;
    test::WriteBytes(app.file("a-file"), "x");
    auto value = [&](const char* code, const std::string& folder) {
        std::string c = code;
        return c == "T" || c == "E" ? folder
               : c == "F"           ? app.file("a-file")
               : c == "-"           ? app.file("missing")
                                    : std::string();
    };
    environment["tmp"] = value(GetParam().tmp, tmp.str());
    environment["temp"] = value(GetParam().temp, temp.str());
    LiveUpdateForm& f = Start();
    std::string e = GetParam().expected;
    std::string expected = e == "T" ? tmp.str() : e == "E" ? temp.str() : app.str();
    EXPECT_EQ(f.state().DefaultTempFolder, expected);
    EXPECT_EQ(f.tbTempPath.Text(), expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, TempFolderChoice,
                         ::testing::Values(TempCase{"TmpWins", "T", "E", "T"},
                                           TempCase{"EmptyTmp", "", "E", "E"},
                                           TempCase{"MissingTmpIsNotSkipped", "-", "E", "A"},
                                           TempCase{"NeitherExists", "-", "-", "A"},
                                           TempCase{"NeitherSet", "", "", "A"},
                                           TempCase{"AFileIsNoFolder", "F", "E", "A"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LiveUpdateFormTest, WithoutAProductListTheSelectorIsDisabled) {
    WriteIni("[0_PARAM]\r\nREPO_URL=http://h/0.xrs\r\n[PRODUCTS]\r\n\r\n");
    LiveUpdateForm& f = Start();
    ASSERT_EQ(f.cbSw.ItemCount(), 1);
    EXPECT_EQ(f.cbSw.Entries()[0], (ui::ComboBox::Entry{"egyéni beállítású", 0}));
    EXPECT_EQ(f.cbSw.ListIndex(), 0);
    EXPECT_FALSE(f.cbSw.Enabled());
    EXPECT_FALSE(headless::Select(f.cbSw, 0)) << "the user cannot open a disabled list";
    EXPECT_EQ(f.tbRepoFile.Text(), "http://h/0.xrs");
}

}  // namespace
}  // namespace kvu
