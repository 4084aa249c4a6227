// The update list window as the user sees it, over the in-memory backend, with
// real files in a temporary folder (some held open as a running program would).
#include "decision/update_form.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/driver.h"
#include "tests/support/held_file.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

void IgnoreLog(const std::string&) {}

constexpr ui::Colour kNavy = 0x800000, kGreen = 0x008000, kOlive = 0x008080, kRed = 0x0000FF;
constexpr int kDateColumn = 4, kSizeColumn = 6;
using Flags = std::vector<bool>;

class UpdateFormTest : public ::testing::Test {
  protected:
    test::TempDir app;
    ui::Session session{"Internetes alkalmazásfrissítés"};
    ui::Form owner{session, "LiveUpdateForm", "Tarvo Software Updater", 7800, 4860};
    std::vector<clsUpdateInfo> list;
    std::unique_ptr<updateform> form;

    // New file a.dll, newer version b.ocx, newer date c.exe, nothing newer
    // d.dll; all but a.dll installed as real files.
    UpdateFormTest() {
        struct Facts {
            const char *name, *version;
            int size;
            const char *date, *netVersion;
        };
        for (Facts f : {Facts{"a.dll", "", 0, "", "1.0"},
                        Facts{"b.ocx", "1.0", 300, "2023.06.01. 00:00:00", "1.1"},
                        Facts{"c.exe", "", 1000, "2023.04.01. 00:00:00", ""},
                        Facts{"d.dll", "2.0", 4000, "2023.05.01. 00:00:00", "2.0"}}) {
            clsUpdateInfo r;
            r.appname = f.name;
            r.LocalPath = app.file(f.name);
            if (f.size > 0)
                test::WriteBytes(r.LocalPath, std::string(static_cast<std::size_t>(f.size), 'x'));
            r.LocalVersion = f.version;
            r.LocalFileSize = f.size;
            r.LocalFileDate = f.date;
            r.NetVersion = f.netVersion;
            r.NetFileDate = "2023.05.01. 00:00:00";
            r.NetFileSize = 1234;
            list.push_back(r);
        }
    }
    headless::HeadlessBackend& backend() { return headless::BackendOf(session); }
    updateform& Open() {
        session.Show(owner);
        form = std::make_unique<updateform>(session, list, IgnoreLog);
        form->Load(&owner);
        session.Show(*form);
        return *form;
    }
    Flags Downloads() const {
        Flags d;
        for (const clsUpdateInfo& r : list)
            d.push_back(r.Download);
        return d;
    }
    std::vector<std::string> ShownNames() const {
        std::vector<std::string> names;
        for (int row : form->Lv1.DisplayOrder())
            names.push_back(
                form->Lv1.CellText(row, 0).substr(form->Lv1.CellText(row, 0).rfind(' ') + 1));
        return names;
    }
};

TEST_F(UpdateFormTest, EveryCellShowsItsCaseColourAndTheRecommendedRowsAreChecked) {
    updateform& f = Open();
    EXPECT_EQ(f.Caption(), "Letöltés");
    struct Row {
        const char* caption;
        ui::Colour colour;
        bool checked;
    };
    const Row expected[] = {{"új fájl -> a.dll", kNavy, true},
                            {"újabb verzió -> b.ocx", kGreen, true},
                            {"újabb dátum -> c.exe", kOlive, true},
                            {"nincs újabb -> d.dll", 0, false}};
    ASSERT_EQ(f.Lv1.RowCount(), 4);
    for (int row = 0; row < 4; ++row) {
        const Row& e = expected[row];
        EXPECT_EQ(f.Lv1.CellText(row, 0), e.caption);
        EXPECT_EQ(f.Lv1.Checked(row), e.checked) << e.caption;
        ASSERT_EQ(f.Lv1.GetRow(row).cells.size(), 10u);
        for (const ui::ListView::Cell& cell : f.Lv1.GetRow(row).cells)
            EXPECT_TRUE(cell.foreColor == e.colour && !cell.bold) << e.caption << ": " << cell.text;
    }
    EXPECT_EQ(f.Lv1.CellText(3, 1), app.file("d.dll"));
}

