// The Win32 windowing backend with real windows (under Wine, on an X server):
// what the model sets shows in the native controls and on the screen, and what
// the user does in them reaches the model and its events. What each window
// shows is tested on the headless backend.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/live_update_form.h"
#include "core/settings.h"
#include "decision/sort_marks.h"
#include "platform/profile.h"
#include "platform/win32/wide.h"
#include "platform/windowing.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

std::wstring TextOf(HWND window) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(window, buffer, 1024);
    return buffer;
}

// The child windows of a window by class, in creation order.
std::vector<HWND> ChildrenOfClass(HWND parent, const wchar_t* windowClass) {
    std::vector<HWND> found;
    for (HWND child = nullptr; (child = FindWindowExW(parent, child, windowClass, nullptr));)
        found.push_back(child);
    return found;
}

class Win32WindowingTest : public ::testing::Test {
  protected:
    test::TempDir app;
    ui::Session session{"Internetes alkalmazásfrissítés"};
    std::unique_ptr<LiveUpdateForm> form;
    HWND main = nullptr;

    void SetUp() override {
        StartupDependencies deps;
        deps.appFolder = app.str();
        deps.isConnected = [] { return true; };
        deps.environment = [this](const std::string&) { return app.str(); };
        deps.installedProducts = [] { return std::vector<InstalledProduct>{{12, "Lindora Bér"}}; };
        form = std::make_unique<LiveUpdateForm>(session, std::move(deps));
        form->Load();
        session.Show(*form);
        main = FindWindowW(L"KvuForm", L"Tarvo Software Updater");
        ASSERT_NE(main, nullptr);
    }
    std::string Ini(const char* key) const {
        return ReadProfileString(ProductSection(0), key, "<none>", IniFilePath(app.str()));
    }
    // Lets the program handle what is waiting for a while (timers fire).
    void Pump(int milliseconds) {
        DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
        while (GetTickCount() < end) {
            session.ProcessPendingEvents();
            Sleep(5);
        }
    }
};

TEST_F(Win32WindowingTest, TheControlsShowTheModelsValues) {
    std::vector<HWND> edits = ChildrenOfClass(main, L"Edit");
    ASSERT_EQ(edits.size(), 3u);
    EXPECT_EQ(WideToUtf8(TextOf(edits[1])), app.str());
    EXPECT_TRUE(GetWindowLongPtrW(edits[2], GWL_STYLE) & ES_READONLY);
    HWND combo = FindWindowExW(main, nullptr, L"ComboBox", nullptr);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);

    form->tbRepoFile.SetText("http://h/ú.xrs");
    EXPECT_EQ(TextOf(edits[0]), L"http://h/ú.xrs");
    form->ProgressBar1.SetValue(2);
    HWND bar = FindWindowExW(main, nullptr, L"msctls_progress32", nullptr);
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 2);
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 3);
    form->btUpdateSearch.SetEnabled(false);
    EXPECT_FALSE(
        IsWindowEnabled(FindWindowExW(main, nullptr, L"Button", L"&Frissítések keresése ...")));
}

TEST_F(Win32WindowingTest, WhatTheUserDoesReachesTheModelAndItsHandlers) {
    HWND folder = ChildrenOfClass(main, L"Edit").at(1);
    SendMessageW(folder, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"D:\\Lindora"));
    EXPECT_EQ(form->tbAppPath.Text(), "D:\\Lindora");
    EXPECT_EQ(Ini("APP_PATH"), "D:\\Lindora");

    HWND check = FindWindowExW(main, nullptr, L"Button", L"csak újabb verziókat kínáljon fel");
    SendMessageW(check, BM_CLICK, 0, 0);
    EXPECT_EQ(form->chkNewer.Value(), 1);
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(Ini("UPDATE_ONLY_NEWER"), "1");

    HWND combo = FindWindowExW(main, nullptr, L"ComboBox", nullptr);
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    SendMessageW(main, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(form->state().SelectedProductNumber, 12);
}

