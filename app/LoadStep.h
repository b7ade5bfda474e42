#pragma once
// The window's load step, run once before it is first shown: the fixed outer
// size, centred on the primary screen, then the tab pages. Two pages share
// one place: each tab of TabStrip1 shows its own frame of ChoiceFrame, page p
// in ChoiceFrame(p - 1). The drive boxes lie outside the frames, on both.

#include "platform/Interfaces.h"

namespace talmoran {

inline constexpr float kLoadedWidth = 7000.0F;
inline constexpr float kLoadedHeight = 4000.0F;

// Size 7000 x 4000 twips, centred, then the tab pages set up. It ticks or clears no drive box.
void LoadTalmoran(WindowGeometry& window, ScreenSize screen, FrameArray& ChoiceFrame, TabStrip& TabStrip1,
                  Int16& CurrentPage);

// Where the load step puts the window on `screen`: created there, the window
// leaves the load step nothing to move.
[[nodiscard]] TwipsRect LoadedPlace(ScreenSize screen);

// (screen - window) / 2 in floating point: not rounded, not clamped, so a half
// twip stays a half twip and a small screen gives a negative offset. A result
// that is not a finite number raises the overflow run-time error.
[[nodiscard]] float CentredOffset(float screenExtent, float windowExtent);

// After the user selected a tab: hides the page that was shown and shows the
// selected one. It does not compare them, so a repeated click keeps the page.
void ShowSelectedPage(FrameArray& ChoiceFrame, const TabStrip& TabStrip1, Int16& CurrentPage);

// Moves ChoiceFrame(1..UBound) onto ChoiceFrame(0), one Move each; hides
// them when asked. Used again after the layout is applied at a new DPI.
void StackFramesOnFirst(FrameArray& ChoiceFrame, bool hide);

} // namespace talmoran
