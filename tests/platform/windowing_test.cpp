// The windowing model over the in-memory backend: what code and the user can
// do to controls and lists, and what events that raises. The scripted answers
// of the in-memory backend itself (message boxes, modal windows, timer ticks)
// and the lost focus, the timers and the unloading that the windows rely on
// are left to the windows' own tests.
#include "platform/windowing.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/headless/driver.h"

namespace kvu {
namespace {

using namespace headless;
using Texts = std::vector<std::string>;

class TestForm : public ui::Form {
  public:
    explicit TestForm(ui::Session& s) : ui::Form(s, "TestForm", "Próba", 6000, 4000) {}
    ui::Frame frame{*this, "frame", {100, 200, 3000, 2000}, "Keret"};
    ui::Frame inner{frame, "inner", {200, 300, 1000, 500}};
    ui::TextBox inFrame{inner, "inFrame", {30, 45, 600, 300}};
    ui::TextBox text{*this, "text", {100, 2400, 1000, 300}};
    ui::ComboBox combo{*this, "combo", {100, 2800, 1000, 300}};
    ui::CheckBox check{*this, "check", {100, 3200, 1000, 300}, "Jelölő"};
    ui::Button button{*this, "button", {1200, 3200, 1000, 300}, "&Gomb"};
    ui::ListView list{*this, "list", {3200, 100, 2700, 3000}};
    ui::ProgressBar bar{*this, "bar", {100, 3600, 5000, 255}};
};

class WindowingTest : public ::testing::Test {
  protected:
    ui::Session session{"Alkalmazás"};
    TestForm form{session};

    Texts Shown(int column) {
        Texts texts;
        for (int row : form.list.DisplayOrder())
            texts.push_back(form.list.CellText(row, column));
        return texts;
    }
};

TEST_F(WindowingTest, CodeRaisesChangeAndClickOnlyWhenTheValueChanges) {
    int changes = 0, comboClicks = 0, checkClicks = 0;
    form.text.onChange = [&] { ++changes; };
    form.combo.onClick = [&] { ++comboClicks; };
    form.check.onClick = [&] { ++checkClicks; };
    for (const char* value : {"a", "a", ""})
        form.text.SetText(value);
    form.combo.AddItem("első", 10);
    form.combo.AddItem("második", 20);
    for (int index : {0, 0, 1})
        form.combo.SetListIndex(index);
    form.combo.Clear();  // emptying the list is no click
    for (int value : {1, 1, 2})
        form.check.SetValue(value);
    EXPECT_EQ((std::vector<int>{changes, comboClicks, checkClicks, form.combo.ListIndex()}),
              (std::vector<int>{2, 2, 2, -1}));
    EXPECT_THROW(form.combo.SetListIndex(0), std::out_of_range);
    EXPECT_THROW(form.check.SetValue(3), std::out_of_range);
}

// Only the user's check of a row raises the check event.
TEST_F(WindowingTest, TheUserReachesOnlyShownEnabledControlsOfAShownWindow) {
    form.list.AddColumn("név", 2000);
    form.list.AddRows({{"a"}, {"b"}});
    std::vector<int> checked;
    form.list.onItemCheck = [&](int row) { checked.push_back(row); };
    form.list.SetChecked(0, true);
    EXPECT_FALSE(Click(form.button)) << "the window is not shown yet";
    session.Show(form);
    EXPECT_TRUE(CheckRow(form.list, 1, true));
    EXPECT_TRUE(CheckRow(form.list, 1, true));  // already checked
    EXPECT_EQ(checked, std::vector<int>{1});
    EXPECT_TRUE(form.list.Checked(0));
    EXPECT_TRUE(Click(form.button));
    form.button.SetEnabled(false);
    EXPECT_FALSE(Click(form.button));
    form.button.SetEnabled(true);
    form.button.SetVisible(false);
    EXPECT_FALSE(Click(form.button));
    EXPECT_TRUE(Type(form.inFrame, "x"));
    form.frame.SetEnabled(false);
    EXPECT_FALSE(Type(form.inFrame, "y")) << "a disabled frame disables what it holds";
    form.frame.SetEnabled(true);
    form.frame.SetVisible(false);
    EXPECT_FALSE(Type(form.inFrame, "y"));
    EXPECT_EQ(form.inFrame.Text(), "x");
    EXPECT_EQ(form.inFrame.FormGeometry(), (ui::Rect{330, 545, 600, 300}));
}

TEST_F(WindowingTest, SortingByAColumnsTextKeepsTheRowNumbers) {
    form.list.AddColumn("név", 2000);
    form.list.AddColumn("méret", 1000, ui::Align::kRight);
    EXPECT_EQ(form.list.AddRows({{"béta", "100"}, {"Alfa", "9"}, {"alfa", "20"}, {"Gamma", "3"}}),
              0);
    form.list.SetSortKey(0);
    form.list.SetSorted(true);
    // Letter case does not count; equal texts keep their order.
    EXPECT_EQ(Shown(0), (Texts{"Alfa", "alfa", "béta", "Gamma"}));
    form.list.SetSortOrder(ui::ListView::SortOrder::kDescending);
    EXPECT_EQ(Shown(0), (Texts{"Gamma", "béta", "Alfa", "alfa"}));
    form.list.SetSortKey(1);
    form.list.SetSortOrder(ui::ListView::SortOrder::kAscending);
    const int added = form.list.AddRow("delta");
    form.list.SetCellText(added, 1, "0");
    EXPECT_EQ(form.list.AddRows({{"zéta", "05"}}), 5);
    // As text, and new rows take their sorted place, also when added at once.
    EXPECT_EQ(Shown(1), (Texts{"0", "05", "100", "20", "3", "9"}));
    EXPECT_EQ(form.list.CellText(1, 0), "Alfa") << "row 1 is still the second row added";
    form.list.SetSorted(false);
    EXPECT_EQ(form.list.DisplayOrder(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

// Only a change of size is a resize; the input box offers its default text.
TEST_F(WindowingTest, ResizesAndTheInputBoxDefault) {
    int resizes = 0;
    form.onResize = [&] { ++resizes; };
    form.Move({1500, 1500, form.Bounds().width, form.Bounds().height});
    EXPECT_EQ(resizes, 0);
    form.Move({1500, 1500, 9120, 6450});
    EXPECT_EQ(resizes, 1);
    ActInNextModal(session,
                   [](ui::Form& box) { Click(dynamic_cast<ui::InputBoxForm&>(box).btOK); });
    EXPECT_EQ(session.InputBox("Adja meg:", "", "alap"), "alap");
}

TEST_F(WindowingTest, TheProgressValueStaysInsideItsRange) {
    form.bar.SetRange(0, 3);
    form.bar.SetValue(5);
    EXPECT_EQ(form.bar.Value(), 3);
    form.bar.SetValue(-1);
    EXPECT_EQ(form.bar.Value(), 0);
    form.bar.SetValue(2);
    form.bar.SetMax(1);
    EXPECT_EQ(form.bar.Value(), 1);
}

}  // namespace
}  // namespace kvu
