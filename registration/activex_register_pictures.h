// The pictures of the registration window, drawn by the program itself.
#pragma once

#include "platform/windowing.h"

namespace kvu {

// The window's decoration, 84 by 80 pixels: three component blocks and a
// check badge.
ui::Image ComponentsPicture();

// The small pictures of the two buttons, 16 by 16 pixels, on the buttons'
// picture background: a check mark, and a cross.
ui::Image RegisterPicture(ui::Colour background);
ui::Image ExitPicture(ui::Colour background);

}  // namespace kvu