TEST_F(UpdateFormTest, HeaderClicksSortAndMarkOnlyTheKeyColumnAndInstallTakesTheCheckedRows) {
    updateform& f = Open();
    struct Step {
        int column;
        std::vector<std::string> shown;
        int mark;  // 0: the descending image, 1: the ascending one
    };
    const Step steps[] = {{kDateColumn, {"a.dll", "c.exe", "d.dll", "b.ocx"}, 1},
                          {kDateColumn, {"b.ocx", "d.dll", "c.exe", "a.dll"}, 0},
                          {kSizeColumn, {"a.dll", "c.exe", "b.ocx", "d.dll"}, 1}};  // as text
    for (const Step& step : steps) {
        ASSERT_TRUE(headless::ClickColumn(f.Lv1, step.column));
        EXPECT_EQ(ShownNames(), step.shown) << "column " << step.column;
        for (int column = 0; column < f.Lv1.ColumnCount(); ++column)
            EXPECT_EQ(f.Lv1.GetColumn(column).image, column == step.column ? step.mark : -1);
    }
    // Install hands back exactly the checked rows, whatever the order shown.
    ASSERT_TRUE(headless::CheckRow(f.Lv1, f.Lv1.DisplayOrder()[2], false));  // b.ocx
    ASSERT_TRUE(headless::CheckRow(f.Lv1, f.Lv1.DisplayOrder()[3], true));   // d.dll
    ASSERT_TRUE(headless::Click(f.lbVálaszt));
    EXPECT_TRUE(f.Unloaded() && f.InstallConfirmed());
    EXPECT_EQ(Downloads(), (Flags{true, false, true, true}));
}

TEST_F(UpdateFormTest, CheckedFilesInUseAreRefusedAndMarkedUntilUnchecked) {
    test::HeldFile b(app.file("b.ocx")), c(app.file("c.exe")), d(app.file("d.dll"));
    ASSERT_TRUE(b.held() && c.held() && d.held());
    updateform& f = Open();
    ASSERT_TRUE(headless::Click(f.lbVálaszt));
    ASSERT_EQ(backend().messageBoxes.size(), 1u);
    EXPECT_EQ(backend().messageBoxes[0].text,
              "Nem lépett ki minden frissíteni kívánt alkalmazásból. (piros színűre váltott az "
              "első oszlop a hibás soroknál!)");
    EXPECT_EQ(backend().messageBoxes[0].title, "Frissítés nem végezhető el a kijelölt elemekre");
    EXPECT_EQ(backend().messageBoxes[0].style, ui::kMbOk | ui::kMbCritical);
    EXPECT_FALSE(f.Unloaded());
    EXPECT_EQ(Downloads(), (Flags{true, true, true, false})) << "unchanged";
    const Flags marked{false, true, true, false};  // d.dll is in use but not checked
    for (int row = 0; row < 4; ++row) {
        const auto& cells = f.Lv1.GetRow(row).cells;
        EXPECT_EQ(cells[0].bold && cells[0].foreColor == kRed,
                  marked[static_cast<std::size_t>(row)]);
        EXPECT_NE(cells[1].foreColor, kRed) << "only the first column turns red";
    }
    headless::CheckRow(f.Lv1, 1, false);
    headless::CheckRow(f.Lv1, 2, false);
    ASSERT_TRUE(headless::Click(f.lbVálaszt));
    EXPECT_EQ(backend().messageBoxes.size(), 1u);
    EXPECT_EQ(Downloads(), (Flags{true, false, false, false}));
}

// Only a passed install with rows checked leaves files chosen.
TEST_F(UpdateFormTest, EveryOtherWayOutChoosesNothing) {
    const std::function<void(updateform&)> ways[] = {
        [](updateform& f) { headless::CloseBox(f); },
        [](updateform& f) { headless::Click(f.lbMégsem); },
        [](updateform& f) {
            for (int row = 0; row < 4; ++row)
                headless::CheckRow(f.Lv1, row, false);
            headless::Click(f.lbVálaszt);
        },
        [](updateform& f) { f.session().EndProgram(); },
    };
    for (const auto& leave : ways) {
        headless::ActInNextModal(session, [&](ui::Form& shown) {
            auto& f = dynamic_cast<updateform&>(shown);
            headless::CheckRow(f.Lv1, 3, true);
            leave(f);
            EXPECT_TRUE(f.Unloaded() || session.ProgramEnded());
        });
        ShowUpdateForm(owner, list, IgnoreLog);
        EXPECT_EQ(Downloads(), Flags(4, false));
    }
    EXPECT_TRUE(backend().messageBoxes.empty());
}

