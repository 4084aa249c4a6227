#include "decision/window_position.h"

#include <algorithm>

#include "platform/plain_text.h"

namespace kvu {
namespace {

// 40 pixels at 96 DPI: enough of the title bar to take it with the mouse.
constexpr int kGripWidth = 600;

bool Holds(const ui::Rect& area, int x, int y) {
    return area.left <= x && x < area.left + area.width && area.top <= y &&
           y < area.top + area.height;
}

}  // namespace

std::optional<ui::Rect> ParseStoredBounds(const std::array<std::string, 4>& texts) {
    std::array<int, 4> values{};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        std::optional<std::int32_t> value = ParseStrictWholeNumber(texts[i]);
        if (!value)
            return std::nullopt;
        values[i] = *value;
    }
    ui::Rect bounds{values[1], values[0], values[3], values[2]};
    if (bounds.width <= 0 || bounds.height <= 0)
        return std::nullopt;
    return bounds;
}

std::array<std::string, 4> StoredTexts(const ui::Rect& bounds) {
    return {std::to_string(bounds.top), std::to_string(bounds.left), std::to_string(bounds.height),
            std::to_string(bounds.width)};
}

bool TitleBarReachable(const ui::Rect& bounds, int titleHeight,
                       const std::vector<ui::Rect>& workAreas) {
    long long left = bounds.left;
    long long right = left + bounds.width;
    long long top = bounds.top;
    for (const ui::Rect& area : workAreas) {
        long long areaRight = static_cast<long long>(area.left) + area.width;
        long long areaBottom = static_cast<long long>(area.top) + area.height;
        long long shown =
            std::min(right, areaRight) - std::max(left, static_cast<long long>(area.left));
        if (top >= area.top && top + titleHeight <= areaBottom &&
            shown >= std::min<long long>(kGripWidth, bounds.width))
            return true;
    }
    return false;
}

ui::Rect CentredOn(const ui::Rect& owner, int width, int height,
                   const std::vector<ui::Rect>& workAreas) {
    ui::Rect bounds{owner.left + (owner.width - width) / 2, owner.top + (owner.height - height) / 2,
                    width, height};
    int centreX = owner.left + owner.width / 2;
    int centreY = owner.top + owner.height / 2;
    for (const ui::Rect& area : workAreas) {
        if (Holds(area, centreX, centreY)) {
            bounds.left = std::max(bounds.left, area.left);
            bounds.top = std::max(bounds.top, area.top);
            break;
        }
    }
    return bounds;
}

}  // namespace kvu
