// Where a window with a stored position opens: the stored rectangle when it is
// sound and can be reached on a screen, else the design size beside its owner.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/windowing/types.h"

namespace kvu {

// The rectangle of four stored texts (top, left, height, width, twips), or
// nothing when one is not a whole number or the size is not positive.
std::optional<ui::Rect> ParseStoredBounds(const std::array<std::string, 4>& topLeftHeightWidth);

// The four texts a window's rectangle is stored as: top, left, height, width.
std::array<std::string, 4> StoredTexts(const ui::Rect& bounds);

// Whether the user can reach the title bar (the top titleHeight twips of
// bounds) on one of the work areas: it lies inside it from top to bottom and
// shows at least a grip's width of it.
bool TitleBarReachable(const ui::Rect& bounds, int titleHeight,
                       const std::vector<ui::Rect>& workAreas);

// A window of the given size centred on owner, moved right and down as far as
// needed to start inside the work area that holds owner's centre.
ui::Rect CentredOn(const ui::Rect& owner, int width, int height,
                   const std::vector<ui::Rect>& workAreas);

}  // namespace kvu