// The list follows the window; a window too small for the list changes nothing.
TEST_F(UpdateFormTest, ResizingMovesTheListAndTheInstallButtonUnlessTooSmall) {
    updateform& f = Open();
    const ui::Rect start = f.Bounds();
    struct Case {
        int width, height;
        bool rearranged;
    };
    for (Case c : {Case{1449, 5000, false}, Case{5000, 2384, false}, Case{1450, 2385, true},
                   Case{start.width + 1000, start.height + 600, true}}) {
        headless::Resize(f, start);
        const ui::Rect list = f.Lv1.Geometry(), install = f.frVálaszt.Geometry(),
                       cancel = f.frMégsem.Geometry();
        ASSERT_TRUE(headless::Resize(f, {start.left, start.top, c.width, c.height}));
        ASSERT_EQ(f.Lv1.Geometry() != list, c.rearranged) << c.width << "x" << c.height;
        if (!c.rearranged)
            continue;
        const int dw = c.width - start.width, dh = c.height - start.height;
        EXPECT_EQ(f.Lv1.Geometry(),
                  (ui::Rect{list.left, list.top, list.width + dw, list.height + dh}));
        EXPECT_EQ(f.frVálaszt.Geometry(),
                  (ui::Rect{install.left + dw, install.top + dh, install.width, install.height}));
        EXPECT_EQ(f.frMégsem.Geometry().left, cancel.left);
    }
}

TEST_F(UpdateFormTest, PositionIsKeptAndAnUnsoundOneOpensTheDesignSizeOverTheOwner) {
    owner.Move({12000, 4000, 7920, 5310});
    updateform& first = Open();
    EXPECT_TRUE(first.Centred()) << "nothing stored yet";
    const ui::Rect design = first.Bounds(), chosen{1500, 900, 16000, 11000};
    headless::Resize(first, chosen);
    headless::CloseBox(first);
    EXPECT_EQ(Open().Bounds(), chosen);
    headless::CloseBox(*form);

    // On a screen no longer there (which positions are sound is tested
    // without the window).
    session.SaveSetting("KVU", "UPDATEFORM", "LEFT",
                        std::to_string(2000 * headless::HeadlessBackend::kTwipsPerPixel));
    EXPECT_EQ(Open().Bounds(),
              (ui::Rect{12000 + (7920 - design.width) / 2, 4000 + (5310 - design.height) / 2,
                        design.width, design.height}));
}

TEST_F(UpdateFormTest, LabelButtonsLightUpWhileThePointerIsOnTheirFrameEdgesIncluded) {
    updateform& f = Open();
    struct Button {
        ui::Frame& frame;
        ui::Label& label;
        ui::Colour rest;
    };
    for (const Button& b :
         {Button{f.frMégsem, f.lbMégsem, 0x0000C0}, Button{f.frVálaszt, f.lbVálaszt, 0x008000}}) {
        const ui::PixelRect r = b.frame.ScreenRect();
        for (auto [x, y, over] : {std::tuple{r.left, r.top, true},
                                  {r.right, r.bottom, true},
                                  {r.right + 1, r.top, false},
                                  {r.left, r.bottom + 1, false},
                                  {r.left - 1, r.top, false}}) {
            backend().cursor = {x, y};
            ASSERT_TRUE(headless::Tick(f.Timer1));
            EXPECT_EQ(b.label.ForeColor(), over ? 0x0080FF : b.rest)
                << b.label.Name() << x << "," << y;
            EXPECT_EQ(b.label.GetFont().underline, over);
        }
    }
}

}  // namespace
}  // namespace kvu
