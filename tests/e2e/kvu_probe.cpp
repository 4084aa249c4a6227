// Looks at and acts on kvu.exe's windows from outside, for the end-to-end test
// and the run script. Runs under Wine beside the program.
//
//   kvu_probe wait TITLE SECONDS      exit 0 once a visible window of that title exists
//   kvu_probe rect TITLE [CAPTION]    prints "x y width height" of the window, or of its
//                                     button of that caption (screen pixels)
//   kvu_probe dump TITLE              prints "class|text" of each child window, UTF-8
//   kvu_probe checks TITLE            prints "1|caption" (checked) or "0|caption" for each row
//   kvu_probe click TITLE CAPTION     clicks the button or clickable label of that caption,
//                                     without waiting for what the click starts (it may
//                                     open a modal window)
//   kvu_probe answer TITLE            prints the text of the message box of that title and
//                                     presses its OK button
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/wide.h"

namespace {

// Asked with a time limit, so that a hung program cannot hang the probe.
LRESULT Ask(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(control, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &answer);
    return static_cast<LRESULT>(answer);
}

std::wstring Text(HWND window) {
    wchar_t buffer[1024] = {};
    Ask(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

std::wstring ClassOf(HWND window) {
    wchar_t buffer[256] = {};
    GetClassNameW(window, buffer, 256);
    return buffer;
}

HWND FindMain(const std::wstring& title) {
    HWND window = FindWindowW(L"KvuForm", title.c_str());
    if (!window)
        window = FindWindowW(L"#32770", title.c_str());  // a message box
    return window && IsWindowVisible(window) ? window : nullptr;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = nullptr; (child = FindWindowExW(parent, child, nullptr, nullptr));)
        children.push_back(child);
    return children;
}

int Wait(const std::wstring& title, int seconds) {
    for (int i = 0; i < seconds * 10; ++i) {
        if (FindMain(title))
            return 0;
        Sleep(100);
    }
    std::fprintf(stderr, "no window \"%s\" within %d s\n", kvu::WideToUtf8(title).c_str(), seconds);
    return 1;
}

// Window texts are compared without a message: a busy program cannot stall it.
HWND ButtonOf(HWND window, const std::wstring& caption) {
    HWND control = FindWindowExW(window, nullptr, L"Button", caption.c_str());
    if (!control)
        control = FindWindowExW(window, nullptr, L"Static", caption.c_str());
    if (!control)
        std::fprintf(stderr, "no button \"%s\"\n", kvu::WideToUtf8(caption).c_str());
    return control;
}

int Rect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}

int Dump(HWND window) {
    for (HWND child : Children(window))
        std::printf("%s|%s\n", kvu::WideToUtf8(ClassOf(child)).c_str(),
                    kvu::WideToUtf8(Text(child)).c_str());
    return 0;
}

// The item texts live in the program's process: the list writes them into a
// buffer allocated there, which is then read back.
int Checks(HWND window) {
    HWND list = FindWindowExW(window, nullptr, L"SysListView32", nullptr);
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    constexpr int kChars = 512;
    auto* remote = static_cast<char*>(VirtualAllocEx(
        process, nullptr, sizeof(LVITEMW) + sizeof(wchar_t) * kChars, MEM_COMMIT, PAGE_READWRITE));
    if (!list || !remote)
        return 1;
    const int rows = static_cast<int>(Ask(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        LVITEMW item{};
        item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof item);
        item.cchTextMax = kChars;
        wchar_t text[kChars] = {};
        WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
        Ask(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, item.pszText, text, sizeof text - sizeof(wchar_t), nullptr);
        const LRESULT state = Ask(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK);
        std::printf("%d|%s\n", state == INDEXTOSTATEIMAGEMASK(2), kvu::WideToUtf8(text).c_str());
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return 0;
}

// Posted, so that a handler that opens a modal window cannot hold the probe. A
// label tells its parent that it was clicked, as a real click on it does.
int Click(HWND window, const std::wstring& caption) {
    HWND control = ButtonOf(window, caption);
    if (control && ClassOf(control) == L"Static")
        return !PostMessageW(GetParent(control), WM_COMMAND,
                             MAKEWPARAM(GetDlgCtrlID(control), STN_CLICKED),
                             reinterpret_cast<LPARAM>(control));
    return !control || !PostMessageW(control, BM_CLICK, 0, 0);
}

int Answer(HWND box) {
    for (HWND child : Children(box)) {
        if (ClassOf(child) == L"Static" && !Text(child).empty())
            std::printf("%s\n", kvu::WideToUtf8(Text(child)).c_str());
    }
    return !PostMessageW(box, WM_COMMAND, IDOK, 0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: kvu_probe wait|rect|dump|checks|click|answer TITLE [ARG]\n");
        return 2;
    }
    std::wstring command = argv[1];
    std::wstring title = argv[2];
    if (command == L"wait")
        return Wait(title, argc > 3 ? _wtoi(argv[3]) : 30);
    HWND window = FindMain(title);
    if (!window) {
        std::fprintf(stderr, "no window \"%s\"\n", kvu::WideToUtf8(title).c_str());
        return 1;
    }
    if (command == L"rect") {
        HWND target = argc > 3 ? ButtonOf(window, argv[3]) : window;
        return target ? Rect(target) : 1;
    }
    if (command == L"checks")
        return Checks(window);
    if (command == L"dump")
        return Dump(window);
    if (command == L"click" && argc > 3)
        return Click(window, argv[3]);
    if (command == L"answer")
        return Answer(window);
    return 2;
}
