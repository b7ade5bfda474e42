#pragma once
// The window's load step, run once before it is first shown.

#include "platform/Pages.h"
#include "platform/WindowGeometry.h"

namespace talmoran {

// Size 7000 x 4000 twips, centred vertically then horizontally, then the tab
// pages set up. It ticks or clears no drive box.
void LoadTalmoran(WindowGeometry& window, const Screen& screen, FrameArray& ChoiceFrame, TabStrip& TabStrip1,
                  Int16& CurrentPage);

} // namespace talmoran
