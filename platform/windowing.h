// The windowing layer: forms with their controls and timers, message boxes,
// modal windows, the folder picker and the per-user settings store.
//
// Windows are portable classes deriving from ui::Form whose event handlers do
// the work; the backend that the program links draws them (Win32) or keeps them
// in memory for tests to drive (platform/headless).
#pragma once

#include "platform/windowing/control.h"
#include "platform/windowing/controls.h"
#include "platform/windowing/form.h"
#include "platform/windowing/input_box.h"
#include "platform/windowing/list_view.h"
#include "platform/windowing/session.h"
#include "platform/windowing/types.h"
