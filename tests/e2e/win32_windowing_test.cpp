// The Win32 windowing backend with real windows (under Wine, on an X server):
// what the model sets shows in the native controls, and what the user does in
// them reaches the model and its events.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/live_update_form.h"
#include "core/settings.h"
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

struct Search {
    std::wstring windowClass;
    std::vector<HWND> found;
};

BOOL CALLBACK AddIfOfClass(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    wchar_t name[256] = {};
    GetClassNameW(child, name, 256);
    if (search->windowClass == name)
        search->found.push_back(child);
    return TRUE;
}

// The child windows of a top-level window in creation order, by class.
std::vector<HWND> ChildrenOfClass(HWND parent, const std::wstring& windowClass) {
    Search search{windowClass, {}};
    EnumChildWindows(parent, &AddIfOfClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ChildWithText(HWND parent, const std::wstring& windowClass, const std::wstring& text) {
    for (HWND child : ChildrenOfClass(parent, windowClass)) {
        if (TextOf(child) == text)
            return child;
    }
    return nullptr;
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
    std::string Ini(const char* key, int product = 0) const {
        return ReadProfileString(ProductSection(product), key, "<none>", IniFilePath(app.str()));
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

TEST_F(Win32WindowingTest, TheWindowShowsTheModelsCaptionsAndValues) {
    EXPECT_TRUE(IsWindowVisible(main));
    for (const wchar_t* caption : {L"Frissítendő termék:", L"Verzióinformációs fájl:",
                                   L"terméktelepítési mappa:", L"ideiglenes mappa:"}) {
        EXPECT_NE(ChildWithText(main, L"Static", caption), nullptr) << WideToUtf8(caption);
    }
    for (const wchar_t* caption :
         {L"Internetes programfrissítés", L"...", L"csak újabb verziókat kínáljon fel",
          L"&Frissítések keresése ...", L"&ActiveX komponensek regisztrálása",
          L"&Kilépés a programból"}) {
        EXPECT_NE(ChildWithText(main, L"Button", caption), nullptr) << WideToUtf8(caption);
    }
    std::vector<HWND> edits = ChildrenOfClass(main, L"Edit");
    ASSERT_EQ(edits.size(), 3u);
    EXPECT_EQ(TextOf(edits[0]), L"http://update.tarvo.hu/pelt/1.5.repository.1.5.xrs");
    EXPECT_EQ(WideToUtf8(TextOf(edits[1])), app.str());
    EXPECT_TRUE(GetWindowLongPtrW(edits[2], GWL_STYLE) & ES_READONLY);

    std::vector<HWND> combos = ChildrenOfClass(main, L"ComboBox");
    ASSERT_EQ(combos.size(), 1u);
    EXPECT_TRUE(IsWindowEnabled(combos[0])) << "a product list is there";
    EXPECT_EQ(SendMessageW(combos[0], CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(combos[0], CB_GETCURSEL, 0, 0), 0);

    form->tbRepoFile.SetText("http://h/ú.xrs");
    EXPECT_EQ(TextOf(edits[0]), L"http://h/ú.xrs");
    form->ProgressBar1.SetValue(2);
    HWND bar = ChildrenOfClass(main, L"msctls_progress32").at(0);
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 2);
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 3);
    form->btUpdateSearch.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(ChildWithText(main, L"Button", L"&Frissítések keresése ...")));
}

TEST_F(Win32WindowingTest, WhatTheUserDoesReachesTheModelAndItsHandlers) {
    HWND folder = ChildrenOfClass(main, L"Edit").at(1);
    SendMessageW(folder, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"D:\\Lindora"));
    EXPECT_EQ(form->tbAppPath.Text(), "D:\\Lindora");
    EXPECT_EQ(Ini("APP_PATH"), "D:\\Lindora");

    HWND check = ChildWithText(main, L"Button", L"csak újabb verziókat kínáljon fel");
    SendMessageW(check, BM_CLICK, 0, 0);
    EXPECT_EQ(form->chkNewer.Value(), 1);
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(Ini("UPDATE_ONLY_NEWER"), "1");

    HWND combo = ChildrenOfClass(main, L"ComboBox").at(0);
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    SendMessageW(main, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(form->state().SelectedProductNumber, 12);
    EXPECT_EQ(Ini("APP_PATH", 12), app.str());

    int searches = 0;
    form->updateSearch = [&] { ++searches; };
    SendMessageW(ChildWithText(main, L"Button", L"&Frissítések keresése ..."), BM_CLICK, 0, 0);
    EXPECT_EQ(searches, 1);
}

TEST_F(Win32WindowingTest, TimersRunWhileEventsAreHandled) {
    Pump(300);
    HWND status = ChildrenOfClass(main, L"msctls_statusbar32").at(0);
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
    SendMessageW(ChildrenOfClass(box, L"Edit").at(0), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"válasz"));
    SendMessageW(ChildWithText(box, L"Button", L"OK"), BM_CLICK, 0, 0);
}

TEST_F(Win32WindowingTest, AModalWindowDisablesItsOwnerAndReturnsWhenUnloaded) {
    SetTimer(nullptr, 0, 50, &ConfirmInputBox);
    EXPECT_EQ(session.InputBox("Adja meg:", "Kérdés", "alap"), "válasz");
    EXPECT_EQ(FindWindowW(L"KvuForm", L"Kérdés"), nullptr) << "the box is gone";
    EXPECT_TRUE(IsWindowEnabled(main)) << "the owner takes input again";
}

// The system dialog (message box, folder picker) of this thread, if one is open.
BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring(name) == L"#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

HWND OpenDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&found));
    return found;
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
    nextAnswer = IDOK;
    SetTimer(nullptr, 0, 50, &AnswerDialog);
    EXPECT_EQ(session.MsgBox("Kész.", ui::kMbInformation), ui::kIdOk);
    EXPECT_EQ(dialogTitle, L"Internetes alkalmazásfrissítés") << "the application title";
}

