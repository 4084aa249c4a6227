#include "platform/win32/windowing/gdi_cache.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/win32/wide.h"

namespace kvu::ui::win32 {

GdiCache::~GdiCache() {
    for (auto& [key, font] : fonts_)
        DeleteObject(font);
    for (auto& [colour, brush] : brushes_)
        DeleteObject(brush);
}

HFONT GdiCache::FontFor(const Font& font, UINT dpi) {
    // Sizes are kept in hundredths of a point so that 8.25 and 8.3 differ.
    int size = static_cast<int>(std::lround(font.size * 100));
    FontKey key{font.name, size, font.bold, font.italic, font.underline, dpi};
    auto it = fonts_.find(key);
    if (it != fonts_.end())
        return it->second;
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(font.size * dpi / 72.0));
    lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.italic;
    lf.lfUnderline = font.underline;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    std::wstring face = Utf8ToWide(font.name).substr(0, LF_FACESIZE - 1);
    face.copy(lf.lfFaceName, face.size());
    HFONT made = CreateFontIndirectW(&lf);
    fonts_.emplace(key, made);
    return made;
}

HFONT GdiCache::BoldFontFor(const Font& font, UINT dpi) {
    Font bold = font;
    bold.bold = true;
    return FontFor(bold, dpi);
}

HBRUSH GdiCache::Brush(Colour colour) {
    auto it = brushes_.find(colour);
    if (it != brushes_.end())
        return it->second;
    HBRUSH made = CreateSolidBrush(static_cast<COLORREF>(colour));
    brushes_.emplace(colour, made);
    return made;
}

namespace {

// Top-down 32-bit rows; a DIB pixel is blue, green, red, alpha in memory.
BITMAPINFO DibInfo(const Image& image) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

std::vector<DWORD> DibPixels(const Image& image) {
    std::vector<DWORD> pixels;
    pixels.reserve(image.pixels.size());
    for (Colour c : image.pixels) {
        pixels.push_back(0xFF000000u | (c & 0xFFu) << 16 | (c & 0xFF00u) | (c >> 16 & 0xFFu));
    }
    pixels.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
    return pixels;
}

}  // namespace

HBITMAP MakeBitmap(const Image& image) {
    BITMAPINFO info = DibInfo(image);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        std::vector<DWORD> pixels = DibPixels(image);
        std::copy(pixels.begin(), pixels.end(), static_cast<DWORD*>(bits));
    }
    return bitmap;
}

void DrawImage(HDC dc, const Image& image, int x, int y) {
    if (image.width <= 0 || image.height <= 0)
        return;
    BITMAPINFO info = DibInfo(image);
    std::vector<DWORD> pixels = DibPixels(image);
    StretchDIBits(dc, x, y, image.width, image.height, 0, 0, image.width, image.height,
                  pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace kvu::ui::win32
