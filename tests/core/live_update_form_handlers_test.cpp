// The main window's handlers: product selection, write-backs, folder picker,
// timers, buttons.
#include <gtest/gtest.h>

#include "core/live_update_form.h"
#include "platform/encoding.h"
#include "tests/core/live_update_form_fixture.h"
#include "tests/support/http_test_server.h"

namespace kvu {
namespace {

using headless::Click;
using headless::Focus;
using headless::Select;
using headless::Tick;
using headless::Type;
using test::LiveUpdateFormTest;

constexpr const char* kTwoProducts =
    "[PRODUCTS]\r\n12=Lindora Bér\r\n3=Lindora Pénzügy\r\n"
    "[12_PARAM]\r\nREPO_URL=http://h/12.xrs\r\nAPP_PATH=D:\\Ber\r\nUPDATE_ONLY_NEWER=7\r\n"
    "DELETE_TMP=0\r\n";

TEST_F(LiveUpdateFormTest, TheProductsFillTheSelectorAndASelectedOneLoadsItsSection) {
    test::WriteBytes(IniFilePath(app.str()), Utf8ToAnsi(kTwoProducts));  // the file is ANSI
    LiveUpdateForm& f = Start();
    const std::vector<ui::ComboBox::Entry> inFileOrder = {
        {"egyéni beállítású", 0}, {"Lindora Bér", 12}, {"Lindora Pénzügy", 3}};
    EXPECT_EQ(f.cbSw.Entries(), inFileOrder);
    EXPECT_TRUE(f.cbSw.Enabled());
    EXPECT_EQ(f.cbSw.ListIndex(), 0);

    f.Label1.SetCaption("Nincs letölthető frissítés.");
    ASSERT_TRUE(Select(f.cbSw, 1));
    EXPECT_EQ(f.Label1.Caption(), "");
    EXPECT_EQ(f.tbRepoFile.Text(), "http://h/12.xrs");
    EXPECT_EQ(f.tbAppPath.Text(), "D:\\Ber");
    EXPECT_EQ(f.chkNewer.Value(), 1) << "any number but 0 checks the box";
    EXPECT_FALSE(f.state().DeleteTempFlag);
    EXPECT_EQ(Ini("UPDATE_ONLY_NEWER", 12), "1") << "the load changed the box: written back";

    ASSERT_TRUE(Type(f.tbRepoFile, "http://h/12b.xrs"));
    ASSERT_TRUE(Type(f.tbAppPath, "E:\\Uj"));
    EXPECT_EQ(Ini("REPO_URL", 12), "http://h/12b.xrs");
    EXPECT_EQ(Ini("APP_PATH", 12), "E:\\Uj");

    ASSERT_TRUE(Select(f.cbSw, 2));
    EXPECT_EQ(f.tbAppPath.Text(), app.str());
    EXPECT_EQ(f.chkNewer.Value(), 0);
}

// The URL when its box loses the focus (also when the program ends), the
// folder at every edit, the check box as 1 or 0, the temp folder never.
TEST_F(LiveUpdateFormTest, EditsAreWrittenBackEachAtItsMoment) {
    LiveUpdateForm& f = Start();
    ASSERT_TRUE(Type(f.tbRepoFile, "http://h/uj.xrs "));
    EXPECT_EQ(Ini("REPO_URL"), "<none>");
    ASSERT_TRUE(Focus(f.tbAppPath));
    EXPECT_EQ(Ini("REPO_URL"), "http://h/uj.xrs");  // the profile drops trailing blanks
    EXPECT_EQ(f.tbRepoFile.Text(), "http://h/uj.xrs ") << "the box keeps what was typed";
    for (const char* text : {"C", "C:\\L", ""}) {
        ASSERT_TRUE(Type(f.tbAppPath, text));
        EXPECT_EQ(Ini("APP_PATH"), text);
    }
    ASSERT_TRUE(Click(f.chkNewer));
    EXPECT_EQ(Ini("UPDATE_ONLY_NEWER"), "1");
    EXPECT_FALSE(Type(f.tbTempPath, "X:\\"));
    EXPECT_EQ(Ini("TEMP_PATH"), "<none>");

    // Leaving the program is a loss of focus too, and nothing runs after it.
    ASSERT_TRUE(Type(f.tbRepoFile, "http://h/last.xrs"));
    ASSERT_TRUE(Click(f.btExit));
    EXPECT_TRUE(session.ProgramEnded());
    EXPECT_EQ(Ini("REPO_URL"), "http://h/last.xrs");
    EXPECT_TRUE(backend().messageBoxes.empty()) << "no question asked";
    EXPECT_FALSE(Tick(f.Timer1));
}

TEST_F(LiveUpdateFormTest, ThePickedFolderOrTheCancelGoesIntoTheBox) {
    LiveUpdateForm& f = Start();
    headless::AnswerNextFolderPicker(session, "D:\\Lindora");
    ASSERT_TRUE(Click(f.btDirBrowse));
    EXPECT_EQ(f.tbAppPath.Text(), "D:\\Lindora");

    ASSERT_TRUE(Click(f.btDirBrowse));  // the user cancels
    EXPECT_EQ(f.tbAppPath.Text(), "");

    ASSERT_EQ(backend().folderPickers.size(), 2u);
    EXPECT_EQ(backend().folderPickers[1].owner, "LiveUpdateForm");
    EXPECT_EQ(backend().folderPickers[1].title, "Átmeneti könyvtár kiválasztása feltöltéshez.");
}

// A download hands its bytes over on the window's thread, which is when the
// timer can tick during it.
TEST_F(LiveUpdateFormTest, TheStatusPanelShowsTheStatusOnlyWhileATransferRuns) {
    test::HttpTestServer server;
    server.Route("/repo.xrs", test::Reply(200, "row"));
    LiveUpdateForm& f = Start();
    f.state().StatusText = "Friss verziók keresése.";
    std::string during;
    Result<std::uint64_t> fetched = f.Inet1.OpenUrl(server.Url("/repo.xrs"), [&](std::string_view) {
        Tick(f.Timer1);
        during = f.StatusBar1.PanelText(0);
        return true;
    });
    ASSERT_TRUE(fetched.ok()) << fetched.error().description;
    EXPECT_EQ(during, "Státusz: Friss verziók keresése.");
    ASSERT_TRUE(Tick(f.Timer1));
    EXPECT_EQ(f.StatusBar1.PanelText(0), "Státusz: Készenlét");
}

TEST_F(LiveUpdateFormTest, TheElapsedTimeCountsWhileTheSecondTimerRunsAndStopsAtItsLimit) {
    LiveUpdateForm& f = Start();
    f.Timer2.SetInterval(1000);
    ASSERT_TRUE(Tick(f.Timer2));
    EXPECT_EQ(f.state().ElapsedSeconds, 1);
    EXPECT_EQ(f.StatusBar1.PanelText(1), "Eltelt idő: 1 másodperc");

    f.state().ElapsedSeconds = 32766;
    ASSERT_TRUE(Tick(f.Timer2));
    ASSERT_TRUE(Tick(f.Timer2));
    EXPECT_EQ(f.state().ElapsedSeconds, 32767);

    f.Timer2.SetEnabled(false);
    EXPECT_FALSE(Tick(f.Timer2));
    f.Timer2.SetEnabled(true);
    f.Timer2.SetInterval(0);
    EXPECT_FALSE(Tick(f.Timer2));
    EXPECT_EQ(ElapsedText(0), "Eltelt idő: 0 másodperc") << "a blank before non-negative numbers";
    EXPECT_EQ(ElapsedText(-3), "Eltelt idő:-3 másodperc");
}

TEST_F(LiveUpdateFormTest, TheRegistrationButtonStartsWhatTheProgramSet) {
    LiveUpdateForm& f = Start();
    EXPECT_TRUE(Click(f.btRegisterActivex)) << "unset: nothing happens";
    int registrations = 0;
    f.registerActivex = [&] { ++registrations; };
    ASSERT_TRUE(Click(f.btRegisterActivex));
    EXPECT_EQ(registrations, 1);
}

}  // namespace
}  // namespace kvu
