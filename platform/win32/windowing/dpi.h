// DPI of windows and the twips-to-pixels conversions, with the per-monitor
// functions of newer systems looked up at run time.
#pragma once

#include <windows.h>

#include "platform/windowing/types.h"

namespace kvu::ui::win32 {

// The DPI a window is shown at; the system DPI before Windows 10.
UINT WindowDpi(HWND window);
UINT SystemDpi();

// AdjustWindowRectEx at the given DPI.
void OuterRect(RECT& rect, DWORD style, DWORD exStyle, UINT dpi);

inline int TwipsToPixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}
inline int PixelsToTwips(int pixels, UINT dpi) {
    return MulDiv(pixels, kTwipsPerInch, static_cast<int>(dpi));
}

}  // namespace kvu::ui::win32
