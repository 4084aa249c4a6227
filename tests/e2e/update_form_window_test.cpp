// The update list window drawn by the Win32 backend (under Wine, on an X
// server): three rows in their case colours read back from the screen's
// pixels, a sort mark from the program's resources in the clicked header, and
// the install button clicked as a user clicks. Saves a screenshot of the window
// as update_form.bmp in the working folder.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "decision/sort_marks.h"
#include "decision/update_form.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

void IgnoreLog(const std::string&) {}

// The window's pixels as the screen shows them, colours as 0x00BBGGRR.
struct Screenshot {
    RECT rect{};
    std::vector<COLORREF> pixels;  // rows from the top

    static Screenshot Of(HWND window) {
        Screenshot s;
        GetWindowRect(window, &s.rect);
        int w = s.rect.right - s.rect.left, h = s.rect.bottom - s.rect.top;
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, w, h, screen, s.rect.left, s.rect.top, SRCCOPY);
        GdiFlush();
        const auto* raw = static_cast<const DWORD*>(bits);
        for (int i = 0; i < w * h; ++i)
            s.pixels.push_back(RGB(raw[i] >> 16 & 0xFF, raw[i] >> 8 & 0xFF, raw[i] & 0xFF));
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        return s;
    }
    int Width() const { return rect.right - rect.left; }
    COLORREF At(int screenX, int screenY) const {
        return pixels[static_cast<std::size_t>((screenY - rect.top) * Width() + screenX -
                                               rect.left)];
    }
    // How many pixels of colour lie inside a screen rectangle.
    int Count(const RECT& area, COLORREF colour) const {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                n += At(x, y) == colour;
        return n;
    }
    // Whether the image appears anywhere inside a screen rectangle.
    bool Shows(const RECT& area, const ui::Image& image) const {
        for (int y = area.top; y + image.height <= area.bottom; ++y)
            for (int x = area.left; x + image.width <= area.right; ++x)
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
    void SaveBmp(const char* path) const {
        int w = Width(), h = static_cast<int>(pixels.size()) / w;
        BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(54 + pixels.size() * 4), 0, 0, 54};
        BITMAPINFOHEADER info{sizeof info, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(&file), sizeof file);
        out.write(reinterpret_cast<const char*>(&info), sizeof info);
        for (COLORREF c : pixels) {
            DWORD bgra = GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16;
            out.write(reinterpret_cast<const char*>(&bgra), 4);
        }
    }
};

// The part of a cell that the list shows, on the screen.
RECT CellRect(HWND list, int item, int column) {
    RECT r{LVIR_LABEL, column, 0, 0}, client{};
    SendMessageW(list, column == 0 ? LVM_GETITEMRECT : LVM_GETSUBITEMRECT,
                 static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
    GetClientRect(list, &client);
    IntersectRect(&r, &r, &client);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void ClickAt(POINT p) {
    SetCursorPos(p.x, p.y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

RECT HeaderRect(HWND list, int column) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    RECT r{};
    SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(header, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

POINT Centre(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// What the user does, one step per timer tick until the steps are done; each
// step answers whether it is done.
std::vector<std::function<bool()>> steps;

VOID CALLBACK NextStep(HWND, UINT, UINT_PTR id, DWORD) {
    if (steps.empty()) {
        KillTimer(nullptr, id);
        return;
    }
    if (steps.front()())
        steps.erase(steps.begin());
}

HWND Child(HWND parent, const wchar_t* windowClass, const wchar_t* text) {
    return FindWindowExW(parent, nullptr, windowClass, text);
}

TEST(UpdateFormWindow, ShowsTheCaseColoursTheSortMarkAndInstallsTheCheckedRows) {
    test::TempDir app;
    test::WriteBytes(app.file("b.ocx"), "MZ");
    test::WriteBytes(app.file("c.exe"), "MZ");
    std::vector<clsUpdateInfo> list;
    auto add = [&](const char* name, const char* version, double size, const char* date,
                   const char* netVersion) {
        clsUpdateInfo r;
        r.appname = name;
        r.LocalPath = app.file(name);
        r.LocalVersion = version;
        r.LocalFileSize = size;
        r.LocalFileDate = date;
        r.NetVersion = netVersion;
        r.NetFileDate = "2023.05.01. 00:00:00";
        r.NetFileSize = 2048;
        r.NetPath = std::string("http://update.tarvo.hu/pelt/") + name + ".zip";
        list.push_back(r);
    };
    add("a.dll", "", 0, "", "1.0");                         // new file: navy
    add("b.ocx", "1.0", 2, "2023.06.01. 00:00:00", "1.1");  // newer version: green
    add("c.exe", "", 2, "2023.04.01. 00:00:00", "");        // newer date: olive

    ui::Session session{"Internetes alkalmazásfrissítés"};
    ui::Form owner(session, "LiveUpdateForm", "Tarvo Software Updater", 7800, 4860);
    session.Show(owner);

    const COLORREF colours[] = {RGB(0, 0, 128), RGB(0, 128, 0), RGB(128, 128, 0)};
    HWND window = nullptr, lv = nullptr;
    std::vector<std::string> wrongCells;  // row, column and what was seen
    std::vector<int> headersWithMark;     // ascending mark; descending marks count as 100 + column
    steps = {
        [&] {
            window = FindWindowW(L"KvuForm", L"Letöltés");
            lv = window ? Child(window, L"SysListView32", nullptr) : nullptr;
            if (!lv || !IsWindowVisible(window))
                return false;
            RedrawWindow(window, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            Screenshot shot = Screenshot::Of(window);
            // Rows in list order: each cell's text only in its row's case colour.
            for (int item = 0; item < 3; ++item) {
                for (int column : {0, 1, 5}) {  // caption, path, remote date
                    RECT cell = CellRect(lv, item, column);
                    for (int other = 0; other < 3; ++other) {
                        int n = shot.Count(cell, colours[other]);
                        if ((other == item) != (n > 5))
                            wrongCells.push_back(std::to_string(item) + "/" +
                                                 std::to_string(column) + ": " + std::to_string(n) +
                                                 " pixels of colour " + std::to_string(other));
                    }
                }
            }
            ClickAt(Centre(HeaderRect(lv, 4)));  // "dátum"
            return true;
        },
        [&] {
            RedrawWindow(window, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            Screenshot shot = Screenshot::Of(window);
            shot.SaveBmp("update_form.bmp");
            for (int column = 0; column < 10; ++column) {
                RECT r = HeaderRect(lv, column);
                if (shot.Shows(r, SortMarkImage(false)))
                    headersWithMark.push_back(column);
                if (shot.Shows(r, SortMarkImage(true)))
                    headersWithMark.push_back(100 + column);
            }
            RECT install{};
            GetWindowRect(Child(window, L"Static", L"Telepít"), &install);
            Sleep(GetDoubleClickTime() + 50);
            ClickAt(Centre(install));
            return true;
        },
    };
    SetTimer(nullptr, 0, 300, &NextStep);
    bool confirmed = ShowUpdateForm(owner, list, IgnoreLog);

    ASSERT_NE(lv, nullptr) << "the window was not found";
    EXPECT_TRUE(wrongCells.empty()) << ::testing::PrintToString(wrongCells);
    EXPECT_EQ(headersWithMark, std::vector<int>{4}) << "the ascending mark on \"dátum\" only";
    EXPECT_TRUE(confirmed) << "the install label took the click";
    for (const clsUpdateInfo& r : list)
        EXPECT_TRUE(r.Download) << r.appname;
}

}  // namespace
}  // namespace kvu
