// Values shared by every part of the windowing layer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kvu::ui {

// Window geometry in twips (1/1440 inch); the backend converts with the
// window's DPI.
inline constexpr int kTwipsPerInch = 1440;

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

// Screen positions, in pixels.
struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

// A 24-bit colour, blue-green-red: red in the low byte (&H00BBGGRR&).
using Colour = std::uint32_t;

constexpr Colour RgbColour(int red, int green, int blue) {
    return static_cast<Colour>(red & 0xFF) | static_cast<Colour>(green & 0xFF) << 8 |
           static_cast<Colour>(blue & 0xFF) << 16;
}

struct Font {
    std::string name = "Tahoma";
    double size = 8.25;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const Font&) const = default;
};

enum class Align { kLeft, kCentre, kRight };

// A small picture: width * height colours, row by row from the top.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels;
    // The program's bitmap resource with the same pixels, 0 for none: a backend
    // that has resources shows that one.
    int resource = 0;
    bool operator==(const Image&) const = default;
};

// Message box styles: one button set plus one icon, added together.
inline constexpr int kMbOk = 0;
inline constexpr int kMbOkCancel = 1;
inline constexpr int kMbAbortRetryIgnore = 2;
inline constexpr int kMbYesNoCancel = 3;
inline constexpr int kMbYesNo = 4;
inline constexpr int kMbRetryCancel = 5;
inline constexpr int kMbCritical = 16;
inline constexpr int kMbQuestion = 32;
inline constexpr int kMbExclamation = 48;
inline constexpr int kMbInformation = 64;

// What a message box answers: the button the user chose.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdAbort = 3;
inline constexpr int kIdRetry = 4;
inline constexpr int kIdIgnore = 5;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

}  // namespace kvu::ui