TEST_F(Win32WindowingTest, TimersRunWhileEventsAreHandled) {
    Pump(300);
    HWND status = FindWindowExW(main, nullptr, L"msctls_statusbar32", nullptr);
    wchar_t text[256] = {};
    SendMessageW(status, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Státusz: Készenlét");

    form->Timer2.SetInterval(50);
    Pump(400);
    form->Timer2.SetInterval(0);
    EXPECT_GE(form->state().ElapsedSeconds, 2);
    SendMessageW(status, SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(WideToUtf8(text), ElapsedText(form->state().ElapsedSeconds));
}

// Answers the next modal window from a timer of this thread, as a user would.
VOID CALLBACK ConfirmInputBox(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = FindWindowW(L"KvuForm", L"Kérdés");
    if (!box)
        return;
    KillTimer(nullptr, id);
    SendMessageW(FindWindowExW(box, nullptr, L"Edit", nullptr), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"válasz"));
    SendMessageW(FindWindowExW(box, nullptr, L"Button", L"OK"), BM_CLICK, 0, 0);
}

TEST_F(Win32WindowingTest, AModalWindowDisablesItsOwnerAndReturnsWhenUnloaded) {
    SetTimer(nullptr, 0, 50, &ConfirmInputBox);
    EXPECT_EQ(session.InputBox("Adja meg:", "Kérdés", "alap"), "válasz");
    EXPECT_EQ(FindWindowW(L"KvuForm", L"Kérdés"), nullptr) << "the box is gone";
    EXPECT_TRUE(IsWindowEnabled(main)) << "the owner takes input again";
}

// The system dialog (message box, folder picker) that is open, if any.
HWND OpenDialog() {
    for (HWND dialog = nullptr; (dialog = FindWindowExW(nullptr, dialog, L"#32770", nullptr));)
        if (IsWindowVisible(dialog))
            return dialog;
    return nullptr;
}

// The button the next dialog is answered with, pressed from a timer.
int nextAnswer = IDOK;
std::wstring dialogTitle;

VOID CALLBACK AnswerDialog(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = OpenDialog();
    if (!dialog)
        return;
    KillTimer(nullptr, id);
    dialogTitle = TextOf(dialog);
    SendMessageW(GetDlgItem(dialog, nextAnswer), BM_CLICK, 0, 0);
}

TEST_F(Win32WindowingTest, MessageBoxesAnswerWithTheButtonChosen) {
    nextAnswer = IDNO;
    SetTimer(nullptr, 0, 50, &AnswerDialog);
    EXPECT_EQ(session.MsgBox("Folytatja?", ui::kMbYesNo | ui::kMbQuestion, "Kérdés"), ui::kIdNo);
    EXPECT_EQ(dialogTitle, L"Kérdés");
}

TEST_F(Win32WindowingTest, TheFolderPickerGivesAFolderOrNothingOnCancel) {
    nextAnswer = IDCANCEL;
    SetTimer(nullptr, 0, 50, &AnswerDialog);
    EXPECT_EQ(session.BrowseForFolder(form.get(), "Válasszon mappát"), "");
    nextAnswer = IDOK;
    SetTimer(nullptr, 0, 50, &AnswerDialog);
    // Confirmed at once, the picker gives its starting folder: the desktop's.
    const std::string chosen = session.BrowseForFolder(form.get(), "Válasszon mappát");
    EXPECT_TRUE(std::filesystem::is_directory(Utf8ToWide(chosen))) << chosen;
}

TEST_F(Win32WindowingTest, ClosingTheWindowUnloadsIt) {
    int unloads = 0;
    form->onUnload = [&] { ++unloads; };
    SendMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(unloads, 1);
    EXPECT_TRUE(form->Unloaded());
    EXPECT_FALSE(IsWindow(main));
}

TEST_F(Win32WindowingTest, TheSettingsStoreKeepsValuesPerUser) {
    const std::string app = "KVU-test-" + std::to_string(GetCurrentProcessId());
    EXPECT_EQ(session.GetSetting(app, "UPDATEFORM", "TOP", "100"), "100");
    session.SaveSetting(app, "UPDATEFORM", "TOP", "1234");
    session.SaveSetting(app, "UPDATEFORM", "LEFT", "ű");
    EXPECT_EQ(session.GetSetting(app, "UPDATEFORM", "TOP", "100"), "1234");
    EXPECT_EQ(session.GetSetting(app, "UPDATEFORM", "LEFT"), "ű");
    RegDeleteTreeW(HKEY_CURRENT_USER, Utf8ToWide("Software\\" + app).c_str());
}

class ListForm : public ui::Form {
  public:
    explicit ListForm(ui::Session& s) : ui::Form(s, "ListForm", "Lista", 8000, 5000) {}
    ui::ListView list{*this, "list", {120, 600, 7700, 3000}};
    ui::CustomButton ok{*this, "ok", {120, 3900, 1500, 400}, "Regisztráció"};
};

std::wstring ItemText(HWND list, int position, int column) {
    wchar_t buffer[256] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(position),
                 reinterpret_cast<LPARAM>(&item));
    return buffer;
}

