// List views, progress and status bars, and window geometry in the windowing
// model over the in-memory backend.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/headless/driver.h"
#include "platform/windowing.h"

namespace kvu {
namespace {

using namespace headless;

class ListForm : public ui::Form {
  public:
    explicit ListForm(ui::Session& s) : ui::Form(s, "ListForm", "Lista", 8000, 5000) {}
    ui::ListView list{*this, "list", {100, 100, 7000, 3000}};
    ui::ProgressBar bar{*this, "bar", {100, 3200, 7000, 255}};
    ui::StatusBar status{*this, "status", {3000, 2000}};
    ui::Frame outer{*this, "outer", {1000, 1500, 4000, 1000}};
    ui::Frame inner{outer, "inner", {200, 300, 1000, 500}};
    ui::Label deep{inner, "deep", {30, 45, 600, 300}, "mély"};
};

class WindowingListTest : public ::testing::Test {
  protected:
    ui::Session session{"Alkalmazás"};
    ListForm form{session};

    void Fill(const std::vector<std::pair<std::string, std::string>>& rows) {
        form.list.AddColumn("név", 2000);
        form.list.AddColumn("méret", 1000, ui::Align::kRight);
        for (const auto& [name, size] : rows) {
            int row = form.list.AddRow(name);
            form.list.SetCellText(row, 1, size);
        }
    }
    std::vector<std::string> Shown(int column) {
        std::vector<std::string> texts;
        for (int row : form.list.DisplayOrder())
            texts.push_back(form.list.CellText(row, column));
        return texts;
    }
};

TEST_F(WindowingListTest, SortingByAColumnsTextKeepsTheRowNumbers) {
    Fill({{"béta", "100"}, {"Alfa", "9"}, {"alfa", "20"}, {"Gamma", "3"}});
    EXPECT_EQ(Shown(0), (std::vector<std::string>{"béta", "Alfa", "alfa", "Gamma"}));

    form.list.SetSortKey(0);
    form.list.SetSorted(true);
    EXPECT_EQ(Shown(0), (std::vector<std::string>{"Alfa", "alfa", "béta", "Gamma"}))
        << "letter case does not count; equal texts keep their order";
    form.list.SetSortOrder(ui::ListView::SortOrder::kDescending);
    EXPECT_EQ(Shown(0), (std::vector<std::string>{"Gamma", "béta", "Alfa", "alfa"}));

    form.list.SetSortKey(1);
    form.list.SetSortOrder(ui::ListView::SortOrder::kAscending);
    EXPECT_EQ(Shown(1), (std::vector<std::string>{"100", "20", "3", "9"})) << "as text";
    EXPECT_EQ(form.list.CellText(1, 0), "Alfa") << "row 1 is still the second row added";

    int added = form.list.AddRow("delta");
    form.list.SetCellText(added, 1, "0");
    EXPECT_EQ(Shown(1).front(), "0") << "new rows take their sorted place";
    EXPECT_EQ(form.list.AddRows({{"Epszilon", "7"}, {"zéta", "05"}}), 5);
    EXPECT_EQ(Shown(1), (std::vector<std::string>{"0", "05", "100", "20", "3", "7", "9"}))
        << "so do rows added at once";
    EXPECT_EQ(form.list.CellText(6, 0), "zéta");
    form.list.SetSorted(false);
    EXPECT_EQ(form.list.DisplayOrder(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
}

TEST_F(WindowingListTest, CheckBoxesCellsAndColumns) {
    Fill({{"a", "1"}, {"b", "2"}});
    std::vector<int> checkedRows;
    form.list.onItemCheck = [&](int row) { checkedRows.push_back(row); };
    form.list.SetChecked(0, true);
    EXPECT_TRUE(checkedRows.empty()) << "code raises no check event";

    EXPECT_FALSE(CheckRow(form.list, 1, true)) << "not shown";
    session.Show(form);
    EXPECT_TRUE(CheckRow(form.list, 1, true));
    EXPECT_TRUE(CheckRow(form.list, 1, true));
    EXPECT_TRUE(CheckRow(form.list, 0, false));
    EXPECT_FALSE(CheckRow(form.list, 2, true));
    EXPECT_EQ(checkedRows, (std::vector<int>{1, 0}));
    EXPECT_FALSE(form.list.Checked(0));
    EXPECT_TRUE(form.list.Checked(1));

    form.list.SetCellForeColor(1, 0, ui::RgbColour(255, 0, 0));
    form.list.SetCellBold(1, 0, true);
    EXPECT_EQ(form.list.GetRow(1).cells[0].foreColor, ui::Colour{0x0000FF});
    EXPECT_TRUE(form.list.GetRow(1).cells[0].bold);
    EXPECT_FALSE(form.list.GetRow(1).cells[1].bold);
    EXPECT_EQ(form.list.CellText(0, 7), "") << "a cell never set is empty";
    EXPECT_THROW(form.list.SetCellText(5, 0, "x"), std::out_of_range);

    std::vector<int> clicked;
    form.list.onColumnClick = [&](int column) { clicked.push_back(column); };
    EXPECT_TRUE(ClickColumn(form.list, 1));
    EXPECT_FALSE(ClickColumn(form.list, 2));
    EXPECT_EQ(clicked, (std::vector<int>{1}));

    ui::Image mark{2, 1, {ui::RgbColour(128, 128, 128), ui::RgbColour(255, 255, 255)}};
    form.list.SetHeaderImages({mark, mark});
    form.list.SetColumnImage(1, 0);
    EXPECT_EQ(form.list.GetColumn(1).image, 0);
    EXPECT_EQ(form.list.GetColumn(1).align, ui::Align::kRight);
    EXPECT_THROW(form.list.SetColumnImage(0, 2), std::out_of_range);
    form.list.Clear();
    EXPECT_EQ(form.list.RowCount(), 0);
    EXPECT_EQ(form.list.ColumnCount(), 2);
}

TEST_F(WindowingListTest, TheProgressValueStaysInsideItsRange) {
    form.bar.SetRange(0, 3);
    form.bar.SetValue(5);
    EXPECT_EQ(form.bar.Value(), 3);
    form.bar.SetValue(-1);
    EXPECT_EQ(form.bar.Value(), 0);
    form.bar.SetValue(2);
    form.bar.SetMax(1);
    EXPECT_EQ(form.bar.Value(), 1);
    form.bar.SetMax(4);
    form.bar.SetValue(form.bar.Max());
    EXPECT_EQ(form.bar.Value(), 4);
}

TEST_F(WindowingListTest, StatusPanelsByIndex) {
    EXPECT_EQ(form.status.PanelCount(), 2);
    form.status.SetPanelText(1, "Eltelt idő: 1 másodperc");
    EXPECT_EQ(form.status.PanelText(0), "");
    EXPECT_EQ(form.status.PanelText(1), "Eltelt idő: 1 másodperc");
    EXPECT_THROW(form.status.SetPanelText(2, "x"), std::out_of_range);
}

TEST_F(WindowingListTest, GeometryOfFramesWindowsAndTheScreen) {
    EXPECT_EQ(form.deep.FormGeometry(), (ui::Rect{1230, 1845, 600, 300}));
    EXPECT_EQ(form.Bounds().width, 8000 + HeadlessBackend::kFrameWidth);
    EXPECT_EQ(form.Bounds().height, 5000 + HeadlessBackend::kFrameHeight);

    int resizes = 0;
    form.onResize = [&] { ++resizes; };
    form.Move({1500, 1500, form.Bounds().width, form.Bounds().height});
    EXPECT_EQ(resizes, 0) << "moved, not resized";
    EXPECT_FALSE(form.Centred());
    form.Move({1500, 1500, 9120, 6450});
    EXPECT_EQ(resizes, 1);
    EXPECT_EQ(form.ClientWidth(), 9000);
    EXPECT_EQ(form.ClientHeight(), 6000);

    session.Show(form);
    EXPECT_FALSE(Resize(form, {0, 0, 5000, 5000})) << "a fixed window cannot be resized";
    form.SetResizable(true);
    EXPECT_TRUE(Resize(form, {0, 0, 5000, 5000}));
    EXPECT_EQ(resizes, 2);
    EXPECT_EQ(form.ClientWidth(), 5000 - HeadlessBackend::kFrameWidth);

    // 15 twips a pixel: the label lies 82 + its offsets inside the window.
    ui::PixelRect r = form.deep.ScreenRect();
    EXPECT_EQ(r.right - r.left, 40);
    EXPECT_EQ(r.bottom - r.top, 20);
    BackendOf(session).cursor = {r.right, r.bottom};
    EXPECT_EQ(session.CursorPosition(), (ui::PixelPoint{r.right, r.bottom}));
}

TEST_F(WindowingListTest, ControlsAreFoundByNameAndLeaveTheirWindowWhenDestroyed) {
    EXPECT_EQ(form.FindControl("deep"), &form.deep);
    EXPECT_EQ(form.FindControl("nothing"), nullptr);
    EXPECT_EQ(form.ChildrenOf(form.outer), (std::vector<ui::Control*>{&form.inner, &form.deep}));
    std::size_t before = form.Controls().size();
    {
        ui::Button extra(form, "extra", {0, 0, 100, 100}, "x");
        EXPECT_EQ(form.Controls().size(), before + 1);
    }
    EXPECT_EQ(form.Controls().size(), before);
}

}  // namespace
}  // namespace kvu
