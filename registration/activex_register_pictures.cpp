#include "registration/activex_register_pictures.h"

#include <algorithm>
#include <cmath>

namespace kvu {
namespace {

using ui::Colour;
using ui::RgbColour;

class Canvas {
  public:
    Canvas(int width, int height, Colour background)
        : image_{width, height,
                 std::vector<Colour>(static_cast<std::size_t>(width * height), background)} {}

    void Box(int left, int top, int size, Colour fill, Colour border) {
        for (int y = top; y < top + size; ++y) {
            for (int x = left; x < left + size; ++x) {
                const bool edge =
                    x == left || y == top || x == left + size - 1 || y == top + size - 1;
                Set(x, y, edge ? border : fill);
            }
        }
    }

    void Disc(double cx, double cy, double radius, Colour colour) {
        Every([&](int x, int y) { return std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= radius; },
              colour);
    }

    // A stroke of the given width from (x0, y0) to (x1, y1).
    void Line(double x0, double y0, double x1, double y1, double width, Colour colour) {
        const double dx = x1 - x0, dy = y1 - y0;
        const double lengthSquared = dx * dx + dy * dy;
        Every(
            [&](int x, int y) {
                const double px = x + 0.5 - x0, py = y + 0.5 - y0;
                const double t = std::clamp((px * dx + py * dy) / lengthSquared, 0.0, 1.0);
                return std::hypot(px - t * dx, py - t * dy) <= width / 2;
            },
            colour);
    }

    ui::Image Take() { return std::move(image_); }

  private:
    template <typename Inside>
    void Every(Inside inside, Colour colour) {
        for (int y = 0; y < image_.height; ++y) {
            for (int x = 0; x < image_.width; ++x) {
                if (inside(x, y))
                    Set(x, y, colour);
            }
        }
    }
    void Set(int x, int y, Colour colour) {
        if (x >= 0 && y >= 0 && x < image_.width && y < image_.height)
            image_.pixels[static_cast<std::size_t>(y * image_.width + x)] = colour;
    }

    ui::Image image_;
};

constexpr Colour kCheckGreen = RgbColour(40, 140, 40);

}  // namespace

ui::Image ComponentsPicture() {
    Canvas canvas(84, 80, RgbColour(255, 255, 241));
    canvas.Box(0, 0, 84, RgbColour(255, 255, 241), RgbColour(224, 224, 224));
    canvas.Box(8, 30, 34, RgbColour(120, 160, 220), RgbColour(40, 70, 140));
    canvas.Box(26, 8, 34, RgbColour(250, 190, 90), RgbColour(170, 100, 20));
    canvas.Box(36, 38, 34, RgbColour(140, 200, 120), RgbColour(50, 110, 40));
    canvas.Disc(62, 60, 14, RgbColour(255, 255, 255));
    canvas.Disc(62, 60, 12, kCheckGreen);
    canvas.Line(55, 60, 60, 66, 3.5, RgbColour(255, 255, 255));
    canvas.Line(60, 66, 70, 54, 3.5, RgbColour(255, 255, 255));
    return canvas.Take();
}

ui::Image RegisterPicture(Colour background) {
    Canvas canvas(16, 16, background);
    canvas.Line(3, 8.5, 6.5, 12, 2.5, kCheckGreen);
    canvas.Line(6.5, 12, 13, 4, 2.5, kCheckGreen);
    return canvas.Take();
}

ui::Image ExitPicture(Colour background) {
    Canvas canvas(16, 16, background);
    canvas.Line(4, 4, 12, 12, 2.5, RgbColour(190, 40, 40));
    canvas.Line(12, 4, 4, 12, 2.5, RgbColour(190, 40, 40));
    return canvas.Take();
}

}  // namespace kvu