bool ItemChecked(HWND list, int position) {
    auto state =
        SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(position), LVIS_STATEIMAGEMASK);
    return (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

// What the screen shows inside a rectangle of a child window, colours as
// ui::Colour; text is drawn without smoothing under Xvfb, so colours are exact.
struct Screen {
    int width = 0, height = 0;
    std::vector<ui::Colour> pixels;  // rows from the top

    static Screen Of(HWND child, RECT r) {
        RedrawWindow(GetAncestor(child, GA_ROOT), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        MapWindowPoints(child, nullptr, reinterpret_cast<POINT*>(&r), 2);
        Screen s{r.right - r.left, r.bottom - r.top, {}};
        HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, s.width, s.height);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, s.width, s.height, screen, r.left, r.top, SRCCOPY);
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x)
                s.pixels.push_back(GetPixel(memory, x, y));
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        return s;
    }
    ui::Colour At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    bool Shows(const ui::Image& image) const {
        for (int y = 0; y + image.height <= height; ++y)
            for (int x = 0; x + image.width <= width; ++x)
                if (Matches(x, y, image))
                    return true;
        return false;
    }
    bool Matches(int x, int y, const ui::Image& image) const {
        for (int j = 0; j < image.height; ++j)
            for (int i = 0; i < image.width; ++i)
                if (At(x + i, y + j) != image.pixels[static_cast<std::size_t>(j * image.width + i)])
                    return false;
        return true;
    }
};

RECT CellRect(HWND list, int item, int column) {
    RECT r{LVIR_LABEL, column, 0, 0};
    SendMessageW(list, column == 0 ? LVM_GETITEMRECT : LVM_GETSUBITEMRECT,
                 static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
    return r;
}

TEST(Win32ListWindow, RowsChecksSortingColoursMarksAndTheCustomButton) {
    ui::Session session{"Alkalmazás"};
    ListForm form(session);
    form.list.AddColumn("név", 3000);
    form.list.AddColumn("méret", 1500, ui::Align::kRight);
    form.list.SetHeaderImages({SortMarkImage(true), SortMarkImage(false)});
    const ui::Colour green = ui::RgbColour(0, 128, 0);
    for (auto [name, size] : {std::pair{"béta", "2"}, {"alfa", "1"}, {"gamma", "3"}}) {
        int row = form.list.AddRow(name);
        form.list.SetCellText(row, 1, size);
        form.list.SetCellForeColor(row, 0, green);
    }
    form.list.SetChecked(0, true);
    session.Show(form);
    HWND window = FindWindowW(L"KvuForm", L"Lista");
    ASSERT_NE(window, nullptr);
    HWND list = FindWindowExW(window, nullptr, L"SysListView32", nullptr);

    ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(ItemText(list, 1, 1), L"1");
    EXPECT_FALSE(ItemChecked(list, 1));
    const Screen name = Screen::Of(list, CellRect(list, 0, 0));
    const Screen size = Screen::Of(list, CellRect(list, 0, 1));
    EXPECT_GT(std::count(name.pixels.begin(), name.pixels.end(), green), 5);
    EXPECT_EQ(std::count(size.pixels.begin(), size.pixels.end(), green), 0);

    form.list.SetSortKey(0);
    form.list.SetSorted(true);
    EXPECT_EQ(ItemText(list, 0, 0), L"alfa");
    EXPECT_EQ(ItemText(list, 2, 0), L"gamma");
    EXPECT_TRUE(ItemChecked(list, 1)) << "the check box moves with its row";
    form.list.SetColumnImage(0, 1);
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    RECT first{}, second{};
    SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    EXPECT_TRUE(Screen::Of(header, first).Shows(SortMarkImage(false))) << "the ascending mark";
    EXPECT_FALSE(Screen::Of(header, second).Shows(SortMarkImage(false)));

    std::vector<int> userChecks;
    form.list.onItemCheck = [&](int row) { userChecks.push_back(row); };
    LVITEMW state{};
    state.stateMask = LVIS_STATEIMAGEMASK;
    state.state = INDEXTOSTATEIMAGEMASK(2);
    SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));  // "alfa"
    EXPECT_TRUE(form.list.Checked(1));
    EXPECT_EQ(userChecks, (std::vector<int>{1}));

    int clicks = 0;
    form.ok.onClick = [&] { ++clicks; };
    HWND button = FindWindowExW(window, nullptr, L"Button", L"Regisztráció");
    ASSERT_NE(button, nullptr);
    SendMessageW(button, BM_CLICK, 0, 0);
    form.ok.SetEnabled(false);
    SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1) << "a disabled button takes no click";
}

}  // namespace
}  // namespace kvu
