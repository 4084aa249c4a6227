// The registration window as the user sees it, on the headless backend with
// real test components.
#include "registration/activex_register_form.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

#include "platform/headless/driver.h"
#include "platform/paths.h"
#include "test_components.h"
#include "test_images.h"
#include "tests/platform/set_environment.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

using Names = std::vector<std::string>;

class ActivexRegisterFormTest : public ::testing::Test {
  protected:
    ActivexRegisterFormTest() {
        test::SetVariable("KVU_COMPONENT_TRACE", log_.file("trace.txt").c_str());
    }
    ~ActivexRegisterFormTest() override { test::UnsetVariable("KVU_COMPONENT_TRACE"); }

    void Put(const std::string& component, const std::string& name) {
        std::filesystem::copy_file(test::TestComponent(component), product_.file(name));
    }
    // A freshly loaded window; the program's version comes from a test image
    // of version 5.1.2600.5512.
    ActivexRegisterForm& Load() {
        ActivexRegisterForm& form =
            windows_.emplace_back(session_, log_.str(), test::TestImage("full.dll"));
        form.Load();
        return form;
    }
    ActivexRegisterForm& Shown(const std::string& folder) {
        ActivexRegisterForm& form = Load();
        form.ActiveXFillup(folder);
        session_.Show(form);
        return form;
    }
    static Names RowNames(const ActivexRegisterForm& form) {
        Names names;
        for (int row = 0; row < form.Lv1.RowCount(); ++row)
            names.push_back(form.Lv1.CellText(row, 0));
        return names;
    }
    std::string Registrations() const { return test::ReadBytes(log_.file("trace.txt")); }
    headless::HeadlessBackend& backend() { return headless::BackendOf(session_); }

    test::TempDir product_;
    test::TempDir log_;
    ui::Session session_{"app"};
    std::deque<ActivexRegisterForm> windows_;
};

TEST_F(ActivexRegisterFormTest, ListsTheFolderCheckedUnderOneLabelWhateverItsEnd) {
    EXPECT_EQ(Load().lblCaption[0].Caption(), "Programverzió:  [5.1.2600]");
    EXPECT_FALSE(windows_.back().btOK.Enabled()) << "nothing listed yet";
    Put("succeeds", "VmlxA.dll");
    Put("succeeds", "Grid.ocx");
    for (const std::string& folder : {product_.str(), product_.str() + kPathSep}) {
        ActivexRegisterForm& form = Shown(folder);
        EXPECT_EQ(form.lblCaption[1].Caption(),
                  "Programútvonal: [" + product_.str() + kPathSep + "]");
        EXPECT_EQ(RowNames(form), (Names{"VmlxA.dll", "Grid.ocx"}));
        EXPECT_TRUE(form.Lv1.Checked(0) && form.Lv1.Checked(1));
        EXPECT_TRUE(form.btOK.Enabled());
    }
    EXPECT_EQ(backend().pendingEventCalls, 4);  // other windows repaint while it fills
}

TEST_F(ActivexRegisterFormTest, RegistersTheCheckedRowsAndReportsThemInListOrder) {
    Put("succeeds", "VmlxA.dll");
    Put("succeeds", "VmlxB.dll");
    Put("fails", "Grid.ocx");
    ActivexRegisterForm& form = Shown(product_.str());
    ASSERT_EQ(RowNames(form), (Names{"VmlxA.dll", "VmlxB.dll", "Grid.ocx"}));
    ASSERT_TRUE(headless::CheckRow(form.Lv1, 1, false));
    ASSERT_TRUE(headless::Click(form.btOK));

    ASSERT_EQ(backend().messageBoxes.size(), 1u);
    const headless::ShownMessageBox& box = backend().messageBoxes[0];
    EXPECT_EQ(box.text, "Regisztráció sikerült: " + product_.file("VmlxA.dll") +
                            "\r\nRegisztráció nem sikerült: " + product_.file("Grid.ocx") + "\r\n");
    EXPECT_EQ(box.title, "ActiveX komponens regisztráció eredménye");
    EXPECT_EQ(box.style, ui::kMbOk + ui::kMbInformation);
    EXPECT_EQ(Registrations(), "register\n");  // the unchecked row was left alone
    EXPECT_TRUE(form.Unloaded());
}

TEST_F(ActivexRegisterFormTest, ClosingWithoutCheckedRowsRegistersNothingAndSaysNothing) {
    Put("succeeds", "VmlxA.dll");
    ActivexRegisterForm& unchecked = Shown(product_.str());
    ASSERT_TRUE(headless::CheckRow(unchecked.Lv1, 0, false));
    ASSERT_TRUE(headless::Click(unchecked.btOK));
    ActivexRegisterForm& cancelled = Shown(product_.str());
    ASSERT_TRUE(headless::Click(cancelled.btCancel));

    for (const ActivexRegisterForm& form : windows_)
        EXPECT_TRUE(form.Unloaded());
    EXPECT_TRUE(backend().messageBoxes.empty());
    EXPECT_EQ(Registrations(), "");
}

TEST_F(ActivexRegisterFormTest, InstalledUpdatesAreOfferedOnlyWhenThereAreComponents) {
    ActivexRegisterForm& nothing = Load();
    nothing.DownloadedActiveXFillUp({});
    EXPECT_TRUE(nothing.Unloaded());
    EXPECT_TRUE(backend().modalWindows.empty());

    Put("succeeds", "Grid.ocx");
    clsUpdateInfo update;
    update.Download = true;
    update.LocalPath = product_.file("Grid.ocx");
    ActivexRegisterForm& offered = Load();
    headless::ActInNextModal(session_, [&](ui::Form&) {
        EXPECT_EQ(offered.lblCaption[1].Caption(), "Frissített activex összetevők regisztrálása");
        EXPECT_EQ(RowNames(offered), Names{"Grid.ocx"});
        EXPECT_TRUE(headless::Click(offered.btOK));
    });
    offered.DownloadedActiveXFillUp({&update, 1});
    EXPECT_EQ(backend().modalWindows, Names{"ActivexRegisterForm"});
    EXPECT_EQ(Registrations(), "register\n");
}

}  // namespace
}  // namespace kvu