TEST_F(Win32WindowingTest, TheFolderPickerGivesAFolderOrNothingOnCancel) {
    nextAnswer = IDCANCEL;
    SetTimer(nullptr, 0, 50, &AnswerDialog);
    EXPECT_EQ(session.BrowseForFolder(form.get(), "Válasszon mappát"), "");
    nextAnswer = IDOK;
    SetTimer(nullptr, 0, 50, &AnswerDialog);
    std::string chosen = session.BrowseForFolder(form.get(), "Válasszon mappát");
    // Confirmed at once, the picker gives its starting folder: the desktop's.
    ASSERT_FALSE(chosen.empty());
    DWORD attributes = GetFileAttributesW(Utf8ToWide(chosen).c_str());
    EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES) << chosen;
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY) << chosen;
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
    ui::Shape band{*this, "band", {60, 60, 7880, 400}};
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

TEST(Win32ListWindow, RowsChecksSortingAndTheCustomButton) {
    ui::Session session{"Alkalmazás"};
    ListForm form(session);
    form.band.SetFillColour(ui::RgbColour(200, 208, 212));
    form.list.AddColumn("név", 3000);
    form.list.AddColumn("méret", 1500, ui::Align::kRight);
    form.list.SetHeaderImages({ui::Image{2, 2, std::vector<ui::Colour>(4, 0x808080)}});
    for (auto [name, size] : {std::pair{"béta", "2"}, {"alfa", "1"}, {"gamma", "3"}}) {
        int row = form.list.AddRow(name);
        form.list.SetCellText(row, 1, size);
        form.list.SetCellForeColor(row, 0, ui::RgbColour(0, 128, 0));
    }
    form.list.SetChecked(2, true);
    session.Show(form);
    HWND window = FindWindowW(L"KvuForm", L"Lista");
    ASSERT_NE(window, nullptr);
    HWND list = ChildrenOfClass(window, L"SysListView32").at(0);

    ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(ItemText(list, 0, 0), L"béta");
    EXPECT_EQ(ItemText(list, 1, 1), L"1");
    EXPECT_TRUE(ItemChecked(list, 2));
    EXPECT_FALSE(ItemChecked(list, 0));

    form.list.SetSortKey(0);
    form.list.SetSorted(true);
    EXPECT_EQ(ItemText(list, 0, 0), L"alfa");
    EXPECT_EQ(ItemText(list, 2, 0), L"gamma");
    EXPECT_TRUE(ItemChecked(list, 2)) << "the check box moves with its row";
    form.list.SetColumnImage(0, 0);

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
    HWND button = ChildWithText(window, L"Button", L"Regisztráció");
    ASSERT_NE(button, nullptr);
    UpdateWindow(window);  // owner drawing and the shape's painting run
    SendMessageW(button, BM_CLICK, 0, 0);
    form.ok.SetEnabled(false);
    SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1) << "a disabled button takes no click";
}

}  // namespace
}  // namespace kvu
