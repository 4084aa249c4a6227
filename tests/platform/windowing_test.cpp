// The windowing model over the in-memory backend: what code and the user can
// do to controls, and what events that raises.
#include "platform/windowing.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/headless/driver.h"

namespace kvu {
namespace {

using namespace headless;

class TestForm : public ui::Form {
  public:
    explicit TestForm(ui::Session& s, std::string name = "TestForm")
        : ui::Form(s, std::move(name), "Próba", 6000, 4000) {}
    ui::Frame frame{*this, "frame", {100, 200, 3000, 2000}, "Keret"};
    ui::TextBox inFrame{frame, "inFrame", {50, 60, 1000, 300}};
    ui::TextBox text{*this, "text", {100, 2400, 1000, 300}};
    ui::ComboBox combo{*this, "combo", {100, 2800, 1000, 300}};
    ui::CheckBox check{*this, "check", {100, 3200, 1000, 300}, "Jelölő"};
    ui::Button button{*this, "button", {1200, 3200, 1000, 300}, "&Gomb"};
    ui::Label label{*this, "label", {2400, 3200, 1000, 300}, "Felirat"};
    ui::Timer timer{*this, "timer", 100};
};

class WindowingTest : public ::testing::Test {
  protected:
    ui::Session session{"Alkalmazás"};
    TestForm form{session};
    HeadlessBackend& backend() { return BackendOf(session); }
};

TEST_F(WindowingTest, CodeRaisesChangeAndClickOnlyWhenTheValueChanges) {
    int changes = 0;
    int comboClicks = 0;
    int checkClicks = 0;
    form.text.onChange = [&] { ++changes; };
    form.combo.onClick = [&] { ++comboClicks; };
    form.check.onClick = [&] { ++checkClicks; };

    form.text.SetText("a");
    form.text.SetText("a");
    form.text.SetText("");
    EXPECT_EQ(changes, 2);

    form.combo.AddItem("első", 10);
    form.combo.AddItem("második", 20);
    form.combo.SetListIndex(0);
    form.combo.SetListIndex(0);
    form.combo.SetListIndex(1);
    EXPECT_EQ(comboClicks, 2);
    form.combo.Clear();
    EXPECT_EQ(form.combo.ListIndex(), -1);
    EXPECT_EQ(comboClicks, 2) << "emptying the list is no click";
    EXPECT_THROW(form.combo.SetListIndex(0), std::out_of_range);

    form.check.SetValue(1);
    form.check.SetValue(1);
    form.check.SetValue(2);
    EXPECT_EQ(checkClicks, 2);
    EXPECT_THROW(form.check.SetValue(3), std::out_of_range);
}

TEST_F(WindowingTest, TheUserReachesOnlyShownEnabledControlsOfAShownWindow) {
    int clicks = 0;
    form.button.onClick = [&] { ++clicks; };
    EXPECT_FALSE(Click(form.button)) << "the window is not shown yet";
    session.Show(form);
    EXPECT_TRUE(Click(form.button));
    form.button.SetEnabled(false);
    EXPECT_FALSE(Click(form.button));
    form.button.SetEnabled(true);
    form.button.SetVisible(false);
    EXPECT_FALSE(Click(form.button));
    EXPECT_EQ(clicks, 1);

    EXPECT_TRUE(Type(form.inFrame, "x"));
    form.frame.SetEnabled(false);
    EXPECT_FALSE(form.inFrame.ShownEnabled());
    EXPECT_FALSE(Type(form.inFrame, "y")) << "a disabled frame disables what it holds";
    form.frame.SetEnabled(true);
    form.frame.SetVisible(false);
    EXPECT_FALSE(Type(form.inFrame, "y"));
    EXPECT_EQ(form.inFrame.Text(), "x");
}

TEST_F(WindowingTest, MovingTheFocusAwayFromATextBoxRaisesItsLostFocus) {
    session.Show(form);
    std::vector<std::string> lost;
    form.text.onLostFocus = [&] { lost.push_back("text"); };
    form.inFrame.onLostFocus = [&] { lost.push_back("inFrame"); };
    ASSERT_TRUE(Type(form.text, "a"));
    ASSERT_TRUE(Type(form.text, "b"));
    EXPECT_TRUE(lost.empty()) << "typing on keeps the focus";
    ASSERT_TRUE(Click(form.label));
    EXPECT_TRUE(lost.empty()) << "a label takes no focus";
    ASSERT_TRUE(Click(form.button));
    ASSERT_TRUE(Focus(form.inFrame));
    ASSERT_TRUE(Click(form.check));
    EXPECT_EQ(lost, (std::vector<std::string>{"text", "inFrame"}));
    EXPECT_EQ(form.check.Value(), 1);
    ASSERT_TRUE(Click(form.check));
    EXPECT_EQ(form.check.Value(), 0);
}

TEST_F(WindowingTest, TimersFireOnlyWhileRunningOnAShownWindow) {
    int ticks = 0;
    form.timer.onTimer = [&] { ++ticks; };
    EXPECT_FALSE(Tick(form.timer)) << "not shown";
    session.Show(form);
    EXPECT_TRUE(Tick(form.timer));
    form.timer.SetInterval(0);
    EXPECT_FALSE(form.timer.Running());
    EXPECT_FALSE(Tick(form.timer));
    form.timer.SetInterval(1000);
    form.timer.SetEnabled(false);
    EXPECT_FALSE(Tick(form.timer));
    form.timer.SetEnabled(true);
    EXPECT_TRUE(Tick(form.timer));
    form.timer.SetInterval(-5);
    EXPECT_EQ(form.timer.Interval(), 0);
    EXPECT_EQ(ticks, 2);
}

TEST_F(WindowingTest, MessageBoxesAreAnsweredByTheScriptOrByTheirFirstButton) {
    AnswerNextMessageBox(session, ui::kIdNo);
    EXPECT_EQ(session.MsgBox("Kérdés?", ui::kMbYesNo | ui::kMbQuestion, "Cím"), ui::kIdNo);
    EXPECT_EQ(session.MsgBox("Hiba", ui::kMbCritical), ui::kIdOk);
    EXPECT_EQ(session.MsgBox("Még?", ui::kMbYesNoCancel), ui::kIdYes);
    EXPECT_EQ(session.MsgBox("Újra?", ui::kMbRetryCancel), ui::kIdRetry);
    ASSERT_EQ(backend().messageBoxes.size(), 4u);
    EXPECT_EQ(backend().messageBoxes[0].title, "Cím");
    EXPECT_EQ(backend().messageBoxes[0].style, 36);
    EXPECT_EQ(backend().messageBoxes[1].title, "Alkalmazás") << "the application title";
    EXPECT_EQ(backend().messageBoxes[1].text, "Hiba");
    EXPECT_EQ(backend().messageBoxes[1].style, 16);
}

TEST_F(WindowingTest, AModalWindowBlocksItsOwnerUntilItIsUnloaded) {
    session.Show(form);
    TestForm dialog(session, "dialog");
    int unloads = 0;
    dialog.onUnload = [&] { ++unloads; };
    bool ownerReachable = true;
    ActInNextModal(session, [&](ui::Form& shown) {
        EXPECT_EQ(&shown, &dialog);
        EXPECT_TRUE(shown.Modal());
        ownerReachable = Click(form.button);
        EXPECT_TRUE(Type(dialog.text, "benn"));
        shown.Unload();
    });
    session.ShowModal(dialog, &form);
    EXPECT_FALSE(ownerReachable);
    EXPECT_EQ(dialog.text.Text(), "benn");
    EXPECT_EQ(unloads, 1);
    EXPECT_TRUE(dialog.Unloaded());
    EXPECT_TRUE(Click(form.button)) << "the owner takes input again";

    TestForm unanswered(session, "unanswered");
    unanswered.onUnload = [&] { ++unloads; };
    session.ShowModal(unanswered, &form);
    EXPECT_TRUE(unanswered.Unloaded()) << "closed by its close box";
    EXPECT_EQ(unloads, 2);
    EXPECT_EQ(backend().modalWindows, (std::vector<std::string>{"dialog", "unanswered"}));
}

TEST_F(WindowingTest, InputBoxGivesTheTypedTextOrNothingOnCancel) {
    AnswerNextInputBox(session, "válasz");
    EXPECT_EQ(session.InputBox("Adja meg:", "Cím", "alap"), "válasz");
    AnswerNextInputBox(session, std::nullopt);
    EXPECT_EQ(session.InputBox("Adja meg:", "Cím", "alap"), "");
    ActInNextModal(session,
                   [](ui::Form& box) { Click(dynamic_cast<ui::InputBoxForm&>(box).btOK); });
    EXPECT_EQ(session.InputBox("Adja meg:", "", "alap"), "alap") << "the default, confirmed";
}

TEST_F(WindowingTest, EndingTheProgramStopsEverything) {
    session.Show(form);
    session.EndProgram();
    EXPECT_TRUE(session.ProgramEnded());
    EXPECT_FALSE(Click(form.button));
    EXPECT_FALSE(Tick(form.timer));
    TestForm later(session, "later");
    session.ShowModal(later, &form);
    EXPECT_FALSE(later.Shown());
    EXPECT_TRUE(backend().modalWindows.empty());
}

}  // namespace
}  // namespace kvu
