// Fonts and brushes of one window, made once and released with the window.
#pragma once

#include <windows.h>

#include <map>
#include <tuple>

#include "platform/windowing/types.h"

namespace kvu::ui::win32 {

class GdiCache {
  public:
    GdiCache() = default;
    GdiCache(const GdiCache&) = delete;
    GdiCache& operator=(const GdiCache&) = delete;
    ~GdiCache();

    HFONT FontFor(const Font& font, UINT dpi);
    // The same font in bold (for list cells that ask for it).
    HFONT BoldFontFor(const Font& font, UINT dpi);
    HBRUSH Brush(Colour colour);

  private:
    using FontKey = std::tuple<std::string, int, bool, bool, bool, UINT>;
    std::map<FontKey, HFONT> fonts_;
    std::map<Colour, HBRUSH> brushes_;
};

// A 32-bit bitmap of the picture, for image lists and drawing.
HBITMAP MakeBitmap(const Image& image);

// Draws the picture with its top-left corner at (x, y).
void DrawImage(HDC dc, const Image& image, int x, int y);

}  // namespace kvu::ui::win32
